#include "win32/remote_tree.h"

#include <chrono>
#include <cstring>
#include <string_view>

namespace hop::win32 {
namespace {

// How long a tree may take to answer one message (a folder named from a slow share).
constexpr std::chrono::milliseconds kAnswer{500};
constexpr std::size_t kTextChars = MAX_PATH;

bool SameWidthProcess(HWND window) {
  DWORD processId = 0;
  ::GetWindowThreadProcessId(window, &processId);
  const UniqueKernelHandle process(
      ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
  BOOL emulated = TRUE;
  return process && ::IsWow64Process(process.get(), &emulated) && !emulated;
}

}  // namespace

std::optional<RemoteTree> RemoteTree::Of(HWND tree) {
  if (!tree || !SameWidthProcess(tree)) return std::nullopt;
  auto record = RemoteBuffer::In(tree, sizeof(TVITEMW) + sizeof(wchar_t));
  auto text = RemoteBuffer::In(tree, kTextChars * sizeof(wchar_t));
  if (!record || !text) return std::nullopt;
  return RemoteTree(tree, std::move(*record), std::move(*text));
}

std::optional<HTREEITEM> RemoteTree::Next(WPARAM relation, HTREEITEM item) const {
  DWORD_PTR answer = 0;
  if (!::SendMessageTimeoutW(tree_, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item),
                             SMTO_BLOCK | SMTO_ABORTIFHUNG, static_cast<UINT>(kAnswer.count()),
                             &answer)) {
    return std::nullopt;
  }
  return reinterpret_cast<HTREEITEM>(answer);
}

// TVM_GETITEMW passes a pointer to the item record, which points to the text: both live in the
// tree's process, the record written there as it is laid out here.
std::optional<std::wstring> RemoteTree::Text(HTREEITEM item) {
  TVITEMW asked{};
  asked.mask = TVIF_TEXT;
  asked.hItem = item;
  asked.pszText = static_cast<wchar_t*>(text_.address());
  asked.cchTextMax = static_cast<int>(text_.size() / sizeof(wchar_t));
  static_assert(sizeof(asked) % sizeof(wchar_t) == 0);
  const std::wstring_view bytes(reinterpret_cast<const wchar_t*>(&asked),
                                sizeof(asked) / sizeof(wchar_t));
  if (!text_.Write(L"") || !record_.Write(bytes)) return std::nullopt;
  const auto got = SendPointing(tree_, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(record_.address()),
                                kAnswer, {&record_, &text_});
  if (!got || !*got) return std::nullopt;
  // The tree may answer with a text of its own instead of filling the buffer: the record then
  // points there.
  const auto answered = record_.ReadBytes(sizeof(asked));
  if (!answered) return std::nullopt;
  TVITEMW filled{};
  std::memcpy(&filled, answered->data(), sizeof(filled));
  if (filled.pszText == asked.pszText) return text_.ReadText();
  return ReadRemoteText(tree_, filled.pszText, kTextChars);
}

}  // namespace hop::win32
