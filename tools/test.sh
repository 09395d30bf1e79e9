#!/usr/bin/env bash
# Every test: the release build's unit, application and end-to-end tests, then the same
# tests again built with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash tools/deps.sh

# The layout first: every C++ file as .clang-format lays it out.
find src tests tools bench \( -name '*.cpp' -o -name '*.h' \) -print0 | xargs -0 clang-format --dry-run --Werror

bash tools/build.sh build/release
(cd build/release && ctest --output-on-failure -j2)
# The Debian package installed, worked and purged: it changes the system, so only as root.
if [ "$(id -u)" -eq 0 ]; then
  bash tools/package-test.sh build/release
else
  echo "tools/package-test.sh skipped: it installs a package, so it runs as root"
fi

bash tools/build.sh build/sanitize -DQUENBREL_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
(cd build/sanitize && ctest --output-on-failure -j2)

# Every parser of outside data, fuzzed for a bounded time on its seed corpus.
bash tools/fuzz.sh "${QUENBREL_FUZZ_SECONDS:-15}"
