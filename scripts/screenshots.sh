#!/usr/bin/env bash
# Makes every picture the manual shows, into docs/images/, by doing what the tutorial
# says, step by step, as a new user of the installed programs: under Xvfb, with real
# mouse clicks and keys (xdotool), finding each control by its accessible name as a
# screen reader does, and numbering in the pictures the controls the steps point at.
# Run it after changing a window or the tutorial, then look at the pictures before
# committing. Not part of the tests.
#
# Usage: scripts/screenshots.sh [BUILD_DIR] [DISPLAY]      (defaults: build :16)
# With KELVANE_PREFIX=/usr it uses the installed package instead of installing the build;
# KELVANE_IMAGES=FOLDER writes the pictures there instead.
# Needs xvfb, xdotool, imagemagick, poppler-utils, dbus, at-spi2-core, python3-pyatspi.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
display=${2:-:16}
images=${KELVANE_IMAGES:-$PWD/docs/images}
tools=$PWD/scripts/screenshots

# The pictures show the tutorial's folder, /home/anna/study: the script runs in a mount
# namespace of its own in which /home is a folder of its work, with a session bus for
# the accessibility tree.
if [[ -z ${KELVANE_SCREENSHOTS_INSIDE:-} ]]; then
  export KELVANE_SCREENSHOTS_INSIDE=1
  as_root=()
  [[ $(id -u) == 0 ]] || as_root=(--map-root-user)
  exec unshare --mount "${as_root[@]}" -- dbus-run-session -- bash "$0" "$@"
fi

prefix=${KELVANE_PREFIX:-}
if [[ -z $prefix ]]; then
  for program in kelvane kelvane-analyzer kelvane-analyze kelvane-check kelvane-search-picture; do
    [[ -x $build/bin/$program ]] || { echo "screenshots: $build/bin/$program is not built" >&2; exit 1; }
  done
fi
drawing=$(realpath -m "$build")/bin/kelvane-search-picture
[[ -x $drawing ]] || { echo "screenshots: $drawing is not built" >&2; exit 1; }

# A fixed folder; one run at a time may use it.
work=/tmp/kelvane-lab
exec 9>"$work.lock"
flock 9
rm -rf "$work"
mkdir -p "$work/home"
if [[ -z $prefix ]]; then
  # The programs as a package installs them, so that the pictures show what a
  # researcher sees (the pictures kept per user, never a build folder's path).
  cmake --install "$build" --prefix "$work/usr" >/dev/null
  prefix=$work/usr
fi
bin=$prefix/bin
examples=$prefix/share/doc/kelvane/examples
mount --bind "$work/home" /home
# A new user: first-run settings, the shipped pictures, nothing of the caller's.
export HOME=/home/anna
export XDG_CONFIG_HOME=$HOME/.config XDG_DATA_HOME=$HOME/.local/share XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
unset XDG_CURRENT_DESKTOP DESKTOP_SESSION QT_QPA_PLATFORM
export QT_ACCESSIBILITY=1 QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
study=$HOME/study

