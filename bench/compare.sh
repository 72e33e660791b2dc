#!/usr/bin/env bash
# The whole-process comparison: trevano-cli against the dxflib program, ogr2ogr and ezdxf on
# the same generated drawings, and how trevano-cli's time grows with the drawing.
#
#   bench/compare.sh [BUILD_DIR]      (make bench builds and runs it)
#
# Times are medians of several runs (RUNS, PEER_RUNS; ezdxf once, EZDXF_RUNS): wall time and
# CPU time (user + system; on a machine shared with other work the CPU time is the steadier
# figure), and peak memory (maximum resident set). The drawings (1.1 GB in all) are made in a
# temporary folder on the first use of each and removed at the end, so that none is left in the
# build folder; DRAWINGS=folder keeps them there instead, for runs one after another.
set -euo pipefail
export LC_ALL=C # the clock and awk with a decimal point, whatever the locale

BUILD=${1:-build}
RUNS=${RUNS:-5}
PEER_RUNS=${PEER_RUNS:-3}
EZDXF_RUNS=${EZDXF_RUNS:-1}
OUT=$(mktemp -d)
trap 'rm -rf "$OUT"' EXIT
DRAWINGS=${DRAWINGS:-$OUT/drawings}

CLI=$BUILD/trevano-cli
MAKE_DRAWING=$BUILD/bench/make_drawing
DXFLIB_PEER=$BUILD/bench/dxflib_peer
EZDXF_PEER=$(dirname "$0")/ezdxf_peer.py
for f in "$CLI" "$MAKE_DRAWING"; do
    [ -x "$f" ] || { echo "manca $f: prima make bench (o cmake -DTREVANO_BENCH=ON)" >&2; exit 1; }
done

# The peers come from Debian's packages; whatever is missing is installed, or left out.
installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "ok installed"; }
missing=""
for p in libdxflib-dev gdal-bin python3-ezdxf time; do installed "$p" || missing="$missing $p"; done
if [ -n "$missing" ]; then
    echo "Installo i pacchetti mancanti:$missing"
    { DEBIAN_FRONTEND=noninteractive apt-get update -q && \
      DEBIAN_FRONTEND=noninteractive apt-get install -y -q $missing; } >/dev/null 2>&1 || true
fi
HAVE_DXFLIB=0; [ -x "$DXFLIB_PEER" ] && HAVE_DXFLIB=1
HAVE_OGR=0; command -v ogr2ogr >/dev/null && HAVE_OGR=1
HAVE_EZDXF=0; /usr/bin/python3 -c "import ezdxf" 2>/dev/null && HAVE_EZDXF=1
[ -x /usr/bin/time ] || { echo "manca /usr/bin/time (pacchetto time)" >&2; exit 1; }

drawing() { # polylines vertices -> path, made once
    local path=$DRAWINGS/d$1x$2.dxf
    if [ ! -s "$path" ]; then
        mkdir -p "$DRAWINGS"
        "$MAKE_DRAWING" "$path.tmp" "$1" "$2" 1 && mv "$path.tmp" "$path"
        sync # the new drawing written back to the disk now, not during the runs
    fi
    echo "$path"
}

# run LOG COMMAND...: one timed run appended to LOG; false when it failed
# The wall time is bash's clock to the microsecond around the run (/usr/bin/time gives
# hundredths, too coarse beside grep's few hundredths); CPU time and peak are the system's.
run() {
    local log=$1; shift
    local t0=$EPOCHREALTIME
    /usr/bin/time -o "$OUT/one" -f "%U %S %M" "$@" >"$OUT/stdout" 2>"$OUT/stderr" ||
        { echo "fallito: $* ($(tail -1 "$OUT/stderr"))" >&2; return 1; }
    local t1=$EPOCHREALTIME
    echo "$(awk -v a="$t0" -v b="$t1" 'BEGIN { printf "%.4f", b - a }') $(cat "$OUT/one")" >>"$log"
}

# measure RUNS COMMAND... -> "wall cpu peak_MB", the medians over the runs
measure() {
    local runs=$1; shift
    : >"$OUT/time.log"
    for ((r = 0; r < runs; r++)); do run "$OUT/time.log" "$@" || { echo "- - -"; return; }; done
    medians "$OUT/time.log"
}

