#!/usr/bin/env bash
# Installs the build into a fresh prefix and runs the installed programs from
# there: tnscript with a JScript file (its worker must come from the prefix,
# never from the build tree), tintwell --version without a display, and the
# launcher files as a desktop would find them.
# Usage: install_test.sh BUILD_DIR VERSION
set -u
build=$1
version=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
fail=0
check() { # description, then a command that must succeed
  local what=$1; shift
  if ! "$@"; then echo "FAIL: $what"; fail=1; fi
}

if ! cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1; then
  cat "$work/install.log"; echo "FAIL: cmake --install"; exit 1
fi

id=org.tintwell.Tintwell
for f in bin/tintwell bin/tnscript libexec/tintwell/tintwell-jsworker; do
  check "$f installed and executable" test -x "$prefix/$f"
done
check "no worker beside the programs" test ! -e "$prefix/bin/tintwell-jsworker"
check "desktop entry" test -f "$prefix/share/applications/$id.desktop"
check "metainfo" test -f "$prefix/share/metainfo/$id.metainfo.xml"
check "scalable icon" test -f "$prefix/share/icons/hicolor/scalable/apps/$id.svg"
for size in 16 22 24 32 48 64 128 256; do
  png=$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png
  if [ -f "$png" ]; then
    # Width and height are the big-endian words at bytes 16 and 20 of a PNG.
    dims=$(od -An -tu1 -j16 -N8 "$png" | awk '{print $3*256+$4 "x" $7*256+$8}')
    check "$size px icon is ${size}x${size}, not $dims" test "$dims" = "${size}x${size}"
  else
    check "$size px icon" false
  fi
done

# The installed programs, started from a folder outside the build tree.
cd "$work"
cat > hello.js <<'JS'
var parts = [];
for (var i = 1; i <= 3; i++) parts.push(i * 14);
tnPrint("sum " + (parts[0] + parts[1] + parts[2]));
JS
out=$("$prefix/bin/tnscript" hello.js 2>"$work/err")
rc=$?
check "installed tnscript runs JScript (rc $rc, out '$out', err $(cat "$work/err"))" test "$rc" = 0 -a "$out" = "sum 84"
check "tnscript --version" test "$("$prefix/bin/tnscript" --version)" = "tnscript $version"

out=$(env -u DISPLAY -u WAYLAND_DISPLAY "$prefix/bin/tintwell" --version 2>&1)
check "installed tintwell --version without a display gives '$out'" test "$out" = "Tintwell $version"
env -u DISPLAY -u WAYLAND_DISPLAY "$prefix/bin/tintwell" --help >"$work/help" 2>&1
check "tintwell --help mentions --color" grep -q -- "--color" "$work/help"
QT_QPA_PLATFORM=offscreen "$prefix/bin/tintwell" --no-such-option >/dev/null 2>"$work/err"
rc=$?
check "unknown option exits 2 (got $rc)" test "$rc" = 2
check "unknown option is named" grep -q "no-such-option" "$work/err"

if command -v desktop-file-validate >/dev/null; then
  check "installed desktop entry validates" desktop-file-validate "$prefix/share/applications/$id.desktop"
fi
exit $fail
