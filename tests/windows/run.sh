#!/usr/bin/env bash
# The checks of the Windows build, after `make windows`:
#   1. the header, imports and resources of build-win32/Trevano.exe and build-win64/Trevano.exe;
#   2. the core tests, cross-built for x64, under wine64;
#   3. a smoke test: Trevano.exe under wine64 on Xvfb shows its window, which is photographed
#      into build-win64/trevano-smoke.png, and ends on Escape within a few seconds.
# This machine runs no 32-bit code, so wine runs the x64 build only.
set -euo pipefail
cd "$(dirname "$0")/../.."
ROOT=$PWD
WIN32_DIR=$ROOT/build-win32
WIN64_DIR=$ROOT/build-win64
WINE=/usr/lib/wine/wine64
SHOT=$WIN64_DIR/trevano-smoke.png

for f in "$WIN32_DIR/Trevano.exe" "$WIN64_DIR/Trevano.exe" "$WIN64_DIR/tests/core_tests.exe"; do
    [ -f "$f" ] || { echo "manca $f: prima make windows" >&2; exit 1; }
done

seconds() { echo $((${EPOCHREALTIME/./} / 1000)); } # milliseconds
elapsed() {
    local ms=$(($(seconds) - $1))
    printf '%d.%d' $((ms / 1000)) $((ms % 1000 / 100))
}

echo "== resources, header and imports"
python3 tests/windows/check_exe.py "$WIN32_DIR/Trevano.exe" --machine i386 \
    --objdump i686-w64-mingw32-objdump
python3 tests/windows/check_exe.py "$WIN64_DIR/Trevano.exe" --machine amd64 \
    --objdump x86_64-w64-mingw32-objdump

# Wine as root writes read-only files, which Windows refuses: the programs run as nobody, in
# a prefix of nobody's own under build-win64/.
PREFIX_HOME=$WIN64_DIR/wine-home
export WINEPREFIX=$PREFIX_HOME/prefix WINEDEBUG=-all WINEARCH=win64 WINEDLLOVERRIDES="mscoree,mshtml="
export HOME=$PREFIX_HOME XDG_CACHE_HOME=$PREFIX_HOME/.cache
mkdir -p "$PREFIX_HOME"
AS_USER=()
if [ "$(id -u)" = 0 ]; then
    chown -R nobody:nogroup "$PREFIX_HOME"
    AS_USER=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi
run_wine() { "${AS_USER[@]}" "$WINE" "$@"; }

echo "== wine prefix"
start=$(seconds)
run_wine wineboot --init >/dev/null 2>&1 || true
"${AS_USER[@]}" /usr/lib/wine/wineserver -w
echo "wineboot: $(elapsed "$start") s"

echo "== core tests under wine64"
start=$(seconds)
status=0
run_wine "$WIN64_DIR/tests/core_tests.exe" --gtest_brief=1 || status=$?
echo "core tests: $(elapsed "$start") s"
[ "$status" = 0 ] || { echo "core tests failed ($status)" >&2; exit 1; }

echo "== smoke test under Xvfb"
# The session that ran the tests has a desktop without a display; the program needs a new one.
"${AS_USER[@]}" /usr/lib/wine/wineserver -k 2>/dev/null || true
"${AS_USER[@]}" /usr/lib/wine/wineserver -w
XVFB_PID=""
APP_PID=""
cleanup() {
    [ -n "$APP_PID" ] && kill "$APP_PID" 2>/dev/null || true
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
    "${AS_USER[@]}" /usr/lib/wine/wineserver -k 2>/dev/null || true
}
trap cleanup EXIT
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
XVFB_PID=$!
export DISPLAY=$display
for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done

start=$(seconds)
run_wine "$WIN64_DIR/Trevano.exe" >"$WIN64_DIR/trevano-smoke.log" 2>&1 &
APP_PID=$!
window=$(timeout 60 xdotool search --sync --onlyvisible --name '^Trevano$' | head -1 || true)
[ -n "$window" ] || { echo "no window captioned Trevano" >&2; xdotool search --name . getwindowname %@ >&2 || true; exit 1; }
echo "window up: $(elapsed "$start") s"
sleep 1 # let the controls paint
rm -f "$SHOT"
import -window "$window" "$SHOT"
[ -s "$SHOT" ] || { echo "no screenshot" >&2; exit 1; }
echo "screenshot: $SHOT ($(identify -format '%wx%h' "$SHOT"))"

xdotool windowfocus --sync "$window" 2>/dev/null || true
start=$(seconds)
xdotool key Escape
for _ in $(seq 100); do kill -0 "$APP_PID" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$APP_PID" 2>/dev/null; then
    echo "Trevano.exe still running 10 s after Escape" >&2
    exit 1
fi
wait "$APP_PID" || true
APP_PID=""
echo "exit after Escape: $(elapsed "$start") s"
echo "Windows checks passed"
