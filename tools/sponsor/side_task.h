// Work run on a thread of its own beside the caller's: on a machine of two cores, a phase that
// runs on one leaves the other idle. A failure on that thread is thrown again where it is waited
// for, never lost to std::terminate.
#pragma once

#include <exception>
#include <functional>
#include <thread>

class SideTask {
 public:
  explicit SideTask(std::function<void()> work);
  // Waits for the work, so that nothing it uses goes away under it; a failure not waited for is
  // dropped, as the caller is already leaving through a failure of its own.
  ~SideTask();
  SideTask(const SideTask&) = delete;
  SideTask& operator=(const SideTask&) = delete;

  // Waits for the work and throws what it threw.
  void Wait();

 private:
  std::exception_ptr failed_;
  std::thread thread_;
};

// Both at once, `first` beside and `second` on the calling thread; throws what either threw.
void SideBySide(const std::function<void()>& first, const std::function<void()>& second);
