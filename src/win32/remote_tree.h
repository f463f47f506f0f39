// A tree view of another process (Browse for Folder's folder tree), read item by item, each
// answer within a bound.
#pragma once

#include <windows.h>
// After windows.h:
#include <commctrl.h>

#include <optional>
#include <string>

#include "win32/remote_memory.h"

namespace hop::win32 {

class RemoteTree {
 public:
  // Nothing when the tree's process cannot be given the memory its messages point to, or is a
  // 32-bit one (its item record is laid out otherwise).
  static std::optional<RemoteTree> Of(HWND tree);

  // The selected item and an item's parent: nothing when the tree did not answer in time, a
  // null item when there is none.
  std::optional<HTREEITEM> Selected() const { return Next(TVGN_CARET, nullptr); }
  std::optional<HTREEITEM> Parent(HTREEITEM item) const { return Next(TVGN_PARENT, item); }
  // The item's text, wherever the tree answers it.
  std::optional<std::wstring> Text(HTREEITEM item);

 private:
  RemoteTree(HWND tree, RemoteBuffer record, RemoteBuffer text)
      : tree_(tree), record_(std::move(record)), text_(std::move(text)) {}
  std::optional<HTREEITEM> Next(WPARAM relation, HTREEITEM item) const;

  HWND tree_;
  RemoteBuffer record_;
  RemoteBuffer text_;
};

}  // namespace hop::win32
