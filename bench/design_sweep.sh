#!/usr/bin/env bash
# A sweep of building shapes through the automatic design: for each shape, `ixo-cli new` without and
# with --auto; prints one CSV row per shape (exit status, outlets out of limits, powering and overdrive
# problems, amplifiers inserted, outlets that cannot be served, seconds) and the share that passes.
#
#   bench/design_sweep.sh [BUILD_DIR] [STAIRS] [FLOORS] [POLARITIES] [OUTLETS] [TIMEOUT_S]
#   e.g. bench/design_sweep.sh build "1 2 4 8" "1 5 10 20 40" "4 8 16" "1 4 8" 60
set -uo pipefail
build=${1:-build}
stairs=${2:-"1 3"}
floors=${3:-"2 8 20"}
polarities=${4:-"4 16"}
outlets=${5:-"1 4"}
limit=${6:-60}
cli="$build/bin/ixo-cli"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

count() { grep -E "$1" "$2" | head -n 1 | sed -E "s/.*$1 ?([0-9]+).*/\1/"; }

echo "stairs,floors,polarities,outlets,distribution,built_rc,built_failing,auto_rc,auto_failing,powering,overdrive,amplifiers,unserved,auto_seconds"
total=0 passedBuilt=0 passedAuto=0
for s in $stairs; do for f in $floors; do for p in $polarities; do for o in $outlets; do
    for d in star cascade; do
        shape="--stairs $s --floors $f --flats-per-floor 2 --outlets $o --polarities $p --distribution $d"
        timeout "$limit" "$cli" new $shape > "$work/built" 2>&1
        builtRc=$?
        start=$(date +%s.%N)
        timeout "$limit" "$cli" new $shape --auto > "$work/auto" 2>&1
        autoRc=$?
        seconds=$(echo "$(date +%s.%N) - $start" | bc)
        builtFailing=$(count "Outlets out of limits:" "$work/built")
        autoFailing=$(count "Outlets out of limits:" "$work/auto")
        echo "$s,$f,$p,$o,$d,$builtRc,${builtFailing:-0},$autoRc,${autoFailing:-0},$(count "Powering:" "$work/auto"),$(count "Overdrive:" "$work/auto"),$(count "Amplifiers inserted:" "$work/auto"),$(count "Outlets that cannot be served:" "$work/auto"),$seconds"
        total=$((total + 1))
        [ "$builtRc" -eq 0 ] && passedBuilt=$((passedBuilt + 1))
        [ "$autoRc" -eq 0 ] && passedAuto=$((passedAuto + 1))
    done
done; done; done; done
echo "# $total shapes: $passedBuilt pass as built, $passedAuto pass after --auto (exit 124: timed out)"
