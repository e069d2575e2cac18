#!/usr/bin/env bash
# Plays a subject through tests/data/packaging/sample.box with real X input, inside
# xvfb-run on a 1024 x 768 screen: START, a wrong box, the target, START again. The
# places follow from the cluster (85 % screen size, boxes of 480 twips at .1714,.6857
# and .5,.5). Usage: package-subject.sh KELVANE CLUSTER.box
set -euo pipefail
kelvane=$1 cluster=$2
"$kelvane" --run-cluster "$cluster" 2>"${cluster%.box}.err" &
runner=$!
# The start screen is up when the trial window is mapped; a moment more for its layout.
for _ in $(seq 50); do
  xdotool search --onlyvisible --class kelvane >/dev/null 2>&1 && break
  sleep 0.2
done
sleep 1
click() { xdotool mousemove "$1" "$2" click 1; sleep "$3"; }
click 512 690 0.6   # START
click 313 466 0.4   # box 1, empty
click 528 345 3     # box 2, the target; the boxes close after 2 s
click 512 690 0     # START: the cluster's only trial is done
wait "$runner"
