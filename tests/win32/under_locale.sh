#!/usr/bin/env bash
# Runs a Windows test program under Wine in a locale of its own, in a prefix of its own: Wine takes
# the ANSI code page from the locale, and the locale's UTF-8 keeps the Linux file names readable.
# The locale is made for the test from the system's locale sources when the system has none of it.
#   under_locale.sh LOCALE FOLDER PROGRAM [ARGUMENTS]      e.g. ja_JP build/win64/locale-ja_JP ...
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
locale=$1
folder=$2
shift 2
mkdir -p "$folder/locales"
if [ ! -d "$folder/locales/$locale.UTF-8" ]; then
  localedef -i "$locale" -f UTF-8 "$folder/locales/$locale.UTF-8"
fi
unset LANG LANGUAGE
export LOCPATH=$folder/locales LC_ALL=$locale.UTF-8 STATS_WINEPREFIX=$folder/wineprefix
exec "$here/scripts/wine-run.sh" "$@"
