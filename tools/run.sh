#!/usr/bin/env bash
# The main job: builds the program and renders a frame of the effect to frame.png.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash tools/deps.sh
bash tools/build.sh build/release
build/release/tools/quenbrel-render --size 800x600 --frames 120 --png frame.png
echo "Wrote $root/frame.png"
