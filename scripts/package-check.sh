#!/usr/bin/env bash
# Builds the Debian package (ixen-tools), unpacks it into a scratch root with
# dpkg -x and checks what a user gets: the four programs in one bin folder,
# Orvik's definition in share/orvik, desktop entries and icons, every program's
# --help without a display, and the installed Vantrel starting the installed
# Orvik with "-f" and its scratch profile. Leaves the package in build/package/.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build
rm -rf build/package
cpack --config build/CPackConfig.cmake -G DEB -B build/package >/dev/null
deb=$(ls build/package/ixen-tools_*.deb)
echo "package: $deb"
echo "depends: $(dpkg-deb --field "$deb" Depends)"

root=$(mktemp -d)
vantrel_pid=""
cleanup() {
  [ -n "$vantrel_pid" ] && kill -KILL "$vantrel_pid" 2>/dev/null
  rm -rf "$root"
}
trap cleanup EXIT
fail() { echo "package check FAILED: $*" >&2; exit 1; }

dpkg -x "$deb" "$root"
root=$(realpath "$root")
bin=$root/usr/bin
for file in usr/bin/vantrel usr/bin/orvik usr/bin/vantrel-cli usr/bin/ixen-sim usr/share/orvik/profile.xml \
            usr/share/applications/vantrel.desktop usr/share/applications/orvik.desktop \
            usr/share/icons/hicolor/scalable/apps/vantrel.svg usr/share/icons/hicolor/scalable/apps/orvik.svg; do
  [ -e "$root/$file" ] || fail "$file is not in the package"
done
extra=$(ls "$bin" | grep -v -x -e vantrel -e orvik -e vantrel-cli -e ixen-sim || true)
[ -z "$extra" ] || fail "unexpected files in usr/bin: $extra"

work=$(mktemp -d -p "$root")
cd "$work"
"$bin/orvik" --check "$root/usr/share/orvik/profile.xml" >/dev/null || fail "the installed definition does not pass orvik --check"

# Tools > Orvik from the installed Vantrel: the wizard it starts must be the
# installed one, with "-f" and the scratch profile Vantrel wrote beside itself.
export QT_QPA_PLATFORM=offscreen
"$bin/vantrel" --wizard >/dev/null 2>&1 &
vantrel_pid=$!
scratch=$bin/working.psd
orvik_pid=""
for _ in $(seq 600); do  # up to a minute, checking every 0.1 s
  for child in $(pgrep -P "$vantrel_pid" || true); do
    if [ "$(readlink "/proc/$child/exe" 2>/dev/null)" = "$bin/orvik" ]; then
      orvik_pid=$child
      break 2
    fi
  done
  kill -0 "$vantrel_pid" 2>/dev/null || fail "vantrel ended without starting orvik"
  sleep 0.1
done
[ -n "$orvik_pid" ] || fail "vantrel did not start $bin/orvik within a minute"
expected=$(printf '%s\n' "$bin/orvik" -f "$scratch")
actual=$(tr '\0' '\n' <"/proc/$orvik_pid/cmdline")
[ "$actual" = "$expected" ] || fail "orvik was started as: $(echo "$actual" | tr '\n' ' ')"
[ "$(head -c 15 "$scratch")" = ":0200000400F00A" ] || fail "$scratch is not a profile"
kill -TERM "$orvik_pid"
kill -TERM "$vantrel_pid" 2>/dev/null || true
cd "$root"
for program in vantrel orvik vantrel-cli ixen-sim; do
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$bin/$program" --help >/dev/null \
    || fail "$program --help needs more than the package"
done
echo "package check passed: the installed vantrel started $bin/orvik -f $scratch"
