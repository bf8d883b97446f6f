// One report at a time: the operator's calls that show a dialog or a message box (a reset, the
// score, the setup) wait for each other, and one that comes back in on the thread already
// inside such a call is turned away instead of waiting for itself.
#pragma once

#include <atomic>
#include <mutex>
#include <thread>

class ReportLock {
 public:
  // Takes the turn, waiting while another thread has it; nothing when this thread has it.
  bool Enter() {
    if (owner_.load() == std::this_thread::get_id()) return false;
    mutex_.lock();
    owner_.store(std::this_thread::get_id());
    return true;
  }
  void Leave() {
    owner_.store(std::thread::id());
    mutex_.unlock();
  }

 private:
  std::mutex mutex_;
  // Only this thread ever stores its own id, so a thread reads its own id here only while it
  // holds the turn.
  std::atomic<std::thread::id> owner_{};
};

class ReportTurn {
 public:
  explicit ReportTurn(ReportLock& lock) : lock_(lock), held_(lock.Enter()) {}
  ReportTurn(const ReportTurn&) = delete;
  ReportTurn& operator=(const ReportTurn&) = delete;
  ~ReportTurn() {
    if (held_) lock_.Leave();
  }
  // False for a call that came back in while this thread's own dialog or message box is up.
  explicit operator bool() const { return held_; }

 private:
  ReportLock& lock_;
  bool held_;
};
