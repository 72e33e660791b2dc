#!/usr/bin/env bash
# The checks of the Windows build, after `make windows`:
#   1. the resources of build-win32/Trevano.exe and build-win64/Trevano.exe as windres reads them
#      back, against tests/windows/resources.rc; the machine, subsystem and imports of each;
#   2. the core tests, cross-built for x64, and the converter's standard output under wine64;
#   3. Trevano.exe under wine64 on Xvfb shows its window, photographed into
#      build-win64/trevano-smoke.png, and ends on Escape.
# This machine runs no 32-bit code, so wine runs the x64 build only.
set -euo pipefail
cd "$(dirname "$0")/../.."
fail() { echo "$*" >&2; exit 1; }

echo "== resources, header and imports"
# The manifest is among them: the x64 build's once named the processor "x86", which it is not.
# After a deliberate change to the resources, the expected text is remade with
#   x86_64-w64-mingw32-windres -i build-win64/Trevano.exe -O rc >tests/windows/resources.rc
for target in i686:win32:i386 x86_64:win64:x86-64; do
    IFS=: read -r cpu build format <<<"$target"
    exe=build-$build/Trevano.exe
    [ -f "$exe" ] || fail "manca $exe: prima make windows"
    "$cpu-w64-mingw32-windres" -i "$exe" -O rc | diff -u tests/windows/resources.rc - >&2
    header=$("$cpu-w64-mingw32-objdump" -p "$exe")
    grep -q "file format pei-$format" <<<"$header" && grep -q "(Windows GUI)" <<<"$header" ||
        fail "$exe: not a $format GUI program"
    # Linked statically: the system's own libraries only.
    ! grep "DLL Name:" <<<"$header" | grep -viE ": (kernel32|user32|gdi32|comdlg32|comctl32|msvcrt|advapi32|shell32)\.dll$" ||
        fail "$exe: imports beyond the system's"
done

# Wine as root writes read-only files, which Windows refuses: the programs run as nobody, in a
# prefix of nobody's own under build-win64/.
export HOME=$PWD/build-win64/wine-home WINEDEBUG=-all WINEARCH=win64 WINEDLLOVERRIDES="mscoree,mshtml="
export WINEPREFIX=$HOME/prefix XDG_CACHE_HOME=$HOME/.cache
mkdir -p "$HOME"
as_user=()
if [ "$(id -u)" = 0 ]; then
    chown -R nobody:nogroup "$HOME"
    as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi
wine() { "${as_user[@]}" /usr/lib/wine/wine64 "$@"; }
wineserver() { "${as_user[@]}" /usr/lib/wine/wineserver "$@"; }

echo "== core tests under wine64"
wine wineboot --init >/dev/null 2>&1 || true
wineserver -w
wine build-win64/tests/core_tests.exe --gtest_brief=1
# trevano-cli.exe once wrote to descriptor 1 as if it were a system handle, which failed, and
# its counts came out with CR LF line ends.
[ "$(wine build-win64/trevano-cli.exe samples/scafo.dxf --punti - 2>&1 >/dev/null | head -2)" = \
    "$(printf 'Numero Polyline: 10\nNumero di punti: 86')" ] || fail "trevano-cli.exe: counts"
wine build-win64/trevano-cli.exe samples/scafo.dxf --punti - 2>/dev/null |
    cmp - tests/expected/scafo-punti.csv || fail "trevano-cli.exe: standard output"
# The drawing given as an output under another name of it, a hard link, is refused and kept.
cp samples/scafo.dxf build-win64/disegno.dxf && ln -f build-win64/disegno.dxf build-win64/stesso.csv
status=0; wine build-win64/trevano-cli.exe build-win64/disegno.dxf --punti build-win64/stesso.csv 2>/dev/null || status=$?
[ "$status" = 2 ] && cmp -s samples/scafo.dxf build-win64/disegno.dxf || fail "trevano-cli.exe: wrote over the drawing"

echo "== Trevano.exe under Xvfb"
# The session that ran the tests has a desktop without a display; the program needs a new one.
wineserver -k 2>/dev/null || true; wineserver -w
export DISPLAY=:$((90 + RANDOM % 100))
Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb ${app:-} 2>/dev/null; wineserver -k 2>/dev/null || true' EXIT
timeout 10 sh -c 'until xdotool getdisplaygeometry >/dev/null 2>&1; do sleep 0.1; done'
wine build-win64/Trevano.exe >build-win64/trevano-smoke.log 2>&1 &
app=$!
window=$(timeout 60 xdotool search --sync --onlyvisible --limit 1 --name '^Trevano$') ||
    fail "no window captioned Trevano"
sleep 1 # the controls paint
import -window "$window" build-win64/trevano-smoke.png
xdotool windowfocus --sync "$window" key Escape
timeout 10 tail --pid="$app" -f /dev/null || fail "Trevano.exe still running 10 s after Escape"
echo "Windows checks passed; the window: build-win64/trevano-smoke.png"
