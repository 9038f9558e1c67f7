#!/usr/bin/env bash
# Builds Tavrin.exe and runs it under Wine from build/run/, a program folder holding its list
# files (two sample lists are made on first use). With DISPLAY set the program runs on that
# display until it is closed. Without DISPLAY a virtual display is started, a screenshot of the
# running program is saved (its path is printed), and the program is stopped again.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
source scripts/packages.sh
install_packages
cmake --preset windows >/dev/null
cmake --build --preset windows --target Tavrin -j "$(nproc 2>/dev/null || echo 2)"

run="$root/build/run"
mkdir -p "$run"
cp build/windows/bin/Tavrin.exe build/windows/bin/Tavrin.html "$run/"
sample() {  # name, then title/URL pairs; CP932 with CR LF after every line
  local file="$run/$1.ini"  # Wine reads Unix file names as UTF-8
  shift
  [ -e "$file" ] && return 0
  printf '%s\r\n' "$@" | iconv -f UTF-8 -t CP932 > "$file"
}
if ! ls "$run"/*.ini >/dev/null 2>&1; then
  sample "毎日のニュース" "NHKニュース" "https://www3.nhk.or.jp/news/" "天気予報" "https://tenki.jp/" \
    "日本経済新聞" "https://www.nikkei.com/"
  sample "技術情報" "Debian 日本語" "https://www.debian.org/index.ja.html" "Wine HQ" "https://www.winehq.org/"
fi

if [ -n "${DISPLAY:-}" ]; then
  export WINEPREFIX="${WINEPREFIX:-$root/build/run-prefix}" WINEDLLOVERRIDES="mscoree=d;mshtml=d;winemenubuilder.exe=d"
  export LC_ALL=C.UTF-8 LANG=C.UTF-8  # Wine needs a UTF-8 locale for Japanese file names
  cd "$run" && exec wine Tavrin.exe
fi

source scripts/wine-env.sh
start_wine_environment "$root/build/run-prefix"
trap stop_wine_environment EXIT
(cd "$run" && wine Tavrin.exe >/dev/null 2>&1 &)
shot="$root/build/run/screenshot.png"
for i in $(seq 1 60); do
  sleep 0.5
  if xdotool search --name '^Tavrin$' >/dev/null 2>&1; then break; fi
done
sleep 2
import -display "$DISPLAY" -window root -crop 640x640+0+0 "$shot"
echo "screenshot of the running program: $shot"
