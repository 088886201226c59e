#!/usr/bin/env bash
# Installs, builds, and starts the desktop program on the demo host database (made first if it
# is not there yet). Needs a display; on a machine without one, see scripts/desk_screenshots.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo
demo=build/demo/zorvic-demo.fdb
if [[ ! -f $demo ]]; then
  mkdir -p build/demo
  bash demo/make_demo_db.sh "$demo"
fi
if [[ -z ${DISPLAY:-} && -z ${WAYLAND_DISPLAY:-} ]]; then
  echo "no display to open the window on (DISPLAY is not set)" >&2
  exit 1
fi
exec build/bin/zorvic-desk --db "$demo" --form pZorvicRozn
