#!/usr/bin/env bash
# Sets everything up, builds, and starts the program from its own directory
# (the help files are read from the current directory).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cd build/bin
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  exec xvfb-run -a ./dzsb
fi
exec ./dzsb
