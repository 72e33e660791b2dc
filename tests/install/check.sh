#!/usr/bin/env bash
# What users install, checked where they find it:
#   check.sh        after make package: make install into a temporary root (its tree, the menu
#                   entry, the manual page, the icons), then the Debian package (its control
#                   data and files; its own trevano-cli and Trevano run from an unpacked copy);
#   check.sh --zip  after make windows: what the two Windows zips hold.
set -euo pipefail
cd "$(dirname "$0")/../.."
fail() { echo "FALLITO: $*" >&2; exit 1; }

if [ "${1:-}" = --zip ]; then
    for kind in win32 win64; do
        zip=build-$kind/Trevano-1.0-$kind.zip
        files=$(unzip -Z1 "$zip" | LC_ALL=C sort | tr '\n' ' ')
        [ "$files" = "LEGGIMI.txt Trevano.exe trevano-cli.exe " ] || fail "$zip: $files"
        # Notepad before Windows 10 needs the byte-order mark to read the accents as UTF-8.
        [ "$(unzip -p "$zip" LEGGIMI.txt | od -An -tx1 -N3)" = " ef bb bf" ] ||
            fail "$zip: LEGGIMI.txt senza BOM"
    done
    echo "Windows zips: passed"
    exit 0
fi

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
tree="bin/Trevano
bin/trevano-cli
share/applications/trevano.desktop
share/doc/trevano/README.md
share/doc/trevano/scafo.dxf
share/icons/hicolor/128x128/apps/trevano.png
share/icons/hicolor/256x256/apps/trevano.png
share/icons/hicolor/32x32/apps/trevano.png
share/icons/hicolor/48x48/apps/trevano.png
share/icons/hicolor/64x64/apps/trevano.png
share/man/man1/trevano-cli.1"

make --no-print-directory install DESTDIR="$tmp/root" PREFIX=/opt/trevano >/dev/null
root=$tmp/root/opt/trevano
diff <(cd "$root" && find . -type f | cut -c3- | LC_ALL=C sort) - <<<"$tree" ||
    fail "make install: l'albero installato"

entry=$root/share/applications/trevano.desktop
report=$(desktop-file-validate "$entry" 2>&1) && [ -z "$report" ] || fail "$entry: $report"
grep -qx 'Exec=Trevano' "$entry" && grep -qx 'Icon=trevano' "$entry" || fail "$entry: Exec, Icon"

page=$root/share/man/man1/trevano-cli.1
report=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$page" 2>&1 >"$tmp/page.txt")
[ -z "$report" ] || fail "$page: $report"
for option in $(build/trevano-cli --help | grep -o -- '--[a-z-]*' | sort -u); do
    grep -q -- "$option" "$tmp/page.txt" || fail "$page non spiega $option"
done

python3 res/make_images.py --out "$tmp/images"
for size in 32 48 64 128 256; do
    icon=$root/share/icons/hicolor/${size}x$size/apps/trevano.png
    file -b "$icon" | grep -q "^PNG image data, $size x $size," || fail "$icon: $(file -b "$icon")"
    drawn=$tmp/images/trevano-$size.png
    [ "$size" = 32 ] && drawn=$tmp/images/trevano.png
    cmp -s "$icon" "$drawn" || fail "$icon non è quella di res/make_images.py: rifarle"
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
diff <(dpkg-deb -c "$deb" | awk '!/^d/ {print $6}' | cut -c7- | LC_ALL=C sort) - <<<"$tree" ||
    fail "$deb: i file"

dpkg-deb -x "$deb" "$tmp/deb"
forms() { # the counts and the three forms of a drawing, by one trevano-cli, into a folder
    mkdir "$3"
    "$1" "$2" --punti "$3/punti.csv" --sezioni-dat "$3/sezioni.dat" \
        --sezioni-csv "$3/sezioni.csv" >"$3/conteggi.txt"
}
forms build/trevano-cli samples/scafo.dxf "$tmp/build-forms"
forms "$tmp/deb/usr/bin/trevano-cli" "$tmp/deb/usr/share/doc/trevano/scafo.dxf" "$tmp/deb-forms"
diff -r "$tmp/build-forms" "$tmp/deb-forms" || fail "$deb: trevano-cli scrive altri byte"
# The dialog is modal: still there after two seconds, it has started.
status=0
QT_QPA_PLATFORM=offscreen timeout 2 "$tmp/deb/usr/bin/Trevano" >/dev/null 2>&1 || status=$?
[ "$status" = 124 ] || fail "$deb: Trevano uscito con $status"
echo "make install and $deb: passed"
