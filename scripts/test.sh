#!/usr/bin/env bash
# Installs what is needed, builds and runs every test.
#   scripts/test.sh                      normal build in build/
#   scripts/test.sh build-asan -DZP_SANITIZE=ON   with AddressSanitizer and UBSan
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:-build}
shift || true

bash scripts/setup.sh
# What only the tests use: a Wayland screen of their own, the desktop's accessibility bus, the
# desktop's opener, the packager's checker.
source scripts/packages.sh
install_missing weston at-spi2-core xdg-utils lintian
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
cmake --build "$build_dir" --parallel 2
ctest --test-dir "$build_dir" --output-on-failure --parallel 2 --timeout 600
