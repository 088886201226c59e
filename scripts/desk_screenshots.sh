#!/usr/bin/env bash
# Pictures of the desktop program for the README, taken from a real X server (Xvfb) at
# 1280x800: the main window on the form 11 and form 07 pages, the print preview, and the findings
# of a check.
#   scripts/desk_screenshots.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
out=$PWD/docs/desk
mkdir -p "$out"
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
for _ in $(seq 50); do
  [[ -e /tmp/.X11-unix/X${display#:} ]] && break
  sleep 0.1
done
DISPLAY=$display QT_QPA_PLATFORM=xcb ZORVIC_SCREENSHOT_DIR=$out \
  "$build/bin/zorvic_desk_tests" --gtest_filter='*Screenshot*'
ls -l "$out"
