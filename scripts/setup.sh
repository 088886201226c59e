#!/usr/bin/env bash
# Installs what zorvic needs from Debian's packages (as root on a fresh Debian 12 machine),
# then configures and builds it. BUILD_DIR and CMake arguments may be given:
#   scripts/setup.sh [BUILD_DIR] [CMAKE_ARGS...]
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  build-essential cmake ninja-build pkg-config
  libgtest-dev libgmock-dev
  libsimpleini-dev nlohmann-json3-dev libcli11-dev
  firebird3.0-server-core firebird3.0-utils libfbclient2 firebird-dev firebird3.0-server
  libsqlite3-dev sqlite3 libxml2-utils libxml2-dev
  libcairo2-dev libpango1.0-dev fonts-dejavu-core libxlsxwriter-dev poppler-utils unzip
  qt6-base-dev libgl-dev xvfb xauth
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  # The Firebird server package would start the distribution's own service; the tests run a
  # server of their own (tests/server/), so no service starts while the packages go in.
  own_policy=
  if [[ ! -e /usr/sbin/policy-rc.d ]]; then
    own_policy=/usr/sbin/policy-rc.d
    trap 'rm -f "$own_policy"' EXIT
    printf '#!/bin/sh\nexit 101\n' >"$own_policy"
    chmod 755 "$own_policy"
  fi
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
  if [[ -n $own_policy ]]; then
    rm -f "$own_policy"
    trap - EXIT
  fi
fi

build_dir=${1:-build}
shift || true
cmake -S . -B "$build_dir" -G Ninja "$@" >/dev/null
cmake --build "$build_dir"
