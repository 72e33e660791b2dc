#!/usr/bin/env bash
# What users install, checked where they find it:
#   check.sh        after make package: make install into a temporary root (its tree, the menu
#                   entry, the manual pages, the licence, the icons), then the Debian package
#                   (its control data and files; its own trevano-cli and Trevano run from an
#                   unpacked copy; lintian), then make uninstall, which leaves nothing behind;
#   check.sh --zip  after make windows: what the two Windows zips hold.
set -euo pipefail
cd "$(dirname "$0")/../.."
fail() { echo "FALLITO: $*" >&2; exit 1; }

if [ "${1:-}" = --zip ]; then
    for kind in win32 win64; do
        zip=build-$kind/Trevano-1.0-$kind.zip
        files=$(unzip -Z1 "$zip" | LC_ALL=C sort | tr '\n' ' ')
        [ "$files" = "LEGGIMI.txt Trevano.exe scafo.dxf trevano-cli.exe wigley.dxf " ] || fail "$zip: $files"
        # The notes' examples convert drawings the zip holds.
        for drawing in scafo wigley; do
            unzip -p "$zip" LEGGIMI.txt | grep -q "trevano-cli $drawing.dxf " || fail "$zip: esempio"
        done
        # Notepad before Windows 10 needs the byte-order mark to read the accents as UTF-8.
        [ "$(unzip -p "$zip" LEGGIMI.txt | head -c3)" = $'\xef\xbb\xbf' ] || fail "$zip: BOM"
    done
    echo "Windows zips: passed"
    exit 0
fi

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
tree="bin/Trevano bin/trevano-cli share/applications/trevano.desktop share/doc/trevano/README.md
share/doc/trevano/changelog.gz share/doc/trevano/copyright
share/doc/trevano/samples/scafo-anteprima.png share/doc/trevano/samples/scafo.dxf
share/doc/trevano/samples/wigley-carene-diritte.png share/doc/trevano/samples/wigley.dxf
share/icons/hicolor/128x128/apps/trevano.png
share/icons/hicolor/256x256/apps/trevano.png share/icons/hicolor/32x32/apps/trevano.png
share/icons/hicolor/48x48/apps/trevano.png share/icons/hicolor/64x64/apps/trevano.png
share/man/man1/Trevano.1.gz share/man/man1/trevano-cli.1.gz"
files() { find "$1" -type f -printf '%P\n' | LC_ALL=C sort | tr '\n' ' '; }

make --no-print-directory install DESTDIR="$tmp/root" PREFIX=/opt/trevano >/dev/null
root=$tmp/root/opt/trevano
[ "$(files "$root")" = "$(echo $tree) " ] || fail "make install: $(files "$root")"
entry=$root/share/applications/trevano.desktop
report=$(desktop-file-validate "$entry" 2>&1) && [ -z "$report" ] || fail "$entry: $report"
grep -qx 'Exec=Trevano' "$entry" && grep -qx 'Icon=trevano' "$entry" || fail "$entry: Exec, Icon"
for program in Trevano trevano-cli; do
    page=$root/share/man/man1/$program.1.gz
    report=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$page" 2>&1 >"$tmp/$program")
    [ -z "$report" ] || fail "$page: $report"
done
for option in $(build/trevano-cli --help | grep -o -- '--[a-z-]*' | sort -u); do
    grep -q -- "$option" "$tmp/trevano-cli" || fail "trevano-cli.1 non spiega $option"
done
# The licence in Debian's form: its holders and terms are those of LICENSE, line for line.
copyright=$root/share/doc/trevano/copyright
grep -qx 'Copyright: 2026 the Trevano authors' "$copyright" &&
    cmp <(sed '1,/^License: Expat$/d; s/^ //; s/^\.$//' "$copyright") \
        <(sed '1,/^Copyright (c)/d' LICENSE | sed 1d) || fail "$copyright: non è LICENSE"
for size in 32 48 64 128 256; do
    icon=$root/share/icons/hicolor/${size}x$size/apps/trevano.png
    file -b "$icon" | grep -q "^PNG image data, $size x $size," || fail "$icon: $(file -b "$icon")"
done

deb=build/trevano_1.0.0_amd64.deb
[ "$(dpkg-deb -f "$deb" Package Version Architecture | tr '\n' ' ')" = \
    "Package: trevano Version: 1.0.0 Architecture: amd64 " ] || fail "$deb: $(dpkg-deb -f "$deb")"
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libc6 libqt6widgets6 qt6-translations-l10n fonts-dejavu-extra; do
    grep -qE "(^|, )$needed( |,|$)" <<<"$depends" || fail "$deb: Depends senza $needed"
done
# Debian's triggers do what maintainer scripts would.
[ "$(dpkg-deb --ctrl-tarfile "$deb" | tar -t | LC_ALL=C sort | tr '\n' ' ')" = \
    "./control ./md5sums " ] || fail "$deb: script di manutenzione"
dpkg-deb -x "$deb" "$tmp/deb"
[ "$(files "$tmp/deb/usr")" = "$(echo $tree) " ] || fail "$deb: $(files "$tmp/deb/usr")"
forms() { "$1" "$2" --punti - --sezioni-dat - --sezioni-csv - 2>&1; } # counts and the 3 forms
cmp <(forms build/trevano-cli samples/scafo.dxf) \
    <(forms "$tmp/deb/usr/bin/trevano-cli" "$tmp/deb/usr/share/doc/trevano/samples/scafo.dxf") ||
    fail "$deb: trevano-cli scrive altri byte"
# The dialog is modal: still there after two seconds, it has started.
status=0
QT_QPA_PLATFORM=offscreen timeout 2 "$tmp/deb/usr/bin/Trevano" >/dev/null 2>&1 || status=$?
[ "$status" = 124 ] || fail "$deb: Trevano uscito con $status"
# Debian's own judgement: no error (its warnings, if any, shown).
as_user=(); [ "$(id -u)" != 0 ] || as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
"${as_user[@]}" lintian --fail-on error "$deb" || fail "$deb: lintian"
# make uninstall takes away every file and every folder that make install made.
make --no-print-directory uninstall DESTDIR="$tmp/root" >/dev/null
left=$(find "$tmp/root" -mindepth 1 ! -path "$tmp/root/opt")
[ -z "$left" ] || fail "make uninstall ha lasciato: $left"
echo "make install, make uninstall and $deb: passed"