# A server still on the display (a run just ended, whose server is still shutting down)
# would take this run's programs with it when it goes.
for _ in $(seq 100); do DISPLAY=$display xdpyinfo >/dev/null 2>&1 || break; sleep 0.1; done
DISPLAY=$display xdpyinfo >/dev/null 2>&1 && { echo "screenshots: a server is running on $display already" >&2; exit 1; }
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb=$!
export DISPLAY=$display
app=
bus=
stop() { if [[ -n $app ]]; then kill "$app" 2>/dev/null || true; wait "$app" 2>/dev/null || true; app=; fi; }
trap 'stop; [[ -z $bus ]] || kill $bus 2>/dev/null; kill $xvfb 2>/dev/null || true; wait $xvfb 2>/dev/null || true; umount /home 2>/dev/null || true; [[ -n ${KEEP_WORK:-} ]] || rm -rf "$work"' EXIT
# A loaded machine can take seconds to bring the display up.
for _ in $(seq 300); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
xdpyinfo >/dev/null 2>&1 || { echo "screenshots: the display $display did not come up" >&2; exit 1; }
# The accessibility bus, before the first program: a program only offers its tree to a
# bus it finds at its start.
/usr/libexec/at-spi-bus-launcher --launch-immediately >>"$work/programs.log" 2>&1 &
bus=$!
sleep 1

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
# Numbered marks for the next picture, each beside a control that a step points at:
# "N X Y", the mark's centre in screen pixels.
marks=()
# draw_marks PICTURE LEFT TOP: draws the marks on a picture whose top left corner stood
# at LEFT, TOP on the screen, and forgets them.
draw_marks() {
  local picture=$1 left=$2 top=$3 width height number x y
  ((${#marks[@]})) || return 0
  read -r width height < <(identify -format '%w %h\n' "$picture")
  local draw=()
  for mark in "${marks[@]}"; do
    read -r number x y <<<"$mark"
    x=$((x - left)); y=$((y - top))
    ((x > width - 12)) && x=$((width - 12))
    ((x < 12)) && x=12
    ((y > height - 12)) && y=$((height - 12))
    ((y < 12)) && y=12
    draw+=(-fill '#c2410c' -stroke white -strokewidth 2 -draw "circle $x,$y $((x + 11)),$y"
           -stroke none -fill white -annotate "+$((x - 4 - 4 * (${#number} - 1)))+$((y + 5))" "$number")
  done
  # Without dates in the file, a picture that did not change keeps its bytes.
  /usr/bin/convert "$picture" -font DejaVu-Sans-Bold -pointsize 13 "${draw[@]}" -define png:exclude-chunks=date,time "$picture"
  marks=()
}
# shoot_window TITLE PICTURE [PLAIN]: a picture of the window, with the marks; PLAIN, if
# given, is the same picture without them, for the pages that have no steps to number.
shoot_window() {
  local id
  id=$(window "$1") || exit 1
  settle
  import -window "$id" "$images/$2"
  [[ -z ${3:-} ]] || { cp "$images/$2" "$images/$3"; echo "  $3"; }
  eval "$(xdotool getwindowgeometry --shell "$id")"
  draw_marks "$images/$2" "$X" "$Y"
  echo "  $2"
}
shoot_screen() { settle; import -window root "$images/$1"; draw_marks "$images/$1" 0 0; echo "  $1"; }
# A part of the screen, for a window together with the menu or message over it.
shoot_area() { settle; import -window root -crop "$1" +repage "$images/$2"; echo "  $2"; }
# at WINDOW NAME [ROLE]: finds the control named NAME (its accessible name) in the
# window whose title matches WINDOW; sets LEFT TOP WIDTH HEIGHT and its centre CX CY.
at() {
  local found
  found=$("$tools/find-widget.py" "$@") || exit 1
  read -r LEFT TOP WIDTH HEIGHT <<<"$found"
  CX=$((LEFT + WIDTH / 2)); CY=$((TOP + HEIGHT / 2))
}
# press WINDOW NAME [ROLE]: clicks the control.
press() { at "$@"; click "$CX" "$CY"; }
# fill WINDOW NAME TEXT: replaces the text of a field with TEXT, typed.
fill() { at "$1" "$2"; click "$CX" "$CY" 0.2; xdotool key ctrl+a BackSpace; xdotool type --delay 15 "$3"; settle 0.3; }
# mark N WHERE WINDOW NAME [ROLE]: numbers the control N in the next picture, the mark
# put where it hides nothing: left, right, above or below the control, or inside its
# right end (for a field whose text stays short).
mark() {
  local number=$1 where=$2 x y
  shift 2
  at "$@"
  case $where in
    left) x=$((LEFT - 14)); y=$CY ;;
    right) x=$((LEFT + WIDTH + 14)); y=$CY ;;
    above) x=$CX; y=$((TOP - 13)) ;;
    below) x=$CX; y=$((TOP + HEIGHT + 13)) ;;
    inside) x=$((LEFT + WIDTH - 14)); y=$CY ;;
    *) echo "screenshots: no place \"$where\" for a mark" >&2; exit 1 ;;
  esac
  marks+=("$number $x $y")
}
# menu WINDOW MENU ITEM: opens a menu of the window's menu bar and chooses an item.
menu() { press "$1" "$2" "menu item"; press "$1" "$3" "menu item"; }
# choose_path TITLE PATH: in the file dialog titled TITLE, types PATH and presses Enter,
# as a reader who types a whole path into the dialog's name field would.
choose_path() {
  window "$1" >/dev/null
  settle 0.6
  xdotool key ctrl+a
  xdotool type --delay 15 "$2"
  settle 0.5
  # A completion list over the field takes the first Enter.
  xdotool key Return
  settle 0.6
  if xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; then xdotool key Return; settle 0.6; fi
}
# answer TITLE: presses Enter on the message titled TITLE, its default button.
answer() { window "$1" >/dev/null; settle 0.5; xdotool key Return; settle 0.5; }
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
# Subject $1 runs the experiment open in the experiment window, playing each of its
# clusters $2 (up or down); pictures of the first start screen and of the run's summary
# are taken as $3 and $4, if given. The summary is answered; the experiment window stays
# open.
run_subject() {
  local name=$1 way=$2 picture=${3:-} summary=${4:-}
  fill "Run Experiment" "Subject name" "$name"
  press "Run Experiment" Run "push button"
  settle 1.5
  [[ -z $picture ]] || shoot_screen "$picture"
  local cluster
  for cluster in "${listed[@]}"; do
    play_cluster "$cluster" "$way"
  done
  settle 1
  if [[ -n $summary ]]; then
    at_window "Run Experiment"
    shoot_area "${WIDTH}x${HEIGHT}+$X+$Y" "$summary"
  fi
  answer "Run Experiment"                       # the run's summary
}

