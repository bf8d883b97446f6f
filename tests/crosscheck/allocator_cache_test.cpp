#include "allocator_cache.h"

#include <gtest/gtest.h>

namespace {

TEST(AllocatorCache, AddedOnceAndNeverOverTheUsersChoice) {
  EXPECT_EQ(TunablesWithLargerCache(nullptr), "glibc.malloc.tcache_count=1000");
  EXPECT_EQ(TunablesWithLargerCache(""), "glibc.malloc.tcache_count=1000");
  EXPECT_EQ(TunablesWithLargerCache("glibc.malloc.check=3"), "glibc.malloc.check=3:glibc.malloc.tcache_count=1000");
  // Once added, the restarted program finds it and starts no third time.
  EXPECT_EQ(TunablesWithLargerCache(TunablesWithLargerCache("glibc.malloc.check=3")->c_str()), std::nullopt);
  EXPECT_EQ(TunablesWithLargerCache("glibc.malloc.tcache_count=0"), std::nullopt);
  EXPECT_EQ(TunablesWithLargerCache("glibc.malloc.mxfast=0:glibc.malloc.tcache_count=7"), std::nullopt);
  // A tunable whose name only begins like it is another one.
  EXPECT_EQ(TunablesWithLargerCache("glibc.malloc.tcache_count_x=1"),
            "glibc.malloc.tcache_count_x=1:glibc.malloc.tcache_count=1000");
}

}  // namespace
