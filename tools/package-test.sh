#!/usr/bin/env bash
# The Debian package from install to purge, on this machine, as root (CI runs it on a fresh
# Debian 12):
#   tools/package-test.sh [BUILD_DIR]     (default: build/release, built already)
# It makes the package with cpack, installs it with apt-get, runs the xscreensaver
# end-to-end test on the installed hack, has an unprivileged user work the installed saver
# (tests/e2e/InstalledProgram_test.cpp), reads both manual pages with man, then purges the
# package and checks that nothing dpkg listed for it is left.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build/release}" && pwd)
export DEBIAN_FRONTEND=noninteractive
[ "$(id -u)" -eq 0 ] || { echo "package-test.sh: installs a package, so runs as root" >&2; exit 1; }

fail() {
  echo "FAIL: $*" >&2
  exit 1
}
installed() { dpkg-query -W -f='${Status}' zzquenbrel 2>/dev/null | grep -q 'install ok installed'; }
purge() { apt-get purge -y -qq zzquenbrel >/dev/null; }

# One left by a run that failed goes first; this run's goes however it ends.
if installed; then purge; fi
trap 'if installed; then purge; fi' EXIT

rm -f "$build"/zzquenbrel_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/zzquenbrel_*.deb)
# The manual pages go in even where dpkg is told to leave manual pages out (slim images).
apt-get install -y -qq -o Dpkg::Options::=--path-include='/usr/share/man/man6/zzQuenbrel*' "$deb" >/dev/null
installed || fail "apt-get did not install $deb"
files=$(dpkg -L zzquenbrel)
echo "PASS: apt-get installed $(basename "$deb"): $(grep -c . <<<"$files") paths"

bash "$root/tests/e2e/xscreensaver_test.sh" --installed
"$build/tests/e2e/installed_program_tests"
# The gallery finds its libraries: arguments it does not understand end it with its usage.
set +e
/usr/games/zzQuenbrel-gallery --what 2>"$build/gallery-usage.txt"
status=$?
set -e
[ "$status" -eq 2 ] && grep -q "^usage: zzQuenbrel-gallery" "$build/gallery-usage.txt" ||
  fail "the installed gallery does not start: $(cat "$build/gallery-usage.txt")"
for page in zzQuenbrel.scr zzQuenbrel-gallery; do
  MANWIDTH=80 man 6 "$page" 2>/dev/null | grep -q "^NAME" || fail "man 6 $page renders nothing"
done
echo "PASS: man 6 zzQuenbrel.scr and man 6 zzQuenbrel-gallery render"

purge
installed && fail "the package is still installed after the purge"
# A folder that another package owns may stay; anything else of the list is a trace.
while read -r path; do
  [ -e "$path" ] || continue
  [ -d "$path" ] && dpkg -S "$path" >/dev/null 2>&1 && continue
  fail "$path is left after the purge"
done <<<"$files"
echo "PASS: apt-get purge left nothing of the package's file list"
