#!/usr/bin/env bash
# Screenshots under Xvfb with a window manager (openbox), into docs/screenshots/:
# the main window in each slider mode and both slider styles at 1x, and the main
# window and the palette tool at device pixel ratios 1 and 2 (QT_SCALE_FACTOR).
# Needs a built build/src/tintwell.
set -euo pipefail
cd "$(dirname "$0")/.."
BIN=${TINTWELL_BIN:-build/src/tintwell}
OUT=docs/screenshots
# A display nobody else uses: on a shared machine another session's Xvfb on a
# fixed number would be photographed instead of ours.
DISPLAY_NO=${TINTWELL_SHOT_DISPLAY:-}
if [ -z "$DISPLAY_NO" ]; then
  for n in $(seq 77 199); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
      DISPLAY_NO=:$n
      break
    fi
  done
fi
mkdir -p "$OUT"
work=$(mktemp -d)
Xvfb "$DISPLAY_NO" -screen 0 1920x1200x24 >/dev/null 2>&1 &
xvfb=$!
sleep 1
if ! kill -0 "$xvfb" 2>/dev/null; then
  echo "Xvfb could not start on $DISPLAY_NO" >&2
  exit 1
fi
DISPLAY=$DISPLAY_NO openbox >/dev/null 2>&1 &
wm=$!
trap 'kill $wm $xvfb 2>/dev/null; rm -rf "$work"' EXIT
sleep 1

# shot MODE OLD SCALE MAIN_FILE [PALETTE_FILE]
shot() {
  local mode=$1 old=$2 scale=$3 main_file=$4 palette_file=${5:-}
  rm -rf "$work/cfg" "$work/data"
  mkdir -p "$work/cfg/Tintwell" "$work/data"
  # Orange (255, 128, 0), stored as 0x0080FF; a stored colour skips the terms window.
  cat > "$work/cfg/Tintwell/settings.ini" <<INI
[Software\\Veskor Software\\Tintwell]
"Last Color" = dword:33023
"MainX" = dword:1500
"MainY" = dword:1500
"PaletteX" = dword:8000
"PaletteY" = dword:1500
"Old Sliders" = dword:$old
"Sliders" = dword:$mode
INI
  DISPLAY=$DISPLAY_NO QT_SCALE_FACTOR=$scale XDG_CONFIG_HOME="$work/cfg" XDG_DATA_HOME="$work/data" \
    "$BIN" >/dev/null 2>&1 &
  local app=$!
  sleep 2
  local id
  id=$(DISPLAY=$DISPLAY_NO xdotool search --sync --onlyvisible --name '^Tintwell$' | head -1)
  DISPLAY=$DISPLAY_NO import -window "$id" "$OUT/$main_file"
  if [ -n "$palette_file" ]; then
    # A click on "Palette Tool" (Alt+P opens the Picker menu first): the
    # button's centre in logical pixels, below a menu bar of about 22.
    DISPLAY=$DISPLAY_NO xdotool mousemove --window "$id" $((290 * scale)) $((178 * scale)) click 1
    sleep 1
    local pid
    pid=$(DISPLAY=$DISPLAY_NO xdotool search --sync --onlyvisible --name '^Palette Tool' | head -1)
    DISPLAY=$DISPLAY_NO import -window "$pid" "$OUT/$palette_file"
  fi
  kill $app
  wait $app 2>/dev/null || true
}

modes=(rgb hsl hsb cmy)
for mode in 0 1 2 3; do
  for old in 0 1; do
    style=$([ "$old" = 1 ] && echo old || echo new)
    shot "$mode" "$old" 1 "main-${modes[$mode]}-$style-style.png"
  done
done
shot 0 0 1 main-scale1.png palette-tool-scale1.png
shot 0 0 2 main-scale2.png palette-tool-scale2.png
shot 2 0 2 main-hsb-new-style-2x.png
cp "$OUT/palette-tool-scale1.png" "$OUT/palette-tool.png"
ls -l "$OUT"
