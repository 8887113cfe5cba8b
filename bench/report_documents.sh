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
