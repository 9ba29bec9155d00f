#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the native unit tests (under
# AddressSanitizer and UndefinedBehaviorSanitizer) and the end-to-end cases under Wine and Xvfb,
# each fuzz target for a minute, and the short crash-safety and stress set under Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
"$root/scripts/setup-deps.sh"
"$root/scripts/build.sh"
ctest --test-dir "$root/build/native" --output-on-failure
"$root/scripts/fuzz.sh" 60
"$root/scripts/stress.sh" "$root/build/win" "$root/build/dist" quick
