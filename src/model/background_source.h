// A section whose folders are read by a function that may block (another program asked, a file
// read): the read runs on a worker thread from Start, and Collect takes what it returned by the
// menu's deadline. A reader of another file manager becomes a section as
//   std::make_unique<BackgroundSource>(L"Open in X", [] { return XFolders(); }, 15)
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "model/menu_model.h"

namespace hop {

class BackgroundSource final : public FolderSource {
 public:
  using Reader = std::function<std::vector<std::wstring>()>;

  // `reader` is copied to each worker, which may outlive this object: it must own everything it
  // uses. A reader still out when the next menu opens is not started again (a hung program
  // costs one thread), and its section stays empty until it returns.
  BackgroundSource(std::wstring heading, Reader reader, std::size_t limit = SIZE_MAX);

  void Start() override;
  MenuSection Collect(const SourceRead& read) override;

  struct Read;  // shared with the worker

 private:
  std::wstring heading_;
  Reader reader_;
  std::size_t limit_;
  std::shared_ptr<Read> current_;
  bool started_ = false;  // by the last Start
};

}  // namespace hop
