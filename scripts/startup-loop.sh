#!/usr/bin/env bash
# Starts each window program COUNT times in a row (default 200) and reports every start
# that did not end in a shown window: a crash, an abort, a sanitizer report, a fatal Qt
# message. Meant for the sanitizer build (bash scripts/build.sh --sanitize).
#
#   bash scripts/startup-loop.sh [COUNT] [PLATFORM...]     PLATFORM: offscreen xcb
#
# Every start runs as a user of its own making: a HOME of its own and none of the
# session's XDG folders. The first start of each series, and every fourth after it,
# gets an empty HOME, as a new user would; the others reuse a HOME that an earlier
# start has filled. Under xcb (a private Xvfb display) a start counts as shown when its
# window is mapped; offscreen, where no window can be seen from outside, when the
# program has gone idle (no CPU time used for half a second: its event loop waits).
# Logs of failed starts are kept in LOG_DIR (default BUILD_DIR/startup-loop/), so that
# two loops, one per platform, can run side by side.
set -uo pipefail
cd "$(dirname "$0")/.."

count=${1:-200}
shift || true
platforms=("$@")
((${#platforms[@]})) || platforms=(offscreen xcb)
build=${BUILD_DIR:-build-sanitize}
display=${LOOP_DISPLAY:-:97}
programs=(kelvane kelvane-analyzer)
logs=${LOG_DIR:-$build/startup-loop}
rm -rf "$logs"
mkdir -p "$logs"
homes=$(mktemp -d)
xvfb=

cleanup() {
  [[ -n $xvfb ]] && kill "$xvfb" 2>/dev/null
  rm -rf "$homes"
}
trap cleanup EXIT

for program in "${programs[@]}"; do
  if [[ ! -x $build/bin/$program ]]; then
    echo "missing $build/bin/$program: build it first" >&2
    exit 2
  fi
done

if [[ " ${platforms[*]} " == *" xcb "* ]]; then
  Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb=$!
  sleep 1
fi

# CPU time the process has used so far, in clock ticks; empty once it is gone.
cpu_ticks() {
  awk '{ print $14 + $15 }' "/proc/$1/stat" 2>/dev/null
}

# Waits up to a minute for the process to go idle; false if it ends first.
went_idle() {
  local last now
  last=$(cpu_ticks "$1")
  for ((tick = 0; tick < 120; tick++)); do
    sleep 0.5
    now=$(cpu_ticks "$1")
    [[ -z $now ]] && return 1
    [[ $now == "$last" ]] && return 0
    last=$now
  done
  return 1
}

# Whether the log holds what a clean start never prints.
troubled() {
  grep -qE 'ERROR: (AddressSanitizer|LeakSanitizer)|runtime error:|QFATAL|^Fatal|Aborted|ASSERT' "$1"
}

failures=0
for platform in "${platforms[@]}"; do
  for program in "${programs[@]}"; do
    shown=0
    for ((i = 1; i <= count; i++)); do
      if ((i % 4 == 1)); then
        home=$(mktemp -d "$homes/home.XXXXXX")
      fi
      log=$logs/$program-$platform-$i.log
      env -i PATH="$PATH" HOME="$home" USER=subject LANG=C.UTF-8 \
        QT_QPA_PLATFORM="$platform" DISPLAY="$display" \
        ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
        "$build/bin/$program" >"$log" 2>&1 &
      pid=$!
      ok=0
      if [[ $platform == xcb ]]; then
        DISPLAY=$display timeout 60 xdotool search --sync --onlyvisible --pid "$pid" >/dev/null 2>&1 && ok=1
      else
        went_idle "$pid" && ok=1
      fi
      kill -0 "$pid" 2>/dev/null || ok=0
      kill -TERM "$pid" 2>/dev/null
      wait "$pid"
      status=$?
      # 143 is the SIGTERM that ends a start that went well.
      if ((ok == 1)) && ((status == 143 || status == 0)) && ! troubled "$log"; then
        shown=$((shown + 1))
        rm -f "$log"
      else
        failures=$((failures + 1))
        echo "$program ($platform) start $i: exit status $status, log kept: $log"
      fi
    done
    echo "$program ($platform): $shown of $count starts showed the window"
  done
done
exit $((failures > 0))
