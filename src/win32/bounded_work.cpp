#include "win32/bounded_work.h"

#include <windows.h>

#include "win32/unique_handle.h"

namespace hop::win32 {

struct BoundedWork::Job {
  std::function<void()> work;
  UniqueKernelHandle done{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
  bool started = false;
};

namespace {

void CALLBACK RunJob(PTP_CALLBACK_INSTANCE, void* context) {
  using Held = std::shared_ptr<BoundedWork::Job>;
  const std::unique_ptr<Held> held(static_cast<Held*>(context));
  try {
    (*held)->work();
  } catch (...) {  // nothing escapes into the pool's thread; the waiter sees the work as done
  }
  ::SetEvent((*held)->done.get());
}

}  // namespace

BoundedWork::BoundedWork(std::function<void()> work) : job_(std::make_shared<Job>()) {
  if (!job_->done) return;
  job_->work = std::move(work);
  // A pool thread rather than a new one each time: starting a thread takes milliseconds under
  // Wine, and the pool keeps its threads a while for the next delivery.
  auto held = std::make_unique<std::shared_ptr<Job>>(job_);
  job_->started = ::TrySubmitThreadpoolCallback(&RunJob, held.get(), nullptr) != FALSE;
  if (job_->started) held.release();  // the callback owns it now
}

bool BoundedWork::Wait(std::chrono::milliseconds bound) const {
  return job_->started && ::WaitForSingleObject(job_->done.get(),
                                                static_cast<DWORD>(bound.count())) == WAIT_OBJECT_0;
}

}  // namespace hop::win32
