#!/usr/bin/env bash
# Installs on a fresh Debian machine what a job needs, by purpose; does nothing when all is there.
#   scripts/setup.sh main     the main job: compiler, CMake, the country files, Python
#   scripts/setup.sh wine     the main job through the real Stats.dll: the above, 32-bit mingw-w64,
#                             32-bit Wine, a virtual display
#   scripts/setup.sh tests    (the default) all of the above and what the tests add: GoogleTest,
#                             Google Benchmark, mimalloc, 64-bit mingw-w64 and Wine, clang with its
#                             sanitizer and fuzzer runtimes, Chromium, zip
set -euo pipefail
purpose=${1:-tests}
case $purpose in
  main | wine | tests) ;;
  *)
    echo "setup: the purpose is main, wine or tests, not $purpose" >&2
    exit 2
    ;;
esac

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

need=()
# The main job.
command -v cmake >/dev/null || need+=(cmake)
command -v g++ >/dev/null || need+=(g++)
command -v make >/dev/null || need+=(make)
[ -f /usr/share/hamradio-files/cty.dat ] || need+=(hamradio-files)
command -v python3 >/dev/null || need+=(python3)

if [ "$purpose" != main ]; then
  # The shipped 32-bit DLL and stats-replay.exe, and 32-bit Wine to run them.
  command -v i686-w64-mingw32-g++-posix >/dev/null || need+=(g++-mingw-w64-i686 mingw-w64-i686-dev binutils-mingw-w64-i686)
  command -v xvfb-run >/dev/null || need+=(xvfb xauth)
  command -v wine >/dev/null || need+=(wine)
  dpkg -s wine32:i386 >/dev/null 2>&1 || need+=(wine32:i386)
  # Without the preloader, 32-bit Wine under an emulator spends a minute per start probing memory.
  dpkg -s wine32-preloader:i386 >/dev/null 2>&1 || need+=(wine32-preloader:i386)
  command -v qemu-i386 >/dev/null || need+=(qemu-user)
fi

if [ "$purpose" = tests ]; then
  [ -f /usr/include/gtest/gtest.h ] || need+=(libgtest-dev libgmock-dev)
  [ -f /usr/include/benchmark/benchmark.h ] || need+=(libbenchmark-dev)
  # The allocator stats-crosscheck is linked with (a build without it warns and is slower).
  [ -f /usr/include/mimalloc.h ] || need+=(libmimalloc-dev)
  # The 64-bit test build, whose Windows tests run under 64-bit Wine.
  command -v x86_64-w64-mingw32-g++-posix >/dev/null ||
    need+=(g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev binutils-mingw-w64-x86-64)
  [ -x /usr/lib/wine/wine64 ] || need+=(wine64)
  command -v clang++ >/dev/null || need+=(clang)
  command -v llvm-nm-14 >/dev/null || need+=(llvm-14)
  # clang's sanitizer and fuzzer runtimes for the checked builds.
  compgen -G "/usr/lib/llvm-14/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a" >/dev/null || need+=(libclang-rt-14-dev)
  command -v zip >/dev/null || need+=(zip)
  # The locale sources a Windows test makes its Japanese locale from.
  [ -f /usr/share/i18n/locales/ja_JP ] || need+=(locales)
  # The tests that open the statistics report in a real browser, and time and memory figures.
  command -v chromium >/dev/null || need+=(chromium)
  [ -x /usr/bin/time ] || need+=(time)
fi

if [ ${#need[@]} -gt 0 ]; then
  if printf '%s\n' "${need[@]}" | grep -q ':i386$'; then
    $sudo dpkg --add-architecture i386
  fi
  # A mirror in the middle of a sync fails one index now and then; retry, then go on with the
  # indexes that did arrive: the install says clearly if a package is still missing.
  for try in 1 2 3; do
    $sudo apt-get update -qq && break
    [ "$try" -lt 3 ] && sleep 20
  done
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
fi

[ "$purpose" = main ] && exit 0
# Some kernels run 64-bit user code only; then 32-bit Linux programs (Wine's 32-bit loader among
# them) go through the user-mode emulator, registered for i386 ELF files.
if ! /lib/ld-linux.so.2 --version >/dev/null 2>&1; then
  binfmt=/proc/sys/fs/binfmt_misc
  [ -e "$binfmt/register" ] || $sudo mount -t binfmt_misc binfmt_misc "$binfmt"
  if [ ! -e "$binfmt/qemu-i386" ]; then
    printf '%s' ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386:F' \
      | $sudo tee "$binfmt/register" >/dev/null
  fi
  /lib/ld-linux.so.2 --version >/dev/null 2>&1 || { echo "setup: cannot run 32-bit programs here" >&2; exit 1; }
fi
