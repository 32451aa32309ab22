#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a temporary prefix and checks the tree: every file in
# place, the desktop file, MIME package and metainfo valid where their tools
# exist and naming each other consistently, the installed programs runnable.
# usage: check_install.sh BUILD_DIR APP_ID ATR_MIME gui|cli
set -euo pipefail
build="$1" id="$2" mime="$3" kind="$4"
prefix="$(mktemp -d "${TMPDIR:-/tmp}/morvane-install-XXXXXX")"
trap 'rm -rf "$prefix"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
has() { command -v "$1" >/dev/null 2>&1; }

cmake --install "$build" --prefix "$prefix" >/dev/null
cd "$prefix"

expected=(bin/morvane-render share/man/man1/morvane-render.1)
if [ "$kind" = gui ]; then
  expected+=(bin/morvane share/man/man1/morvane.1 "share/applications/$id.desktop"
             "share/mime/packages/$id.xml" "share/metainfo/$id.metainfo.xml")
  for size in 16 32 48 64 128 256; do
    expected+=("share/icons/hicolor/${size}x${size}/apps/$id.png")
  done
  expected+=("share/icons/hicolor/scalable/apps/$id.svg")
fi
for f in "${expected[@]}"; do
  [ -s "$f" ] || fail "missing $f"
done
maps=(share/morvane/maps/*.map)
[ "${#maps[@]}" -ge 12 ] && [ -s "${maps[0]}" ] || fail "fewer than 12 palettes in share/morvane/maps"
if [ "$kind" = gui ]; then
  [ "$(head -c 5 share/doc/morvane/Morvane.pdf 2>/dev/null)" = "%PDF-" ] ||
    fail "share/doc/morvane/Morvane.pdf missing or no PDF"
fi

# The installed programs answer without a display.
bin/morvane-render --version | grep -Eq '^morvane-render [0-9]+\.[0-9]+\.[0-9]+$' ||
  fail "morvane-render --version"
if has groff; then
  for page in share/man/man1/*.1; do
    warnings="$(groff -man -Tutf8 -ww -z "$page" 2>&1)"
    [ -z "$warnings" ] || fail "$page: $warnings"
  done
fi
if [ "$kind" = gui ]; then
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM bin/morvane --version |
    grep -Eq '^morvane [0-9]+\.[0-9]+\.[0-9]+$' || fail "morvane --version"

  desktop="share/applications/$id.desktop"
  grep -qx "MimeType=$mime;" "$desktop" || fail "$desktop does not name $mime"
  grep -qx "Icon=$id" "$desktop" || fail "$desktop does not name the icon $id"
  grep -qx "Exec=morvane %f" "$desktop" || fail "$desktop does not pass the file to morvane"
  for f in share/icons/hicolor/*/apps/"$id".png; do
    [ "$(head -c 8 "$f" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] || fail "$f is no PNG"
  done
  grep -q '<svg ' "share/icons/hicolor/scalable/apps/$id.svg" || fail "the scalable icon is no SVG"
  if has desktop-file-validate; then
    desktop-file-validate "$desktop" || fail "desktop-file-validate $desktop"
  else
    echo "skipped: desktop-file-validate not installed"
  fi
  if has appstreamcli; then
    appstreamcli validate --no-net "share/metainfo/$id.metainfo.xml" >/dev/null ||
      fail "appstreamcli validate share/metainfo/$id.metainfo.xml"
  else
    echo "skipped: appstreamcli not installed"
  fi
  if has update-mime-database; then
    XDG_DATA_DIRS="$prefix/share" update-mime-database "$prefix/share/mime"
    grep -q "^[0-9]*:$mime:\*\.atr$" share/mime/globs2 || fail "no *.atr glob for $mime"
  else
    echo "skipped: update-mime-database not installed"
  fi
fi

[ "$failures" -eq 0 ] || exit 1
echo "installed tree complete in $prefix"
