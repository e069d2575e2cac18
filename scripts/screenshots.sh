#!/usr/bin/env bash
# Makes every picture the manual shows, into docs/images/, by starting the built programs
# under Xvfb with the example cluster and driving them with real mouse clicks and keys
# (xdotool). Run it after changing a window, then look at the pictures before committing.
# Not part of the tests.
#
# Usage: scripts/screenshots.sh [BUILD_DIR] [DISPLAY]      (defaults: build :16)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
display=${2:-:16}
images=$PWD/docs/images
for program in kelvane kelvane-analyzer kelvane-analyze kelvane-check kelvane-search-picture; do
  [[ -x $build/bin/$program ]] || { echo "screenshots: $build/bin/$program is not built" >&2; exit 1; }
done
drawing=$PWD/$build/bin/kelvane-search-picture

# A fixed folder, since its paths show in the pictures; one run at a time may use it.
work=/tmp/kelvane-lab
exec 9>"$work.lock"
flock 9
rm -rf "$work"
# The programs as a package installs them, so that the pictures show what a researcher
# sees (the pictures kept per user, never a build folder's path).
cmake --install "$build" --prefix "$work/usr" >/dev/null
bin=$work/usr/bin
# A user of its own: first-run settings, the shipped pictures, nothing of the caller's.
export HOME=$work/anna XDG_CONFIG_HOME=$work/anna/.config XDG_DATA_HOME=$work/anna/.local/share
unset XDG_CURRENT_DESKTOP DESKTOP_SESSION QT_QPA_PLATFORM
# The tutorial's study folder, as the tutorial makes it.
study=$HOME/study
mkdir -p "$study/results"

# A server still on the display (a run just ended, whose server is still shutting down)
# would take this run's programs with it when it goes.
for _ in $(seq 100); do DISPLAY=$display xdpyinfo >/dev/null 2>&1 || break; sleep 0.1; done
DISPLAY=$display xdpyinfo >/dev/null 2>&1 && { echo "screenshots: a server is running on $display already" >&2; exit 1; }
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb=$!
export DISPLAY=$display
app=
stop() { if [[ -n $app ]]; then kill "$app" 2>/dev/null || true; wait "$app" 2>/dev/null || true; app=; fi; }
trap 'stop; kill $xvfb 2>/dev/null || true; wait $xvfb 2>/dev/null || true; [[ -n ${KEEP_WORK:-} ]] || rm -rf "$work"' EXIT
# A loaded machine can take seconds to bring the display up.
for _ in $(seq 300); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
xdpyinfo >/dev/null 2>&1 || { echo "screenshots: the display $display did not come up" >&2; exit 1; }

# The first visible window whose title matches; waits for it up to 10 s.
window() {
  local id
  for _ in $(seq 100); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1) && [[ -n $id ]] && { echo "$id"; return; }
    sleep 0.1
  done
  echo "screenshots: no window \"$1\" appeared" >&2
  exit 1
}
settle() { sleep "${1:-0.8}"; }
shoot_window() { local id; id=$(window "$1") || exit 1; settle; import -window "$id" "$images/$2"; echo "  $2"; }
shoot_screen() { settle; import -window root "$images/$1"; echo "  $1"; }
# A part of the screen, for a window together with the menu or message over it.
shoot_area() { settle; import -window root -crop "$1" +repage "$images/$2"; echo "  $2"; }
click() { xdotool mousemove "$1" "$2" click 1; settle "${3:-0.4}"; }
# Starts a program, again if it could not reach the display: a loaded machine's server
# can refuse a client for a moment after a program was ended.
start() {
  for _ in 1 2 3 4 5; do
    "$@" >>"$work/programs.log" 2>&1 & app=$!
    sleep 1
    kill -0 "$app" 2>/dev/null && return
    wait "$app" 2>/dev/null || true
  done
  echo "screenshots: $1 did not start; see $work/programs.log" >&2
  exit 1
}
# Results of an experiment go to the folder the program was started from.
start_in() { local folder=$1; shift; (cd "$folder" && exec "$@") >>"$work/programs.log" 2>&1 & app=$!; }
at_window() { local id; id=$(window "$1") || exit 1; eval "$(xdotool getwindowgeometry --shell "$id")"; }

