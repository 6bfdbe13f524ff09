#!/usr/bin/env bash
# Benchmark, not a test: the time a newcomer waits for the program's window.
# Clones this repository into a temporary folder, runs scripts/run.sh there on
# a virtual screen with ccache off, and reports the seconds from the start of
# run.sh until the main window "电子申报" is shown, with the machine's load.
# Usage: scripts/bench_run.sh [commit]   (needs xvfb and xdotool)
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
commit=${1:-HEAD}
work=$(mktemp -d /tmp/dzsb-bench-XXXXXX)
trap 'rm -rf "$work"' EXIT
git clone -q "$repo" "$work/dzsb"
git -C "$work/dzsb" checkout -q "$(git -C "$repo" rev-parse "$commit")"
echo "clone: $work/dzsb at $(git -C "$work/dzsb" rev-parse --short HEAD), $(nproc) cores"
echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
export CCACHE_DISABLE=1 WORK="$work"
xvfb-run -a -s "-screen 0 1400x1000x24" bash -c '
  start=$(date +%s.%N)
  bash "$WORK/dzsb/scripts/run.sh" >"$WORK/run.log" 2>&1 &
  run=$!
  if ! timeout 7200 xdotool search --sync --onlyvisible --name "^电子申报\$" >/dev/null; then
    echo "no window; see the log:"; tail -20 "$WORK/run.log"; kill $run 2>/dev/null; exit 1
  fi
  end=$(date +%s.%N)
  echo "load at the window: $(cut -d" " -f1-3 /proc/loadavg)"
  steps=$(grep -o "^\[[0-9]*/[0-9]*\]" "$WORK/run.log" | tail -1 || true)
  echo "run.sh to window: $(awk "BEGIN { printf \"%.0f\", $end - $start }") s (last build step $steps)"
  kill $run
  wait $run 2>/dev/null || true
  # CPU time of run.sh and everything it ran, which depends less on the load.
  # (times, not in a pipe: a forked shell would report its own children).
  times >"$WORK/times"
  tail -1 "$WORK/times" | awk "{ print \"CPU time of run.sh (user, system): \" \$1 \", \" \$2 }"'
