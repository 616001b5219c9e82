#!/usr/bin/env bash
# Takes a screenshot of the window in English after a compute run with the start data:
# docs/screenshot.png. Runs the real window on a virtual X server (`make screenshot` installs it).
set -euo pipefail
build_dir=${1:-build}
language=${2:-1}   # 0 Chinese, 1 English, 2 Japanese
output=${3:-docs/screenshot.png}

xvfb-run -a -s "-screen 0 531x527x24" bash -c '
  "$1/app/tamrel" &
  app=$!
  sleep 2
  # The window sits at the top-left corner without a window manager; positions in pixels.
  language_y=$((24 + 24 * $2))
  xdotool mousemove 440 "$language_y" click 1
  xdotool mousemove 304 188 click 1
  sleep 1
  import -window root "$3"
  kill "$app"
' screenshot "$build_dir" "$language" "$output"
echo "screenshot: $output"