# The centres of the boxes of trial $2 (from 0) of cluster file $1 on the trial window of
# a 1024 x 768 screen, one "x y" line per box: the layout square is the trial's screen
# size (percent) of the screen's height, centred, 50 twips from the top.
box_centres() {
  "$bin/kelvane-check" --json "$1" | python3 -c '
import json, sys
report = json.load(sys.stdin)
trial = (report[0] if isinstance(report, list) else report)["trials"][int(sys.argv[1])]
side = 768 * float(trial["ScreenSize"]) / 100
for box in trial["boxes"]:
    print(round(512 - side / 2 + box["Left"] / 7000 * side + 16), round(50 / 15 + box["Top"] / 7000 * side + 16))
' "$2"
}
# Plays trial $2 of the cluster $1 on the open trial window: START, then a click on each
# box named (from 1), in order.
play_trial() {
  local cluster=$1 trial=$2; shift 2
  mapfile -t centres < <(box_centres "$cluster" "$trial")
  xdotool key Return
  settle 0.6
  for box in "$@"; do
    click ${centres[$((box - 1))]} 0.4
  done
  settle 0.6
}

# "BOXES TARGET" for each trial of cluster file $1, one line a trial.
trials_of() {
  "$bin/kelvane-check" --json "$1" | python3 -c '
import json, sys
report = json.load(sys.stdin)
for trial in (report[0] if isinstance(report, list) else report)["trials"]:
    print(len(trial["boxes"]), trial["TargetNumberText"])
'
}
# The cluster files experiment file $1 lists, one a line.
listed_clusters() {
  "$bin/kelvane-check" --json "$1" | python3 -c '
import json, sys
report = json.load(sys.stdin)
for entry in (report[0] if isinstance(report, list) else report)["entries"]:
    if not entry.startswith("Message: "):
        print(entry)
'
}
# Plays every trial of cluster $1 as a subject who opens the boxes in number order, up
# from box 1 or down from the last box ($2: up or down), until the target opens; then
# START once more, which ends the cluster.
play_cluster() {
  local cluster=$1 way=$2 trial=0 boxes target
  mapfile -t trials < <(trials_of "$cluster")
  for line in "${trials[@]}"; do
    read -r boxes target <<<"$line"
    if [[ $way == up ]]; then
      play_trial "$cluster" "$trial" $(seq 1 "$target")
    else
      play_trial "$cluster" "$trial" $(seq "$boxes" -1 "$target")
    fi
    trial=$((trial + 1))
  done
  xdotool key Return
  settle 1
}
# Subject $1 runs experiment $2 from the experiment window, Hide Mouse unticked as the
# tutorial says, playing each cluster $3 (up or down); the summary is answered and the
# program left open with the experiment window ($app).
run_subject() {
  local name=$1 experiment=$2 way=$3
  start "$bin/kelvane" "$experiment"
  at_window "Run Experiment"
  settle 1
  click $((X + 340)) $((Y + 361))               # Subject name
  xdotool type "$name"
  click $((X + 601)) $((Y + 361))               # Hide Mouse, unticked
  click $((X + 582)) $((Y + 417)) 1.5           # Run: the first cluster's start screen
  mapfile -t clusters < <(listed_clusters "$experiment")
  for cluster in "${clusters[@]}"; do
    play_cluster "$cluster" "$way"
  done
  xdotool key Return                            # the run's summary
  settle 1
}

# Where the editor's Extra menu stands in its menu bar (File, Edit, Run, Trial, Extra,
# Help); move it when the menus change.
extra_menu_x=174
edit_menu_x=56

# The example cluster, where the package puts it.
examples=$work/usr/share/doc/kelvane/examples

cp "$examples/first-cluster.box" "$work/"

# A seed of its own, so that the pictures come out the same every time.
echo "== the tutorial's study, as its terminal line makes it"
"$bin/kelvane" --new-study "$study" --sizes 3,4 --problems 1 --seed 2026 >>"$work/programs.log" 2>&1

echo "== the cluster editor with a problem of the study, its Extra menu, the options, the icon editor, the manual"
start "$bin/kelvane" "$study/boxes3-1.box"
editor=$(window "Kelvane Settings")
shoot_window "Kelvane Settings" editor.png
geometry=$(xdotool getwindowgeometry "$editor" | sed -n 's/ *Geometry: //p')
click "$extra_menu_x" 8
shoot_area "$geometry+0+0" editor-extra-menu.png
xdotool key Down Return
shoot_window "Kelvane Options" options.png
xdotool key Escape
settle
click "$extra_menu_x" 8
xdotool key Down Down Return
iconeditor=$(window "Icon editor")
# A face drawn with the pencil, stroke by stroke, on the magnified view (a cell is 8
# pixels, cell 0,0 at 141,38 in the window): a yellow disc, black eyes, a red mouth.
eval "$(xdotool getwindowgeometry --shell "$iconeditor")"
cell() { echo $((X + 145 + 8 * $1)) $((Y + 42 + 8 * $2)); }
stroke() { # row, first column, last column
  xdotool mousemove $(cell "$2" "$1") mousedown 1
  xdotool mousemove $(cell "$3" "$1") mouseup 1
}
colour() { click $((X + $1)) $((Y + $2)) 0.2; }
click $((X + 25)) $((Y + 42)) 0.3             # New
colour 93 418                                  # yellow
for row in $(seq 4 27); do
  half=$(python3 -c "import math; print(int(math.sqrt(max(0, 12.2**2 - ($row - 15.5)**2))))")
  stroke "$row" $((16 - half)) $((15 + half))
