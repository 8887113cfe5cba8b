#!/usr/bin/env bash
# A sweep of building shapes through the automatic design: `ixo-cli new ... --auto` on 160 shapes
# spanning 1-8 stairs, 2-100 floors, 1-8 flats a floor, 1-6 outlets, 4/8/12/16 polarities, star and
# cascade flats, stand-alone and cascadeable headends (80 shapes drawn by a fixed generator, each with
# star and cascade flats). Prints one CSV row per shape (exit status, outlets out of limits, powering
# and overdrive problems, amplifiers inserted, seconds, and for a shape that fails the first reason the
# design gives) and the share that passes.
#
# Last measured (2 shared cores, timeout 60 s): 26 of 160 pass with the default limits (10 before the
# element maxima became hard constraints and the line amplifiers got slope controls), 52 of 160 with
# --standard EN60728-1 (44 before); 26 shapes time out (most of 100 floors); every failing shape that
# finishes names its binding budget. Targets not reached: 90 % and 95 %.
# With the lower-loss riser cable step, on the first 20 shapes of the sequence (timeout 15 s, 2 shared
# cores, other builds running): 1 of 20 pass with the default limits (1 without the step; fewer outlets
# fail on 3 shapes, more on 1), 7 of 20 with --standard EN60728-1.
# With the tap grading step, on the first 10 shapes (timeout 10 s, 2 shared cores, a build running): 0 of
# 10 pass with the default limits; grades are kept on the four 30-floor shapes (8 and 16 polarities, the
# passive MP8/MP16 grades at the top floors). The 3 x 10 x 2 x 4 cascade building (12 polarities): worst
# margin -15.2 dB -> -13.6 dB with 20 floors regraded, but 240 of 240 outlets out of limits (232 before):
# the grading balances the riser, the line amplifiers it needs are still taken out again.
# With the line amplifiers placed by the riser budget (3 dB, then 6 dB; no floor's multiswitch inputs
# lifted past their maximum), the passive riser ends and the regulation's tilt moves, on the first 40
# shapes (SWEEP_PAIRS=20, timeout 30 s, 2 shared cores): 7 of 40 pass with the default limits (2 before),
# 14 of 40 with --standard EN60728-1 (10 before); no shape that passed before fails, none times out.
# The README's cascade building passes both (6 AL-5S, worst margin 2.9 dB; 7 AL-5S, 4.6 dB, with the
# standard). Still failing: the stand-alone shapes but the smallest (headend multiswitches feeding the
# flats in a star: no riser multiswitch for a line amplifier to stand in front of, the satellite levels
# short at the headend), most 16-polarity cascadeable ones with the default limits (their line-powered
# active multiswitches M16, the last one powering the line, stand at their input maximum), and the tall
# 8-polarity ones (30 floors and more), which stay far out. Failing shapes take longer than before where they try amplifiers and passive ends
# (8 x 30 x 6 x 6 star, 8 polarities: 4.6 s -> 15.5 s; 6 x 30 x 4 x 6 stand-alone cascade: 1.1 s -> 9.2 s).
# With headend amplifiers put in front of a stand-alone headend's multiswitches and splitters where its
# dishes feed them straight, and the faster regulation, on the same first 40 shapes (timeout 30 s, 2
# shared cores): 7 of 40 pass with the default limits, 17 of 40 with --standard EN60728-1 (14 before);
# none times out.
# With the regulation's smooth phases stopping each move at the element maxima that hold (they passed
# them unseen before, and the phase's result was thrown away, so the line amplifiers of tall risers stayed
# at their lowest gain and were taken out again), on the 92 cascadeable shapes of the sequence (timeout
# 30 s, 2 shared cores, other work running): 51 of 92 pass with the default limits (30 before), 77 of 92
# with --standard EN60728-1 (52 before). Newly passing among them: 3 x 40 x 4 x 4 (8 polarities), 4 x 30 x
# 2 x 1 and 4 x 40 x 2 x 2 (16), 4 x 30 x 6 x 3 (8), 4 x 5 x 4 x 3 (16), 3 x 60 x 6 x 2 (4), all star with
# the default limits. Three small 12-polarity cascade shapes that passed fail now with the default limits
# (4 x 3 x 8 x 3, 8 x 2 x 6 x 4, 6 x 3 x 1 x 2, 8 to 150 outlets short); none with the standard. Still
# failing: 8 x 30 x 6 x 6 and the 100-floor risers (a lone amplifier's floor stops being served some 35
# floors down: the planner's budget counts the tilt the unamplified riser has accumulated there), and
# 5 shapes time out. The README's cascade building passes with 4 AL-5S, worst margin 0.3 dB (2.5 dB
# with the standard).
# With the lower-loss floor cable where a stand-alone headend feeds the flats through long runs, and an
# amplifier inside each flat still short of its minimum (AV-20/AV-30 with its supply, rounds while they
# gain: first models that fit the flat's headroom, then those needing up to 3 dB made upstream), on all
# 160 shapes (timeout 30 s, 2 shared cores, the two sweeps running together): 103 of 160 pass with the
# default limits (37 before), 113 of 160 with --standard EN60728-1 (74 before); no shape that passed
# before fails; 12 time out with either (14 and 15 before). The stand-alone shapes of at most 256 flats
# (42; larger ones are built cascadeable): 41 of 42 pass with the default limits (6 before), 42 of 42
# with the standard (20 before). Still failing there: 1 x 100 x 1 x 3 cascade (the lowest flats' feeds,
# over 300 m, leave them 35 dB short, more than the AV-30 gives). M and L design in 2.0 s and 8.9 s.
# Both merged (the smooth phases bounded by the maxima, the floor cable, the flat amplifiers), on all 160
# shapes (timeout 30 s, the two sweeps running together on 2 cores): 131 of 160 pass with the default
# limits, 144 of 160 with --standard EN60728-1; 11 and 9 shapes time out (12-polarity shapes of 30 to 100
# floors); none that passed before this round fails. The 18 that finish and fail with the default limits:
# the 100-floor risers (1 x 100 x 4 x 3, 1 x 100 x 1 x 3, 2 x 100 x 8 x 1, 1 x 100 x 1 x 2, 1 x 100 x 2 x 1,
# 6 x 100 x 1 x 2), tall risers of single cascade flats (1 x 60 x 1 x 6, 3 x 30 x 1 x 6, 8 polarities),
# 8 x 30 x 6 x 6 and 3 x 40 x 4 x 4 cascade (8 polarities), and 8 x 8 x 1 x 6, 3 x 2 x 1 x 6 and 8 x 8 x 6 x 6
# cascade (6 to 54 outlets a few dB short); each names its binding budget.
# With the regulation's coefficients traced through the DiSEqC switch in front of each 12-polarity flat
# (those buildings were regulated by one full recalculation per setting: 280 to 490 a run on the tall
# ones) and the exact phase spared along directions that leave the worst row where it is, on the 42
# 12-polarity shapes (SWEEP_POLARITIES=12, timeout 30 s, 2 shared cores, both sweeps together): 38 of 42
# pass with the default limits (30 before), 39 of 42 with --standard EN60728-1 (33 before); none that
# passed fails. Newly passing (all timed out before but one): 8 x 40 x 1 x 1 star and cascade, 2 x 60 x 6
# x 4 star and cascade, 1 x 40 x 4 x 4 and 2 x 30 x 6 x 4 cascade, 3 x 60 x 6 x 6 star, 1 x 100 x 2 x 1
# cascade (failed before); with the standard 8 x 40 x 1 x 1, 2 x 60 x 6 x 4, 1 x 100 x 2 x 1 cascade and
# 3 x 60 x 6 x 6 cascade. The other polarities' designs are the same byte for byte. Still failing: 6 x
# 100 x 2 x 2 (both; 11-13 s CPU, worst margin -71 to -74 dB), 3 x 60 x 6 x 6 cascade (default, 14 s
# CPU, -1.0 dB) and 1 x 100 x 2 x 1 star (default: 0.4 s, -222.7 dB; the recalculated coefficients
# reached -40.7 dB in 40 s CPU: the line amplifiers' regulation drives a maximum past its limit that the
# traced coefficients do not foresee, the AFI-445R headend amplifiers clipping at their output maximum,
# and the round is undone); with the standard 6 x 100 x 2 x 2 and 3 x 60 x 6 x 6 star (timed out at 30 s
# wall on the loaded machine). The 11 shapes that timed out with the default limits design in 0.4 to 14 s
# CPU each now (timeout 120 s; before, 10 of them still timed out at 120 s wall after 37 to 92 s CPU and
# the eleventh, 1 x 100 x 2 x 1 star, failed after 40 s).
# With a stronger flat amplifier in place of one at its full gain, a third flat round that lets the
# amplifier in where the regulation upstream may take out 6 dB, a refused round tried again with the new
# amplifiers' controls set first, and the DiSEqC trace, all merged, on all 160 shapes (timeout 30 s, the
# two sweeps together on 2 cores): 144 of 160 pass with the default limits (90.0 %; 131 before), 155 of 160
# with --standard EN60728-1 (96.9 %; 144 before); none times out; none that passed before fails. The 16
# that fail with the default limits, each naming its binding budget: the 100-floor risers (1 x 100 x 4 x 3
# star and cascade, 1 x 100 x 1 x 3 stand-alone cascade, 2 x 100 x 8 x 1 both, 6 x 100 x 2 x 2 both,
# 1 x 100 x 1 x 2 both, 1 x 100 x 2 x 1 star, 6 x 100 x 1 x 2 both), the tall risers of single cascade
# flats of 8 polarities (1 x 60 x 1 x 6, 3 x 30 x 1 x 6), 8 x 30 x 6 x 6 cascade and 3 x 40 x 4 x 4 cascade
# (8 polarities, 44 outlets 0.5 dB short); with the standard 1 x 100 x 4 x 3 both, 2 x 100 x 8 x 1 both
# and 6 x 100 x 2 x 2 star.
# With each riser segment judged at the levels the planned segments above leave it, floors no source
# serves alone brought as near as a source can, and new line amplifiers started at their planned gain
# (timeout 30 s, 2 cores shared with two other sweeps): 136 of 160 pass with the default limits (131),
# 147 of 160 with --standard EN60728-1 (144). Newly passing: the 100-floor risers (1 x 100 x 4 x 3,
# 2 x 100 x 8 x 1, 1 x 100 x 1 x 2, 6 x 100 x 1 x 2, 1 x 100 x 2 x 1 with the standard), 1 x 60 x 1 x 6,
# 3 x 30 x 1 x 6, 8 x 30 x 6 x 6 cascade, 8 x 8 x 1 x 6, 8 x 8 x 6 x 6; L passes (519 amplifiers). Lost:
# 3 x 100 x 8 x 3 stand-alone star, 4 polarities (24 outlets 1.4 dB short), and 7 shapes (default) and 5
# (standard) of 12 to 30 s before that timed out under the load (2 x 30 x 6 x 4, 4 x 20 x 8 x 3, 1 x 40 x 4
# x 4, 4 x 40 x 2 x 2, 6 x 60 x 6 x 6, 8 x 2 x 6 x 4: 4 x 20 x 8 x 3 cascade alone takes 241 s against 56 s,
# a round of amplifiers undone and the two targets tried).
# All three merged (the riser plan from the levels left above, the flat rounds, the DiSEqC trace), on all
# 160 shapes (timeout 30 s, the two sweeps together on 2 cores): 158 of 160 pass with the default limits
# (98.8 %), 160 of 160 with --standard EN60728-1; none times out; none that passed in either run before
# fails. The two that fail with the default limits name their binding budgets: 3 x 40 x 4 x 4 cascade, 8
# polarities (116 outlets, 1.1 dB short at 950 MHz: an M8-04 input at its 90 dBuV maximum at 2150 MHz, the
# tilt binds), and 1 x 100 x 1 x 3 stand-alone cascade, 16 polarities (the lowest flats' feeds from the
# headend multiswitch, over 300 m, leave them 34.9 dB short at 862 MHz, more than the AV-30 gives).
# With the regulation run again only where it pays (one run before the structural steps where the design is
# more than 6 dB short, none after a settled run while line amplifiers go in) and the smooth phases ended by
# one that does not raise the minimum, on all 160 shapes (timeout 30 s, the two sweeps together on 2
# cores): 158 of 160 with the default limits, 160 of 160 with --standard EN60728-1, the same shapes pass as
# before. Tried and left out, each losing shapes that passed: at most two runs everywhere (6 x 100 x 2 x 2
# and 3 x 60 x 6 x 6 stand-alone cascade, 4 x 40 x 2 x 2 star; with the standard 2 x 100 x 8 x 1
# stand-alone star), one run wherever the design is more than 6 dB short (6 x 100 x 2 x 2, 3 x 60 x 6 x 6,
# 2 x 100 x 8 x 1 fall 44 to 153 dB short: their amplifier rounds are undone), a settled run ending the flat
# amplifiers' runs too (3 x 60 x 6 x 6), a work budget of 4.5e7 visits (6 x 100 x 2 x 2; with the standard
# 2 x 100 x 8 x 1 and 4 x 30 x 6 x 3 star) and the budget checked after each direction (L fails).
# With the memory of the largest buildings cut (coefficients held in 4 bytes, merged directions held up to
# a million, steps judged without a copy of the sample), the two sweeps at the code before and after, each
# pair together on 2 cores: every shape has the same exit status, failing outlets, powering, overdrive and
# amplifiers, with both limit sets (158 and 160 of 160). Tried and left out, changing designs: the tap
# grades before the structural steps skipped where the design is more than 6 dB short (the README building
# 2.6 -> 0.4 dB, M slower).
#
#   bench/design_sweep.sh [BUILD_DIR] [TIMEOUT_S] [EXTRA NEW OPTIONS...]
#   e.g. bench/design_sweep.sh build 60 --standard EN60728-1
# SWEEP_PAIRS=N runs the first N shapes of the sequence (each with star and cascade flats) only;
# SWEEP_TOPOLOGY=standalone|cascadeable only the shapes of that headend topology among them;
# SWEEP_POLARITIES=4|8|12|16 only the shapes of that many polarities.
set -uo pipefail
build=${1:-build}
limit=${2:-60}
shift $(($# < 2 ? $# : 2))
extra=("$@")
cli="$build/bin/ixo-cli"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

count() { grep -E "$1" "$2" | head -n 1 | sed -E "s/.*$1 ?([0-9]+).*/\1/"; }

stairsOf=(1 2 3 4 6 8)
floorsOf=(2 3 5 8 12 20 30 40 60 100)
flatsOf=(1 2 3 4 6 8)
outletsOf=(1 2 3 4 6)
polaritiesOf=(4 8 12 16)
topologyOf=(cascadeable standalone)
seed=12345
# draw N: the next of a fixed sequence, 0 to N-1, in $drawn (no subshell, so that the sequence advances)
draw() { seed=$(((seed * 1103515245 + 12345) % 2147483648)); drawn=$(((seed / 65536) % $1)); }

echo "stairs,floors,flats,outlets,polarities,topology,distribution,auto_rc,auto_failing,powering,overdrive,amplifiers,seconds,reason"
total=0 passed=0
for _ in $(seq "${SWEEP_PAIRS:-80}"); do
    draw 6; s=${stairsOf[$drawn]}
    draw 10; f=${floorsOf[$drawn]}
    draw 6; fl=${flatsOf[$drawn]}
    draw 5; o=${outletsOf[$drawn]}
    draw 4; p=${polaritiesOf[$drawn]}
    draw 2; t=${topologyOf[$drawn]}
    if [ -n "${SWEEP_TOPOLOGY:-}" ] && [ "$t" != "$SWEEP_TOPOLOGY" ]; then
        continue
    fi
    if [ -n "${SWEEP_POLARITIES:-}" ] && [ "$p" != "$SWEEP_POLARITIES" ]; then
        continue
    fi
    for d in star cascade; do
        shape="--stairs $s --floors $f --flats-per-floor $fl --outlets $o --polarities $p --topology $t --distribution $d"
        start=$(date +%s.%N)
        timeout "$limit" "$cli" new $shape "${extra[@]}" --auto > "$work/auto" 2>&1
        rc=$?
        seconds=$(echo "$(date +%s.%N) - $start" | bc)
        reason=""
        if [ "$rc" -ne 0 ]; then
            reason=$(grep -m 1 -E '^  (Binding budget|STAIR|FLOOR|FL)' "$work/auto" | sed -E 's/^ +//; s/,/;/g' | cut -c 1-200)
        fi
        echo "$s,$f,$fl,$o,$p,$t,$d,$rc,$(count "Outlets out of limits:" "$work/auto"),$(count "Powering:" "$work/auto"),$(count "Overdrive:" "$work/auto"),$(count "Amplifiers inserted:" "$work/auto"),$seconds,$reason"
        total=$((total + 1))
        [ "$rc" -eq 0 ] && passed=$((passed + 1))
    done
done
echo "# $total shapes: $passed pass after --auto ${extra[*]} (exit 124: timed out)"