echo "== the tutorial, step by step"
# 1. Start Kelvane; the folder for the results.
mkdir -p "$study/results"
start "$bin/kelvane"
window "Settings" >/dev/null
settle 1

# 2. Make the study.
menu "Settings" File "New Study..."
window "^New Study$" >/dev/null
fill "^New Study$" Folder "~/study"
fill "^New Study$" "Problem sizes" "3,4"
fill "^New Study$" "Problems of each size" "1"
fill "^New Study$" Seed "2026"
mark 2 left "^New Study$" Folder
mark 3 left "^New Study$" "Problem sizes"
mark 3 left "^New Study$" "Problems of each size"
mark 4 left "^New Study$" Seed
mark 5 left "^New Study$" "Make Study" "push button"
shoot_window "^New Study$" tutorial-new-study.png
press "^New Study$" "Make Study" "push button"
answer "^New Study$"                            # "The study is ready: ..."
[[ -f $study/STUDY.bex && -f $study/boxes4-1.box ]] || { echo "screenshots: New Study made no study in $study" >&2; exit 1; }

# 3. Look at a problem: open it, and try its first trial.
press "Settings" "Open Cluster" "push button"
choose_path "^Open$" "$study/boxes3-1.box"
mark 1 above "Settings" "Open Cluster" "push button"
mark 2 below "Settings" Trial "menu item"
shoot_window "Kelvane Settings - boxes3-1" tutorial-editor.png editor.png
menu "Settings" Trial "Try Trial"
window "^Kelvane$" >/dev/null
settle 1
read -r boxes target < <(trials_of "$study/boxes3-1.box" | head -1)
play_trial "$study/boxes3-1.box" 0 $(seq 1 "$target")
xdotool key Return                              # START: back to the editor
settle 1

# Box sizes in millimetres, for the page on touch screens: the trial's Screen tab.
press "Settings" Screen "page tab"
mark 1 below "Settings" "Box Size (mm)"
shoot_window "Settings" touch-box-size.png
press "Settings" Messages "page tab"

# 4. Open the experiment, choose the results folder, check.
menu "Settings" Run Experiment
window "Run Experiment" >/dev/null
press "Run Experiment" "Open Experiment" "push button"
choose_path "^Open Experiment$" "$study/STUDY.bex"
press "Run Experiment" "Results Folder..." "push button"
choose_path "^Results Folder$" "$study/results"
press "Run Experiment" Check "push button"
answer "Run Experiment"                         # "The experiment can be run."
mark 1 left "Run Experiment" "Open Experiment" "push button"
mark 2 left "Run Experiment" "Results Folder..." "push button"
mark 3 left "Run Experiment" Check "push button"
shoot_window "Run Experiment" tutorial-experiment.png experiment-window.png
mapfile -t listed < <(listed_clusters "$study/STUDY.bex")

# 5. Two subjects, Hide Mouse unticked.
fill "Run Experiment" "Subject name" pp01
press "Run Experiment" "Hide Mouse" "check box"
mark 1 inside "Run Experiment" "Subject name"
mark 2 right "Run Experiment" "Hide Mouse" "check box"
mark 3 left "Run Experiment" Run "push button"
shoot_window "Run Experiment" tutorial-subject.png
run_subject pp01 up experiment-message.png tutorial-run-summary.png
run_subject pp02 down
stop
for subject in pp01 pp02; do
  [[ -f $study/results/$subject.bof && -f $study/results/$subject.events.csv ]] ||
    { echo "screenshots: the run of $subject wrote no results in $study/results" >&2; exit 1; }
done

# 6. Analyse.
start "$bin/kelvane-analyzer"
window "Kelvane Analyzer" >/dev/null
settle 1
press "Kelvane Analyzer" "Open file(s)" "push button"
choose_path "^Open$" "$study/results/"
choose_path "^Open$" '"pp01.bof" "pp02.bof"'
press "Kelvane Analyzer" Browse "push button"
choose_path "^Select outputfile$" "$study/study.dat"
press "Kelvane Analyzer" "Also write tidy tables" "check box"
fill "Kelvane Analyzer" "Folder for the tidy tables" "~/study/tidy"
press "Kelvane Analyzer" "Compute and save" "push button"
settle 1
mark 1 left "Kelvane Analyzer" "Open file(s)" "push button"
mark 2 inside "Kelvane Analyzer" "Output file:" text
mark 3 right "Kelvane Analyzer" "Include variable names" "check box"   # left ticked
mark 4 inside "Kelvane Analyzer" "Folder for the tidy tables"
mark 5 left "Kelvane Analyzer" "Compute and save" "push button"
shoot_window "Kelvane Analyzer" tutorial-analyzer.png analyzer.png
[[ -f $study/study.dat && -f $study/tidy/levels.csv ]] || { echo "screenshots: the analyzer wrote no tables" >&2; exit 1; }

