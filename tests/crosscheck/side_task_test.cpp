#include "side_task.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <thread>

namespace {

TEST(SideTask, BothSidesRunAndAFailureOnEitherIsThrownToTheCaller) {
  std::atomic<int> ran{0};
  std::thread::id beside;
  SideBySide(
      [&] {
        beside = std::this_thread::get_id();
        ++ran;
      },
      [&] { ++ran; });
  EXPECT_EQ(ran, 2);
  EXPECT_NE(beside, std::this_thread::get_id());

  EXPECT_THROW(SideBySide([] { throw std::runtime_error("beside"); }, [] {}), std::runtime_error);
  // The side's work is waited for even when the caller's own side fails first.
  ran = 0;
  EXPECT_THROW(SideBySide(
                   [&] {
                     std::this_thread::sleep_for(std::chrono::milliseconds(20));
                     ++ran;
                   },
                   [] { throw std::logic_error("here"); }),
               std::logic_error);
  EXPECT_EQ(ran, 1);

  SideTask task([] { throw std::runtime_error("waited"); });
  EXPECT_THROW(task.Wait(), std::runtime_error);
  EXPECT_NO_THROW(task.Wait());  // thrown once
}

}  // namespace
