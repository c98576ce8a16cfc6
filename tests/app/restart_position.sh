#!/usr/bin/env bash
# Five starts under a real window manager leave the stored positions of the
# main window, the palette tool and the advanced window as they were.
# Usage: xvfb-run -a -s "-screen 0 1280x1024x24" restart_position.sh TINTWELL
set -euo pipefail
bin=$1
work=$(mktemp -d)
wm=
cleanup() { [ -n "$wm" ] && kill "$wm" 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT
export XDG_CONFIG_HOME=$work/cfg XDG_DATA_HOME=$work/data XDG_RUNTIME_DIR=$work/run QT_QPA_PLATFORM=xcb
mkdir -p "$work/cfg/Tintwell" "$work/data" "$work/run"
chmod 700 "$work/run"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
openbox >/dev/null 2>&1 &
wm=$!
sleep 1
printf '[Software\\Veskor Software\\Tintwell]\n"Last Color" = dword:33023\n"MainX" = dword:3000\n"MainY" = dword:3000\n"PaletteX" = dword:6000\n"PaletteY" = dword:4500\n"AdvancedX" = dword:4500\n"AdvancedY" = dword:7500\n' \
  > "$work/cfg/Tintwell/settings.ini"

wait_for() { # title pattern -> window id
  for _ in $(seq 100); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  echo "no window named $1" >&2
  [ -n "${TINTWELL_SHOT:-}" ] && import -window root "$TINTWELL_SHOT"
  return 1
}
stored() { grep -E "^\"$1\"" "$work/cfg/Tintwell/settings.ini" | sed 's/.*dword://'; }

for run in 1 2 3 4 5; do
  "$bin" >/dev/null 2>&1 &
  app=$!
  main=$(wait_for "^Tintwell$")
  xdotool windowactivate --sync "$main" >/dev/null 2>&1 || true
  # Alt+P opens the Picker menu first; Escape, and the next Alt+P is the button.
  xdotool key alt+p; sleep 0.3
  xdotool key Escape; sleep 0.3
  xdotool key alt+p
  palette=$(wait_for "^Palette Tool")
  sleep 0.5
  xdotool windowactivate --sync "$main" >/dev/null 2>&1 || true
  xdotool key alt+a
  wait_for "^Advanced$" >/dev/null
  sleep 0.5
  xdotool windowactivate --sync "$main" >/dev/null 2>&1 || true
  xdotool key alt+F4
  for _ in $(seq 100); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
  kill "$app" 2>/dev/null || true
  wait "$app" 2>/dev/null || true
  for name in MainX:3000 MainY:3000 PaletteX:6000 PaletteY:4500 AdvancedX:4500 AdvancedY:7500; do
    key=${name%%:*}; want=${name##*:}
    got=$(stored "$key")
    if [ "$got" != "$want" ]; then
      echo "run $run: $key is $got, was $want"
      exit 1
    fi
  done
done
echo "5 starts: positions kept"