# 7. The report.
press "Kelvane Analyzer" "Report..." "push button"
choose_path "^Save report$" "$study/report.pdf"
for _ in $(seq 100); do [[ -s $study/report.pdf ]] && break; sleep 0.2; done
[[ -s $study/report.pdf ]] || { echo "screenshots: the analyzer wrote no report" >&2; exit 1; }
settle 1
stop
# Pages: the study, then per subject its scores and a page per cluster (practice, 3, 4).
pdftoppm -r 90 -f 5 -l 5 -png -singlefile "$study/report.pdf" "$work/report-page"
cp "$work/report-page.png" "$images/report-page.png"
echo "  report-page.png"

echo "== the editor's menus, the options, the icon editor, the manual"
cp "$examples/first-cluster.box" "$work/"
start "$bin/kelvane" "$study/boxes3-1.box"
editor=$(window "Settings")
geometry=$(xdotool getwindowgeometry "$editor" | sed -n 's/ *Geometry: //p')
press "Settings" Extra "menu item"
shoot_area "$geometry+0+0" editor-extra-menu.png
press "Settings" Options "menu item"
shoot_window "Kelvane Options" options.png
xdotool key Escape
settle
menu "Settings" Extra "Icon Editor"
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

echo "== undo in the editor: two boxes, an apple in one, made the target"
start "$bin/kelvane"
editor=$(window "Settings")
settle 1
drag() { xdotool mousemove "$1" "$2" mousedown 1; settle 0.2; xdotool mousemove $(( ($1 + $3) / 2 )) $(( ($2 + $4) / 2 )); settle 0.2; xdotool mousemove "$3" "$4"; settle 0.2; xdotool mouseup 1; settle 0.4; }
drag 541 456 160 210                          # Box1 onto the layout, twice
drag 541 456 333 377
drag 551 360 333 377                          # the apple into the second box
xdotool mousemove 333 377 click 3             # the target
settle 0.4
press "Settings" Edit "menu item"
shoot_area "$(xdotool getwindowgeometry "$editor" | sed -n 's/ *Geometry: //p')+0+0" editor-edit-menu.png
xdotool key Escape
stop

echo "== the experiment window with the study, opened as from the file manager; its orders"
start "$bin/kelvane" "$study/STUDY.bex"
shoot_window "Run Experiment" kelvane-bex-command-line.png
press "Run Experiment" Orders "push button"   # the scheme, then the preview
settle 1
xdotool key Return
shoot_window "^Orders$" orders-preview.png
xdotool key Escape
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

echo "== stored values the options cannot show: a missing picture, a colour that is no number"
sed -i 's/^3=Content3.ico/3=Pear.ico/; s/^BackColor=.*/BackColor=dark/' "$XDG_CONFIG_HOME/Kelvane/Kelvane.conf"
start "$bin/kelvane"
window "Settings" >/dev/null
settle 1.5
# The editor first names what it cannot use from the store, in messages of its own:
# each is answered until the Extra menu opens the options.
at "Settings" Extra "menu item"
extra="$CX $CY"
for _ in 1 2 3 4 5; do
  click $extra
  xdotool key Down Return
  settle 1
  xdotool search --onlyvisible --name 'Kelvane Options' >/dev/null 2>&1 && break
  xdotool key Escape; settle 0.3; xdotool key Return; settle 0.5
done
shoot_screen options-stored-problems.png
stop

echo "== the search viewer on the tutorial's results: pp01's search of the 4-box problem"
start "$bin/kelvane-analyzer" "$study/results/pp01.bof" "$study/results/pp02.bof"
window "Kelvane Analyzer" >/dev/null
settle 1
press "Kelvane Analyzer" "Search viewer..." "push button"
settle 1
# The cluster choice: a list box shows the reader its chosen cluster as its name, so it
# is found by its label.
at "Search viewer" "Cluster:" label
click $((LEFT + WIDTH + 100)) "$CY" 0.4
xdotool key End Return                          # the 4-box problem
settle 0.5
press "Search viewer" "Next trial" "push button"
at_window "Search viewer"
click $((X + 200)) $((Y + 250)) 0.4             # the drawing, for the arrow keys
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
