#!/usr/bin/env bash
# End-to-end run of the window's documents under Xvfb, driven with xdotool (a ctest test; about a minute):
# the README's cascade building gets its author, date, revision and title through Options > Project
# information and is printed to PDF (read back with pdftotext); the list of materials is created through
# the chooser, edited in the report editor (a line in bold, a table column widened), saved, closed,
# opened again from Reports > Open and printed to PDF; the configuration's floor distance and cascadable
# multiswitch family are changed through the dialog and the catalogue explorer, Ixo.ini holds them and a
# new project is built with them. Screenshots of every step go to the output folder.
#
#   tests/ui/documents_end_to_end.sh BUILD_DIR OUT_DIR
#
# Needs xvfb, xdotool, imagemagick and poppler-utils (skipped without them). The window runs without a window manager at 0,0 in
# its first-run size, so the positions below are fixed. The program folder is copied to OUT_DIR/program
# so that the settings file written is the run's own.
set -euo pipefail
build=$(cd "${1:?build folder}" && pwd)
out=$(mkdir -p "${2:?output folder}" && cd "$2" && pwd)
# What a previous run left would make the save dialogs ask before overwriting.
rm -f "$out"/*.XPJ "$out"/*.BAK "$out"/*.png "$out"/*.txt "$out"/*.pdf "$out"/*.html "$out/display"
for tool in Xvfb xdotool import pdftotext pdffonts; do
    command -v "$tool" >/dev/null || {
        echo "SKIP: the run needs Xvfb, xdotool, ImageMagick and poppler-utils (scripts/ixo-dev deps)"
        exit 77
    }
done
# A display number of its own, so that runs beside each other do not meet.
Xvfb -displayfd 3 -screen 0 1600x1000x24 3>"$out/display" >"$out/xvfb.log" 2>&1 &
xvfb=$!
for _ in $(seq 50); do [ -s "$out/display" ] && break; sleep 0.1; done
[ -s "$out/display" ] || { echo "FAIL: Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(cat "$out/display")"
export XDG_CONFIG_HOME="$out/config"
rm -rf "$XDG_CONFIG_HOME" "$out/program"
mkdir -p "$out/program"
cp "$build/bin/ixo" "$build/bin/ixo-cli" "$out/program/"
ln -s "$build/bin/BD" "$out/program/BD"
cleanup() {
    [ -n "${app:-}" ] && kill "$app" 2>/dev/null || true
    kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT
sleep 1

fail() { echo "FAIL: $*" >&2; exit 1; }
shot() { import -window root "$out/$1.png"; }
click() { xdotool mousemove "$1" "$2" click 1; sleep "${3:-0.7}"; }
# Waits (at most ten seconds) for a window whose title holds the text: a loaded machine opens windows late.
wait_window() {
    for _ in $(seq 100); do
        xdotool search --name "$1" >/dev/null 2>&1 && { sleep 0.3; return 0; }
        sleep 0.1
    done
    fail "no window '$1'"
}

"$out/program/ixo-cli" new --stairs 3 --floors 10 --flats-per-floor 2 --outlets 4 --distribution cascade \
    --polarities 12 -o "$out/cascade.XPJ" >/dev/null || true
"$out/program/ixo" "$out/cascade.XPJ" 2>"$out/ixo.log" &
app=$!
wait_window "cascade.XPJ"
sleep 2
shot 01-cascade-building

# Options > Project information: the focus starts on the author; Tab passes the captions.
click 149 8
click 206 75 1
xdotool type "Ann Smith"
xdotool key Tab
xdotool type "10/12/2026"
xdotool key Tab
xdotool type "B"
xdotool key Tab
xdotool type "Cascade building 3 x 10"
shot 02-project-information
xdotool key Return
sleep 2
shot 03-title-block-filled

# File > Print to PDF: the title block's texts are on paper.
click 20 8
click 47 209 2
click 650 417 0.3
xdotool key ctrl+a
xdotool type "$out/sheet.pdf"
xdotool key Return
sleep 4
pdftotext -layout "$out/sheet.pdf" "$out/sheet.txt"
for text in "Ann Smith" "10/12/2026" "Cascade building 3 x 10"; do
    grep -q "$text" "$out/sheet.txt" || fail "the printed sheet lacks '$text'"
done

# Reports > Create: the chooser, a double click on "List of materials", the report in the editor.
click 253 8
xdotool key Down Return
wait_window "Create reports"
shot 04-report-chooser
xdotool mousemove 541 322 click --repeat 2 --delay 80 1
wait_window "Editor"
sleep 2
shot 05-report-editor
report="$out/cascade_List of materials.html"
[ -s "$report" ] || fail "the report was not saved beside the project"
cp "$report" "$out/generated.html"

# A line in bold (a description cell), then Format > Table: the second column 4.5 cm wide.
click 354 249 0.3
xdotool key Home shift+End
click 234 33 0.5
click 354 249 0.3
click 144 8
click 170 73 1
shot 06-table-format
xdotool key Tab ctrl+a
xdotool type "4.5"
xdotool key Return
sleep 1
shot 07-edited
click 20 8 0.5
click 48 51 1.5 # Save
cmp -s "$out/generated.html" "$report" && fail "the edited report was not saved"
click 20 8 0.5
click 45 165 1 # Exit

# Reports > Open: the saved report in the editor again, printed to PDF.
click 253 8 0.6
click 271 51 1.5
xdotool type "cascade_List of materials.html"
xdotool key Return
sleep 3
shot 08-reopened
click 20 8 0.5
click 53 119 1.5 # Print
click 460 487 0.3
xdotool key ctrl+a
xdotool type "$out/materials.pdf"
xdotool key Return
sleep 3
pdftotext -layout "$out/materials.pdf" "$out/materials.txt"
grep -q "Splitter 3 ways" "$out/materials.txt" || fail "the printed report"
pdffonts "$out/materials.pdf" | grep -q Bold || fail "the bold line was not printed bold"
click 20 8 0.5
click 45 165 1 # Exit

# Options > Configuration: floors 2.8 m apart; the cascadable family chosen in the explorer.
click 149 8 0.6
click 190 29 1.5
click 710 241 0.3
xdotool key ctrl+a
xdotool type "5000"
xdotool key Tab
sleep 0.7
shot 09-distance-refused
xdotool key ctrl+a
xdotool type "2.8"
xdotool key Tab
click 575 160
click 845 249 1.5
shot 10-catalogue-explorer
click 453 230 0.5
click 715 576 1
shot 11-distribution-page
click 742 620 1
grep -q "^D_FLOOR=2.8" "$out/program/Ixo.ini" || fail "Ixo.ini lacks the floor distance"
grep -q "^FAM_MS_CAS=5005" "$out/program/Ixo.ini" || fail "Ixo.ini lacks the multiswitch family"

# File > New: the new building uses them (answer Yes to saving the cascade building).
click 20 8 0.5
click 46 29 1.5
click 594 408 3
click 733 242 0.3
xdotool key ctrl+a
xdotool type 3
click 733 318 0.3
xdotool key ctrl+a
xdotool type 3
click 679 573 1
for _ in 1 2 3; do xdotool type 1; xdotool key Tab; done
click 679 573 5
shot 12-new-project-with-the-defaults
echo "documents end-to-end run passed; screenshots in $out"