done
colour 45 418                                  # black
for row in 10 11 12; do stroke "$row" 10 12; stroke "$row" 19 21; done
colour 61 418                                  # red
stroke 19 8 9; stroke 20 9 11; stroke 21 11 20; stroke 20 20 22; stroke 19 22 23
xdotool mousemove $((X + 300)) $((Y + 200))
shoot_window "Icon editor" icon-editor-drawing.png
xdotool key F1
shoot_window "Kelvane Manual" help-window.png
stop

echo "== New Study, then undo in the editor: two boxes, an apple in one, made the target"
start "$bin/kelvane"
editor=$(window "Settings")
click 18 8                                    # File
xdotool key Down Down Down Down Return        # New Study...
shoot_window "New Study" new-study.png
xdotool key Escape
settle
drag() { xdotool mousemove "$1" "$2" mousedown 1; settle 0.2; xdotool mousemove $(( ($1 + $3) / 2 )) $(( ($2 + $4) / 2 )); settle 0.2; xdotool mousemove "$3" "$4"; settle 0.2; xdotool mouseup 1; settle 0.4; }
drag 541 456 160 210                          # Box1 onto the layout, twice
drag 541 456 333 377
drag 551 360 333 377                          # the apple into the second box
xdotool mousemove 333 377 click 3             # the target
settle 0.4
click "$edit_menu_x" 8
shoot_area "$(xdotool getwindowgeometry "$editor" | sed -n 's/ *Geometry: //p')+0+0" editor-edit-menu.png
xdotool key Escape
stop

echo "== the experiment window with the study, opened as from the file manager, and its first start screen"
# The results folder as the tutorial chooses it.
printf '\n[Experiment]\nResultsFolder=%s\n' "$study/results" >>"$XDG_CONFIG_HOME/Kelvane/Kelvane.conf"
start "$bin/kelvane" "$study/STUDY.bex"
shoot_window "Run Experiment" kelvane-bex-command-line.png
at_window "Run Experiment"
click $((X + 340)) $((Y + 361))               # Subject name
xdotool type pp01
click $((X + 601)) $((Y + 361))               # Hide Mouse, unticked
shoot_window "Run Experiment" experiment-window.png
click $((X + 651)) $((Y + 273)) 1             # Orders...: the scheme, then the preview
xdotool key Return
shoot_window "^Orders$" orders-preview.png
xdotool key Escape
settle
click $((X + 582)) $((Y + 417)) 1.5           # Run: the instruction on the first start screen
shoot_screen experiment-message.png
stop
rm -f "$study/results/pp01".*

echo "== the tutorial's two subjects"
run_subject pp01 "$study/STUDY.bex" up
stop
run_subject pp02 "$study/STUDY.bex" down
stop

echo "== what the subject sees"
start "$bin/kelvane" --run-cluster "$work/first-cluster.box"
window "Kelvane" >/dev/null
shoot_screen trial-start.png
# 85 % of 768 pixels: a square of 653 from x 186; boxes of 32 pixels.
click 512 690 0.6          # START
click 295 112              # box 1: empty, it opens
shoot_screen trial-running.png
click 295 485              # box 3: the apple, the target
shoot_screen trial-ended.png
# The rest of the cluster, with a return to a box and a visit to an earlier target, so
# that the report and the search viewer below have errors to show.
play_trial "$work/first-cluster.box" 1 2 1 2 5
play_trial "$work/first-cluster.box" 2 1 3 2
xdotool key Return         # START after the last trial ends the run
wait "$app" || true
app=

echo "== a run that cannot start: a folder where the result file goes"
mkdir -p "$work/blocked/first-cluster.bof"
cp "$examples/first-cluster.box" "$work/blocked/"
XDG_CURRENT_DESKTOP=Xvfb "$bin/kelvane" --run-cluster "$work/blocked/first-cluster.box" </dev/null >>"$work/programs.log" 2>&1 &
app=$!
shoot_window "Run Cluster" run-cannot-start.png
stop

