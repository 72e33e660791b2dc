#!/bin/sh
# Run by make test after each ctest: ctest shows a test that GoogleTest skipped as "Skipped"
# and nothing more, its reason stays in the log; here it is, one line per test skipped.
#   skipped.sh build/Testing/Temporary/LastTest.log
[ -f "$1" ] || exit 0
sed -n '/: Skipped$/{n;h}; /^\[  SKIPPED \] [^ ]* (/{G;s/^\[  SKIPPED \] \([^ ]*\) ([^)]*)\n/Skipped \1: /p}' "$1"
