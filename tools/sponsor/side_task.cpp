#include "side_task.h"

#include <utility>

SideTask::SideTask(std::function<void()> work)
    : thread_([this, work = std::move(work)] {
        try {
          work();
        } catch (...) {
          failed_ = std::current_exception();
        }
      }) {}

SideTask::~SideTask() {
  if (thread_.joinable()) thread_.join();
}

void SideTask::Wait() {
  if (thread_.joinable()) thread_.join();
  if (failed_) std::rethrow_exception(std::exchange(failed_, nullptr));
}

void SideBySide(const std::function<void()>& first, const std::function<void()>& second) {
  SideTask beside(first);
  second();
  beside.Wait();
}
