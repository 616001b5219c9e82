#!/usr/bin/env bash
# `make run` where make may not be installed yet: installs what building and running the window
# needs, make included, then builds and opens the window.
set -euo pipefail
cd "$(dirname "$0")"
bash scripts/install-deps.sh window
exec make run
