#!/usr/bin/env bash
# Screenshots of the main window at 1x under Xvfb, in each slider mode and
# both slider styles, into docs/screenshots/. Needs a built build/src/tintwell.
set -euo pipefail
cd "$(dirname "$0")/.."
BIN=${TINTWELL_BIN:-build/src/tintwell}
OUT=docs/screenshots
DISPLAY_NO=${TINTWELL_SHOT_DISPLAY:-:77}
mkdir -p "$OUT"
work=$(mktemp -d)
Xvfb "$DISPLAY_NO" -screen 0 1024x768x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
sleep 1
modes=(rgb hsl hsb cmy)
for mode in 0 1 2 3; do
  for old in 0 1; do
    rm -rf "$work/cfg" "$work/data"
    mkdir -p "$work/cfg/Tintwell" "$work/data"
    # Orange (255, 128, 0), stored as 0x0080FF; a stored colour skips the terms window.
    cat > "$work/cfg/Tintwell/settings.ini" <<INI
[Software\\Veskor Software\\Tintwell]
"Last Color" = dword:33023
"MainX" = dword:1500
"MainY" = dword:1500
"Old Sliders" = dword:$old
"Sliders" = dword:$mode
INI
    DISPLAY=$DISPLAY_NO XDG_CONFIG_HOME="$work/cfg" XDG_DATA_HOME="$work/data" "$BIN" >/dev/null 2>&1 &
    app=$!
    sleep 2
    id=$(DISPLAY=$DISPLAY_NO xdotool search --name '^Tintwell$' | head -1)
    style=$([ "$old" = 1 ] && echo old || echo new)
    DISPLAY=$DISPLAY_NO import -window "$id" "$OUT/main-${modes[$mode]}-$style-style.png"
    kill $app
    wait $app 2>/dev/null || true
  done
done
ls -l "$OUT"
