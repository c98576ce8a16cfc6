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
mkdir -p "$work/cfg/Tintwell" "$work/data"; mkdir -m 700 "$work/run"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
openbox >/dev/null 2>&1 &
wm=$!
sleep 1
positions="MainX:3000 MainY:3000 PaletteX:6000 PaletteY:4500 AdvancedX:4500 AdvancedY:7500"
{
  printf '[Software\\Veskor Software\\Tintwell]\n"Last Color" = dword:33023\n'
  for p in $positions; do printf '"%s" = dword:%s\n' "${p%%:*}" "${p##*:}"; done
} > "$work/cfg/Tintwell/settings.ini"

wait_for() { # title pattern [tenths of a second] -> window id
  for _ in $(seq "${2:-100}"); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  echo "no window named $1" >&2
  return 1
}
activate() { xdotool windowactivate --sync "$1" >/dev/null 2>&1 || true; }

for run in 1 2 3 4 5; do
  "$bin" >/dev/null 2>&1 &
  app=$!
  main=$(wait_for "^Tintwell$" 300)
  # Alt+P opens the Picker menu first; Escape, and the next Alt+P is the button.
  # On a loaded machine a key can come before the menu it answers is up, so
  # each step is tried again from a closed menu until its window shows.
  for _ in 1 2 3 4 5; do
    activate "$main"
    xdotool key Escape sleep 0.2 key alt+p sleep 0.5 key Escape sleep 0.5 key alt+p
    wait_for "^Palette Tool" 30 >/dev/null 2>&1 && break
  done
  wait_for "^Palette Tool" 10 >/dev/null; sleep 0.5
  for _ in 1 2 3 4 5; do
    activate "$main"
    xdotool key Escape sleep 0.2 key alt+a
    wait_for "^Advanced$" 30 >/dev/null 2>&1 && break
  done
  wait_for "^Advanced$" 10 >/dev/null; sleep 0.5
  for _ in 1 2 3; do
    activate "$main"
    xdotool key alt+F4
    for _ in $(seq 100); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$app" 2>/dev/null || break
  done
  if kill -0 "$app" 2>/dev/null; then
    echo "run $run: the program did not close" >&2
    exit 1
  fi
  wait "$app" 2>/dev/null || true
  for p in $positions; do
    got=$(grep -E "^\"${p%%:*}\"" "$work/cfg/Tintwell/settings.ini" | sed 's/.*dword://')
    [ "$got" = "${p##*:}" ] || { echo "run $run: ${p%%:*} is $got, was ${p##*:}"; exit 1; }
  done
done
echo "5 starts: positions kept"
