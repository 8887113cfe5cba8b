#!/usr/bin/env bash
# The whole cycle a user waits for, process start to exit: ixo-cli new, check and resave of the largest
# building, the median of several runs each, the peak resident memory, and the CPU per outlet from the
# medium building to four times the largest (the cost must grow with the building, not faster).
#
#   bench/whole_process.sh [BUILD_DIR] [RUNS]      (defaults: build, 5)
set -euo pipefail
build=${1:-build}
runs=${2:-5}
cli="$build/bin/ixo-cli"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

M="--stairs 4 --floors 20 --flats-per-floor 4 --outlets 4 --polarities 16"   # 1,280 outlets
L="--stairs 8 --floors 100 --flats-per-floor 4 --outlets 4 --polarities 16"  # 12,800 outlets
L4="--stairs 8 --floors 100 --flats-per-floor 16 --outlets 4 --polarities 16" # 51,200 outlets

# median of the wall-clock seconds and the largest peak memory (MiB) of RUNS runs of a command
measure() {
    local times=() peak=0
    for _ in $(seq "$runs"); do
        /usr/bin/time -f "%e %U %S %M" -o "$work/time" "$@" > /dev/null 2>&1 || true
        read -r wall user sys kib < <(tail -n 1 "$work/time")
        times+=("$wall $(echo "$user + $sys" | bc)")
        peak=$(( kib > peak ? kib : peak ))
    done
    printf '%s\n' "${times[@]}" | sort -n | awk -v n="$runs" -v peak="$peak" \
        'NR == int((n + 1) / 2) { printf "%s s wall, %s s CPU, peak %.0f MiB\n", $1, $2, peak / 1024 }'
}

echo "new L (16 polarities):    $(measure "$cli" new $L -o "$work/L.XPJ")"
"$cli" new $L -o "$work/L.XPJ" > /dev/null 2>&1 || true
echo "check of the saved L:     $(measure "$cli" check "$work/L.XPJ")"
echo "resave of the saved L:    $(measure "$cli" resave "$work/L.XPJ" "$work/L2.XPJ")"
for shape in M L L4; do
    outlets=$(case $shape in M) echo 1280 ;; L) echo 12800 ;; L4) echo 51200 ;; esac)
    result=$(measure "$cli" new ${!shape})
    cpu=$(echo "$result" | awk '{print $4}')
    echo "new $shape: $result; $(echo "scale=1; $cpu * 1000000 / $outlets" | bc) µs CPU per outlet"
done
