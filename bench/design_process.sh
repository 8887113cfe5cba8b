#!/usr/bin/env bash
# The automatic design as the user waits for it, process start to exit: `ixo-cli new ... --auto` (build,
# regulation, line amplifiers, regulation again, outlet check, save) on the M and L buildings, the
# median of several runs each (wall clock and CPU) and the largest peak memory, with the worst margin and
# the amplifiers the design reached. Targets: M <= 0.5 s, L <= 3 s and <= 400 MB.
#
# Figures (median of 3, CPU, a shared 2-core machine; the designs saved are byte for byte the same):
#   before: M 2.34 s, 87 MB; L 8.03 s, 656 MB (the built network alone, `new` without --auto: M 38 MB,
#           L 177 MB and 0.4 s)
#   after:  M 0.92 s, 59 MB; L 5.23 s, 375 MB
#   with the line amplifiers of tall risers kept (1 run, loaded machine): M 1.30 s CPU, 76 MB, passes
#           with 76 amplifiers (failed before); L 18.4 s CPU, 575 MB (8.0 s and 391 MB before, when it
#           kept no amplifier; now 154, worst margin -138.9 dB instead of -217.7 dB)
#   with the search spared along directions whose tangent bound cannot gain (same designs byte for
#           byte), the flat amplifiers and the floor cable step, all merged (1 run, quiet machine): M
#           0.88 s CPU, 78 MB, passes (worst margin 0.1 dB); L 15.7 s CPU, 570 MB, fails (-138.9 dB, 35
#           element pins past their maximum)
#   with the exact phase of the ascent spared along directions that leave the worst row where it is
#           (same designs byte for byte; 1 run, a heavily loaded machine): M 9.54 -> 8.09 billion
#           instructions (callgrind), 1.27 -> 1.34 s CPU under the load, 76 MB; L 22.4 -> 19.7 s CPU,
#           552 MB
#   with the riser segments judged at the levels left by the amplifiers planned above and the new
#           amplifiers started at their planned gain (1 run, loaded machine): M 1.41 s CPU, 76 MB, passes
#           (0.0 dB); L 23.5 s CPU, 794 MB, passes (0.1 dB, 519 amplifiers; 18.3 s and 553 MB on the same
#           load before, failing at -138.9 dB)
#   all merged (1 run, quiet machine): M 1.23 s CPU, 76 MB, passes (0.0 dB, 76 amplifiers); L 22.95 s
#           CPU, 805 MB, passes (0.1 dB, 519 amplifiers). Targets not reached.
#   with the regulation run again only where it pays (one run before the structural steps where the
#           design is more than 6 dB short; no run after one whose ascent settled while line amplifiers
#           go in), the smooth phases ended by one that does not raise the minimum, and the slider labels
#           of each element built once (median of 3, quiet machine; base measured alongside): M 0.72 ->
#           0.56 s CPU, 78 MB, passes (0.0 dB, 76 amplifiers); 6.79 -> 4.96 billion instructions
#           (cachegrind). L 18.6 -> 18.2 s CPU, 807 -> 813 MB, passes (0.1 dB, 523 amplifiers). Targets
#           not reached.
#   with the memory of the largest buildings cut (same designs byte for byte on 10 shapes, L and both
#           sweeps): the directions' merged coefficients made when the ascent first comes to them and held
#           up to a million (the others merged again each time), a merge of many members read from the
#           rows' marks instead of sorted, a setting's coefficients in 4 bytes each (its row and which of
#           its at most three slopes), a design step judged by its score and stairs' margins instead of a
#           copy of the whole sample, and a sample's columns trimmed after they grew (median of 3, a
#           loaded machine; the earlier code alongside): L 813 -> 436 MB peak (heaptrack: heap 770 ->
#           365 MB), 17.7 s CPU (16.3 to 20 s for both codes under the load), passes (0.1 dB, 523
#           amplifiers); M 68 MB, 4.96 -> 5.00 billion instructions (cachegrind), 0.66 to 0.78 s CPU for
#           both codes under the load. Targets not reached.
# Where M's time goes now (cachegrind): the ascent 54 % (Step, with the smooth minimum's exponentials),
# the merge of the directions' coefficients 8 %, the slope classes 6 %, the level samples 6 %, the trace 6 %;
# five runs of the regulation (the first, the riser cable, the first tap grades, the line amplifiers, their
# tap grades). L runs the regulation 13 times at 1.3 to 1.5 s each, each ascent stopped by its work budget
# after one sweep of its first smooth phase (perf: the merges 15 %, the rows 14 %, the ascent 13 %, the
# slope classes 9 %). Its heap at the peak (heaptrack, 365 MB) is the network with its history (about
# 185 MB), the settings' coefficients (54 MB), the directions' slope classes (38 MB), the directions
# (17 MB), the ascent's rows (15 MB), the rows of the base sample and their model (14 MB), the merged
# coefficients held (12 MB) and one level sample (30 MB); the rest of the 436 MB is the allocator's
# overhead on the network's millions of small blocks and the program itself (24 MB).
#
#   bench/design_process.sh [BUILD_DIR] [RUNS]      (defaults: build, 3)
set -uo pipefail
build=${1:-build}
runs=${2:-3}
cli="$build/bin/ixo-cli"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

M="--stairs 4 --floors 20 --flats-per-floor 4 --outlets 4 --polarities 16"  # 1,280 outlets
L="--stairs 8 --floors 100 --flats-per-floor 4 --outlets 4 --polarities 16" # 12,800 outlets

for shape in M L; do
    times=()
    largest=0
    for _ in $(seq "$runs"); do
        /usr/bin/time -f "%e %U %S %M" -o "$work/time" "$cli" new ${!shape} --auto -o "$work/$shape.XPJ" \
            > "$work/out" 2>&1
        read -r wall user sys peak < <(tail -n 1 "$work/time")
        times+=("$wall $(echo "$user + $sys" | bc)")
        [ "${peak:-0}" -gt "${largest:-0}" ] && largest=$peak
    done
    median=$(printf '%s\n' "${times[@]}" | sort -n | awk -v n="$runs" 'NR == int((n + 1) / 2) { print $1 " s wall, " $2 " s CPU" }')
    summary=$(grep -E '^(Design:|Amplifiers inserted:|Verdict)' "$work/out" | tr '\n' ' ')
    echo "new $shape --auto: $median, peak $((largest / 1024)) MB; $summary"
done
