#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian packages twice from the committed tree, in two folders of
# different names and depths, and compares them byte for byte. Where they
# differ, the files inside that differ are listed. The compiler cache is off:
# a cached object would carry the first build's folder into the second.
# usage: scripts/check_reproducible.sh [WORK_DIR]   (needs `make deb`'s packages)
set -euo pipefail
cd "$(dirname "$0")/.."
work="${1:-$(mktemp -d "${TMPDIR:-/tmp}/morvane-repro-XXXXXX")}"
first="$work/a/morvane"
second="$work/build-two/deeper/morvane-src"

# Both builds start from the same commit, however long the first one takes.
mkdir -p "$work"
git archive -o "$work/source.tar" HEAD
build_in() {
  mkdir -p "$1"
  tar -x -C "$1" -f "$work/source.tar"
  (cd "$1" && CCACHE_DISABLE=1 DEB_BUILD_OPTIONS="nocheck parallel=$(nproc)" \
     dpkg-buildpackage -us -uc -b >build.log 2>&1) ||
    { tail -n 30 "$1/build.log"; echo "the package build in $1 failed"; exit 1; }
}
build_in "$first"
build_in "$second"

differ=0
for deb in "$(dirname "$first")"/*.deb; do
  name="$(basename "$deb")"
  other="$(dirname "$second")/$name"
  if [ ! -f "$other" ]; then
    echo "only the first build made $name"
    differ=1
  elif ! cmp -s "$deb" "$other"; then
    echo "$name differs:"
    rm -rf "$work/x1" "$work/x2"
    dpkg-deb -R "$deb" "$work/x1"
    dpkg-deb -R "$other" "$work/x2"
    diff -rq "$work/x1" "$work/x2" | sed 's/^/  /' || true
    differ=1
  else
    echo "$name: identical"
  fi
done
[ "$differ" = 0 ] && echo "the two builds are identical" || exit 1
