// Nothing thrown may cross into the host: 32-bit Windows unwinding cannot pass its frames.
#pragma once

#include <utility>

template <class T, class Body>
T Guarded(T fallback, Body&& body) noexcept {
  try {
    return std::forward<Body>(body)();
  } catch (...) {
    return fallback;
  }
}

template <class Body>
void Guarded(Body&& body) noexcept {
  try {
    std::forward<Body>(body)();
  } catch (...) {
  }
}