# medians LOG -> "wall cpu peak_MB"
medians() {
    awk '{ w[NR] = $1; c[NR] = $2 + $3; m[NR] = $4 / 1024 }
         function median(a, n,   i, j, t) {
             for (i = 1; i <= n; i++) for (j = i + 1; j <= n; j++)
                 if (a[j] < a[i]) { t = a[i]; a[i] = a[j]; a[j] = t }
             return n % 2 ? a[(n + 1) / 2] : (a[n / 2] + a[n / 2 + 1]) / 2
         }
         END { printf "%.3f %.3f %.1f\n", median(w, NR), median(c, NR), median(m, NR) }' "$1"
}

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (a == "-" || b == 0) print "-"; else printf "%.1f", a / b }'; }
verdict() { [ "$1" = 1 ] && echo "sì" || echo "NO"; }
holds() { awk "BEGIN { exit !($1) }" && echo 1 || echo 0; }

MAIN=$(drawing 2000 500)
echo "Disegno: 2000 polilinee x 500 vertici, $(du -m "$MAIN" | cut -f1) MB; $(nproc) core"
echo "Mediane: trevano-cli su $RUNS prove, dxflib e ogr2ogr su $PEER_RUNS, ezdxf su $EZDXF_RUNS"
echo

read -r load_w load_c load_m < <(measure "$RUNS" "$CLI" "$MAIN")
# The limit is reading the bytes and finding the keywords: grep counting the vertices, its
# runs taken in turn with the conversion's so that both meet the same load of the machine.
# (grep's output goes to a file: written to /dev/null, grep -c stops at the first match.)
: >"$OUT/cli.log"; : >"$OUT/grep.log"
for ((r = 0; r < RUNS; r++)); do
    run "$OUT/grep.log" grep -c VERTEX "$MAIN"
    run "$OUT/cli.log" "$CLI" "$MAIN" --punti "$OUT/trevano.csv"
done
read -r cli_w cli_c cli_m < <(medians "$OUT/cli.log")
read -r grep_w grep_c grep_m < <(medians "$OUT/grep.log")
export_w=$(awk -v a="$cli_w" -v b="$load_w" 'BEGIN { printf "%.3f", a - b }')
export_c=$(awk -v a="$cli_c" -v b="$load_c" 'BEGIN { printf "%.3f", a - b }')

printf "%-34s %9s %9s %9s %9s %9s\n" "Programma" "tempo s" "CPU s" "picco MiB" "x tempo" "x CPU"
row() { printf "%-34s %9s %9s %9s %9s %9s\n" "$1" "$2" "$3" "$4" "$(ratio "$2" "$cli_w")" "$(ratio "$3" "$cli_c")"; }
row "trevano-cli --punti" "$cli_w" "$cli_c" "$cli_m"
row "trevano-cli, solo caricamento" "$load_w" "$load_c" "$load_m"
row "grep -c VERTEX (il limite)" "$grep_w" "$grep_c" "$grep_m"
dx_w=-; dx_c=-; ogr_w=-; ogr_c=-; ez_w=-; ez_c=-
if [ $HAVE_DXFLIB = 1 ]; then
    read -r dx_w dx_c dx_m < <(measure "$PEER_RUNS" "$DXFLIB_PEER" "$MAIN" "$OUT/dxflib.csv")
    row "dxflib (programma nostro)" "$dx_w" "$dx_c" "$dx_m"
else echo "dxflib: mancante (libdxflib-dev)"; fi
if [ $HAVE_OGR = 1 ]; then
    read -r ogr_w ogr_c ogr_m < <(measure "$PEER_RUNS" ogr2ogr -f CSV -lco GEOMETRY=AS_WKT \
        "$OUT/ogr.csv" "$MAIN")
    rm -f "$OUT/ogr.csv"
    row "ogr2ogr -f CSV, con coordinate" "$ogr_w" "$ogr_c" "$ogr_m"
    read -r ogr0_w ogr0_c ogr0_m < <(measure "$PEER_RUNS" ogr2ogr -f CSV "$OUT/ogr0.csv" "$MAIN")
    row "ogr2ogr -f CSV, senza coordinate" "$ogr0_w" "$ogr0_c" "$ogr0_m"
else echo "ogr2ogr: mancante (gdal-bin)"; fi
if [ $HAVE_EZDXF = 1 ]; then
    read -r ez_w ez_c ez_m < <(measure "$EZDXF_RUNS" /usr/bin/python3 "$EZDXF_PEER" "$MAIN" \
        "$OUT/ezdxf.csv")
    row "ezdxf (Python)" "$ez_w" "$ez_c" "$ez_m"
else echo "ezdxf: mancante (python3-ezdxf)"; fi
echo

