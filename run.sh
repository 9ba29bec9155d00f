#!/usr/bin/env bash
# The main job: installs what is missing, builds, and starts Quorvane under Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
"$root/scripts/setup-deps.sh"
"$root/scripts/build.sh"
exec "$root/scripts/run-quorvane.sh"
