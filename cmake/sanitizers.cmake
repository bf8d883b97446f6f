# Checked native builds with clang: STATS_SANITIZE=address (address and undefined-behaviour checks,
# with libFuzzer's coverage so that the fuzz target sees inside the library) or thread.
set(STATS_SANITIZE "" CACHE STRING "address or thread: a checked native build (clang)")

if(STATS_SANITIZE STREQUAL "address")
  add_compile_options(-fsanitize=address,undefined,fuzzer-no-link -fno-sanitize-recover=undefined
                      -fno-omit-frame-pointer -g)
  add_link_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined)
elseif(STATS_SANITIZE STREQUAL "thread")
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer -g)
  add_link_options(-fsanitize=thread)
elseif(NOT STATS_SANITIZE STREQUAL "")
  message(FATAL_ERROR "STATS_SANITIZE is address or thread, not ${STATS_SANITIZE}")
endif()