# Time per vertex of the whole conversion (load and point-list export) as the drawing grows.
per_vertex() { awk -v t="$1" -v n="$2" 'BEGIN { printf "%.0f", t * 1e9 / n }'; }
echo "Crescita (trevano-cli --punti, ns per vertice, tempo e CPU)"
printf "%-22s %9s %9s %9s %9s %11s\n" "Disegno" "tempo s" "CPU s" "ns/v" "ns/v CPU" "x10 vertici"
prev_w=""; prev_c=""
for shape in "200 500" "2000 500" "20000 500"; do
    set -- $shape
    path=$(drawing "$1" "$2")
    n=$(($1 * $2))
    read -r w c m < <(measure "$RUNS" "$CLI" "$path" --punti "$OUT/grow.csv")
    grow="-"
    [ -n "$prev_w" ] && grow="$(ratio "$w" "$prev_w") / $(ratio "$c" "$prev_c")"
    printf "%-22s %9s %9s %9s %9s %11s\n" "$1 x $2" "$w" "$c" "$(per_vertex "$w" $n)" \
        "$(per_vertex "$c" $n)" "$grow"
    [ "$1" = 200 ] && small_w=$w small_c=$c
    [ "$1" = 20000 ] && big_w=$w big_c=$c
    [ "$1" = 2000 ] && mid_w=$w mid_c=$c
    prev_w=$w; prev_c=$c
    rm -f "$OUT/grow.csv"
done
echo
echo "Forme di un milione di vertici (ns per vertice, rispetto a 2000 x 500)"
printf "%-22s %9s %9s %9s %9s %9s\n" "Disegno" "tempo s" "CPU s" "picco MiB" "x tempo" "x CPU"
printf "%-22s %9s %9s %9s %9s %9s\n" "2000 x 500" "$cli_w" "$cli_c" "$cli_m" "1.0" "1.0"
for shape in "200000 5" "1 1000000"; do
    set -- $shape
    path=$(drawing "$1" "$2")
    read -r w c m < <(measure "$RUNS" "$CLI" "$path" --punti "$OUT/shape.csv")
    printf "%-22s %9s %9s %9s %9s %9s\n" "$1 x $2" "$w" "$c" "$m" "$(ratio "$w" "$cli_w")" \
        "$(ratio "$c" "$cli_c")"
    [ "$1" = 1 ] && long_w=$w long_c=$c
    [ "$1" = 200000 ] && many_w=$w many_c=$c
    rm -f "$OUT/shape.csv"
done
echo

echo "Obiettivi (tempo; CPU tra parentesi)"
echo "  caricamento < 0,3 s: $load_w ($load_c) $(verdict "$(holds "$load_w < 0.3")")"
echo "  esportazione punti < 0,3 s: $export_w ($export_c) $(verdict "$(holds "$export_w < 0.3")")"
echo "  entro 3 volte grep -c VERTEX: $(ratio "$cli_w" "$grep_w") ($(ratio "$cli_c" "$grep_c")) $(verdict "$(holds "$cli_w <= 3 * $grep_w")")"
echo "  picco di memoria <= 96 MiB: $cli_m $(verdict "$(holds "$cli_m <= 96")")"
[ "$dx_w" != - ] && echo "  >= 10 volte dxflib: $(ratio "$dx_w" "$cli_w") ($(ratio "$dx_c" "$cli_c")) $(verdict "$(holds "$dx_w >= 10 * $cli_w")")"
[ "$ogr_w" != - ] && echo "  >= 5 volte ogr2ogr: $(ratio "$ogr_w" "$cli_w") ($(ratio "$ogr_c" "$cli_c")) $(verdict "$(holds "$ogr_w >= 5 * $cli_w")")"
[ "$ez_w" != - ] && echo "  >= 50 volte ezdxf: $(ratio "$ez_w" "$cli_w") ($(ratio "$ez_c" "$cli_c")) $(verdict "$(holds "$ez_w >= 50 * $cli_w")")"
echo "  10 volte i vertici <= 11 volte il tempo: $(ratio "$mid_w" "$small_w"), $(ratio "$big_w" "$mid_w") ($(ratio "$mid_c" "$small_c"), $(ratio "$big_c" "$mid_c")) $(verdict "$(holds "$mid_w <= 11 * $small_w && $big_w <= 11 * $mid_w")")"
echo "  200000 x 5 e 1 x 1000000 entro 2 volte: $(ratio "$many_w" "$cli_w"), $(ratio "$long_w" "$cli_w") ($(ratio "$many_c" "$cli_c"), $(ratio "$long_c" "$cli_c")) $(verdict "$(holds "$many_w <= 2 * $cli_w && $long_w <= 2 * $cli_w")")"
