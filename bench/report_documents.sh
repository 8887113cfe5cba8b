#!/usr/bin/env bash
# The outlet levels report of the largest building (8 stairs x 100 floors x 4 flats x 4 outlets, 16
# polarities: 12,800 outlets, 612 pages) as a user waits for it, process start to exit: ixo-cli writing
# it to PDF, and to HTML (the report's own file, which the window's editor opens); then the editor
# offscreen (bench/report_editor_bench): Reports > Open of that file, the window shown with its first
# page, then laid out to its end for the page count; and Reports > Create, written, saved and shown.
# One run each. The processor time is printed beside the wall time: on a machine shared with others'
# builds the wall time is the processor time plus the waiting for a processor.
#
#   bench/report_documents.sh [BUILD_DIR]      (default: build)
#
# Last measured (2 processors, neither idle): PDF drawn on the calling thread, 6.68 s wall, 6.23 s user +
# 0.38 s system (load 5); PDF drawn on a thread of its own while the next parts are laid out, 6.77 s wall,
# 6.10 s user + 0.37 s system (load 2.0 to 2.6: two other processes kept both processors busy). Of that
# processor time the calling thread takes 3.9 s (0.9 s opening and writing the report, 3.0 s laying out)
# and the drawing thread 2.4 s, so on an idle machine the wall time is about the calling thread's.
# Editor: shown in 4.67 s (4.36 s of processor), at load 2.
set -euo pipefail
build=${1:-build}
cli="$build/bin/ixo-cli"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
L="--stairs 8 --floors 100 --flats-per-floor 4 --outlets 4 --polarities 16"

timed() {
    /usr/bin/time -f "%e s wall, %U s user + %S s system, peak %M KiB" -o "$work/time" "$@" > /dev/null 2>&1 || true
    tail -n 1 "$work/time"
}
# shellcheck disable=SC2086
"$cli" --settings /nonexistent new $L -o "$work/L.XPJ" > /dev/null || true
echo "outlet levels report of L to PDF:  $(timed "$cli" --settings /nonexistent report --levels -o "$work/L.pdf" "$work/L.XPJ")"
echo "  pages: $(pdfinfo "$work/L.pdf" 2>/dev/null | awk '/^Pages/ { print $2 }')"
echo "outlet levels report of L to HTML: $(timed "$cli" --settings /nonexistent report --levels -o "$work/L.html" "$work/L.XPJ")"
IXO_REPORT_FILE="$work/L.html" "$build/bench/report_editor_bench" --benchmark_repetitions=1 2>&1 |
    grep -v -e "^QStandardPaths" -e "propagateSizeHints"
