#!/usr/bin/env bash
# `make test` where make may not be installed yet: installs what building and running the tests
# needs, make included, then builds and runs every test with CTest.
set -euo pipefail
cd "$(dirname "$0")"
bash scripts/install-deps.sh window test
exec make test
