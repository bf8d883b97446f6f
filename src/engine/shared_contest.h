// The contest as the host's thread and the window thread share it: one lock, and only two ways in.
#pragma once

#include <mutex>
#include <type_traits>

#include "contest_log.h"

class SharedContest {
 public:
  // Runs `read` on the contest under the lock and hands back its answer, which must be a value
  // of its own: nothing that refers into the contest leaves the lock.
  template <class Reader>
  auto Read(Reader&& read) const {
    std::lock_guard guard(lock_);
    using Answer = decltype(read(contest_));
    static_assert(!std::is_reference_v<Answer> && !std::is_pointer_v<Answer>, "a read hands back a copy");
    return read(contest_);
  }

  // Runs `change` on the contest under the lock. Keep it to changing the model: no file, dialog,
  // message to another thread or call to the host while the lock is held.
  template <class Change>
  auto Update(Change&& change) {
    std::lock_guard guard(lock_);
    return change(contest_);
  }

 private:
  mutable std::mutex lock_;
  Contest contest_;
};