echo "== the analyzer"
start "$bin/kelvane-analyzer" "$study/results/pp01.bof" "$study/results/pp02.bof"
at_window "Kelvane Analyzer"
click $((X + 220)) $((Y + 38))                # Output file
xdotool type "$study/study.dat"
click $((X + 16)) $((Y + 66))                 # Also write tidy tables
click $((X + 300)) $((Y + 66))                # their folder
xdotool type "$study/tidy"
click $((X + 470)) $((Y + 122)) 1             # Compute and save
shoot_window "Kelvane Analyzer" analyzer.png
stop

echo "== stored values the options cannot show: a missing picture, a colour that is no number"
sed -i 's/^3=Content3.ico/3=Pear.ico/; s/^BackColor=.*/BackColor=dark/' "$XDG_CONFIG_HOME/Kelvane/Kelvane.conf"
start "$bin/kelvane"
window "Settings" >/dev/null
settle 1.5
# The editor first names what it cannot use from the store, in messages of its own:
# each is answered until the Extra menu opens the options.
for _ in 1 2 3 4 5; do
  click "$extra_menu_x" 8
  xdotool key Down Return
  settle 1
  xdotool search --onlyvisible --name 'Kelvane Options' >/dev/null 2>&1 && break
  xdotool key Escape; settle 0.3; xdotool key Return; settle 0.5
done
shoot_screen options-stored-problems.png
stop

echo "== the tutorial's report: pp01's page of the 4-box problem; the search viewer"
"$bin/kelvane-analyze" --report "$study/report.pdf" "$study/results/pp01.bof" "$study/results/pp02.bof" \
  2>>"$work/programs.log"
# Pages: the study, then per subject its scores and a page per cluster (practice, 3, 4).
pdftoppm -r 90 -f 5 -l 5 -png -singlefile "$study/report.pdf" "$work/report-page"
cp "$work/report-page.png" "$images/report-page.png"
echo "  report-page.png"
start "$bin/kelvane-analyzer" "$study/results/pp01.bof" "$study/results/pp02.bof"
at_window "Kelvane Analyzer"
settle 1
click $((X + 466)) $((Y + 426)) 1             # Search viewer...
at_window "Search viewer"
click $((X + 260)) $((Y + 49)) 0.4            # the cluster choice
xdotool key End Return                        # the 4-box problem
settle 0.5
click $((X + 430)) $((Y + 77))                # Next trial
click $((X + 200)) $((Y + 250)) 0.4           # the drawing, for the arrow keys
xdotool key End
shoot_window "Search viewer" search-viewer.png
stop

echo "== the concepts page: the third search of a problem of six boxes"
# Six boxes that stay in place while the target moves (box 4, then 1, then 6); only the
# target box holds an object.
mkdir -p "$work/concept"
python3 - "$work/concept/six-boxes.box" <<'PY'
import sys
places = [(1, 1), (4, 1), (2, 3), (5, 3), (1, 5), (4, 5)]
targets = [4, 1, 6]
fraction = lambda sevenths: " ." + f"{sevenths / 7:.7f}".split(".")[1]
lines = ["3"]
for target in targets:
    fields = ['"20"', '"Time is up."', f'"{target}"', '"Find the apple."', '"Found it! Click START to go on."',
              '"2"', '" 0"', '" 16777215"', '"85"', '" 6"']
    for number, (x, y) in enumerate(places, 1):
        picture = (number - 1) % 4 + 1
        held = number == target
        fields += [f'"Box{picture}.ico"', f'"EmptyBox{picture}.ico"', '"Content1.ico"' if held else '"leeg"',
                   "#FALSE#" if held else "#TRUE#", f'"{fraction(x)}"', f'"{fraction(y)}"']
    lines.append(",".join(fields) + ",")
lines.append(",".join(f'"Content{k}.ico"' for k in range(1, 7)) + ",")
open(sys.argv[1], "wb").write("\r\n".join(lines).encode("cp1252"))
PY
start "$bin/kelvane" --run-cluster "$work/concept/six-boxes.box"
window "Kelvane" >/dev/null
settle 1
play_trial "$work/concept/six-boxes.box" 0 1 2 4
play_trial "$work/concept/six-boxes.box" 1 3 4 5 1
play_trial "$work/concept/six-boxes.box" 2 2 4 3 1 3 6
xdotool key Return
wait "$app" || true
app=
"$drawing" "$work/concept/six-boxes.bof" 1 2 "$images/concepts-search.png"
echo "  concepts-search.png"

echo "pictures written to $images"
