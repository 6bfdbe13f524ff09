#!/usr/bin/env bash
# Sets everything up, builds the program (the tests are built by
# scripts/test.sh) and starts it from its own directory, build/bin: the help
# files are read from the current directory, and the data files it saves are
# written there too.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh --program
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  cat >&2 <<'TEXT'

The program is built (build/bin/dzsb) but not started: there is no display
(neither DISPLAY nor WAYLAND_DISPLAY is set). To look at it:
  - in a desktop session, run  bash scripts/run.sh  again from its terminal;
  - over SSH, log in with  ssh -X  and run  bash scripts/run.sh;
  - as a picture of a virtual screen (needs imagemagick for "import"):
      cd build/bin && xvfb-run -a -s "-screen 0 1400x1000x24" \
        sh -c './dzsb & sleep 5; import -window root /tmp/dzsb.png; kill $!'
    then open /tmp/dzsb.png.
TEXT
  exit 1
fi
cd build/bin
exec ./dzsb
