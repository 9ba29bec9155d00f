#!/usr/bin/env bash
# Configures and builds both halves: the Windows programs (mingw-w64) into build/win and
# build/dist, the native cores and their tests into build/native.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

cmake -S . -B build/win -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
cmake --build build/win

cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUORVANE_SANITIZE=ON >/dev/null
cmake --build build/native
