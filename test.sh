#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the native unit tests (under
# AddressSanitizer and UndefinedBehaviorSanitizer) and the end-to-end cases under Wine and Xvfb.
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
"$root/scripts/setup-deps.sh"
"$root/scripts/build.sh"
ctest --test-dir "$root/build/native" --output-on-failure
