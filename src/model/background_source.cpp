#include "model/background_source.h"

#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>

namespace hop {

struct BackgroundSource::Read {
  std::mutex mutex;
  std::condition_variable done;
  bool finished = false;
  std::vector<std::wstring> folders;
};

BackgroundSource::BackgroundSource(std::wstring heading, Reader reader, std::size_t limit)
    : heading_(std::move(heading)), reader_(std::move(reader)), limit_(limit) {}

void BackgroundSource::Start() {
  started_ = false;
  if (current_) {
    const std::lock_guard lock(current_->mutex);
    if (!current_->finished) return;
  }
  auto read = std::make_shared<Read>();
  try {
    std::thread([read, reader = reader_] {
      std::vector<std::wstring> folders;
      try {  // nothing may escape a thread: it would end the program
        folders = reader();
      } catch (...) {
      }
      const std::lock_guard lock(read->mutex);
      read->folders = std::move(folders);
      read->finished = true;
      read->done.notify_all();
    }).detach();
  } catch (const std::system_error&) {
    return;  // no thread to be had: no section this time
  }
  current_ = std::move(read);
  started_ = true;
}

MenuSection BackgroundSource::Collect(const SourceRead& read) {
  MenuSection section{heading_, Origin::OpenFolder, {}, limit_};
  if (!started_) return section;
  std::unique_lock lock(current_->mutex);
  if (current_->done.wait_until(lock, read.deadline, [&] { return current_->finished; }))
    section.folders = current_->folders;
  return section;
}

}  // namespace hop
