// A window tree as plain data: windows with their titles, classes, ids and children in Z-order.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "delivery/window_tree.h"

namespace hop::testing {

struct FakeWindow {
  std::wstring title;
  std::wstring className;
  WindowHandle parent = 0;  // 0 for top-level windows (their parent is the desktop)
  std::uint16_t id = 0;
  std::vector<WindowHandle> children;  // topmost first
};

class FakeWindowTree : public WindowTree {
 public:
  static constexpr WindowHandle kDesktop = 1;

  FakeWindowTree() { windows_[kDesktop] = {L"", L"#32769", 0, 0, {}}; }

  // Adds a window below `parent` (kDesktop for a top-level one), under its existing siblings.
  WindowHandle Add(WindowHandle parent, std::wstring title, std::wstring className,
                   std::uint16_t id = 0) {
    const WindowHandle handle = next_++;
    windows_[handle] = {
        std::move(title), std::move(className), parent == kDesktop ? 0 : parent, id, {}};
    windows_[parent].children.push_back(handle);
    return handle;
  }
  // Removes a window and its subtree, as when it is destroyed.
  void Destroy(WindowHandle handle) {
    auto& siblings = windows_[Parent(handle)].children;
    std::erase(siblings, handle);
    for (WindowHandle child : std::vector(windows_[handle].children)) Destroy(child);
    windows_.erase(handle);
  }
  bool Exists(WindowHandle handle) const { return windows_.count(handle) != 0; }
  FakeWindow& operator[](WindowHandle handle) { return windows_.at(handle); }
  WindowHandle Root(WindowHandle handle) const {
    while (windows_.at(handle).parent != 0) handle = windows_.at(handle).parent;
    return handle;
  }

  int reads = 0;  // every call of the interface

  WindowHandle DesktopWindow() override { return ++reads, kDesktop; }
  WindowHandle FirstChild(WindowHandle window) override {
    ++reads;
    auto it = windows_.find(window);
    return it == windows_.end() || it->second.children.empty() ? 0 : it->second.children.front();
  }
  WindowHandle NextSibling(WindowHandle window) override {
    ++reads;
    if (!Exists(window)) return 0;
    const auto& siblings = windows_.at(Parent(window)).children;
    for (std::size_t i = 0; i + 1 < siblings.size(); ++i) {
      if (siblings[i] == window) return siblings[i + 1];
    }
    return 0;
  }
  std::wstring Title(WindowHandle window) override {
    ++reads;
    return Exists(window) ? windows_.at(window).title : L"";
  }
  std::wstring ClassName(WindowHandle window) override {
    ++reads;
    return Exists(window) ? windows_.at(window).className : L"";
  }
  bool HasParent(WindowHandle window) override {
    ++reads;
    return Exists(window) && windows_.at(window).parent != 0;
  }
  std::uint16_t ControlId(WindowHandle window) override {
    ++reads;
    return Exists(window) ? windows_.at(window).id : 0;
  }

 private:
  WindowHandle Parent(WindowHandle handle) const {
    const WindowHandle parent = windows_.at(handle).parent;
    return parent == 0 ? kDesktop : parent;
  }

  std::map<WindowHandle, FakeWindow> windows_;
  WindowHandle next_ = 100;
};

}  // namespace hop::testing
