#!/usr/bin/env bash
# Installs, builds, and runs the main job: every report module's parameters page.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo
for module in pZorvicRozn pZorvicRoznBeer pZorvicTransport pZorvicBuy pZorvicDelivery pZorvicOborot; do
  echo "== $module"
  build/bin/zorvic params "$module" --client 1
done
