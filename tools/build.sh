#!/usr/bin/env bash
# Configures and builds into a folder: tools/build.sh DIR [cmake options...]
set -euo pipefail
dir=$1
shift
root=$(cd "$(dirname "$0")/.." && pwd)
cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
cmake --build "$dir" -j"$(nproc)"
