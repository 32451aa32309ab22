#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages that one make command needs; does nothing when
# they are all present, so `make run` and `make test` can call it every time.
# usage: install-deps.sh run|test|package|all   (default: all)
set -euo pipefail

# The two programs and the start-up picture.
run=(build-essential cmake pkg-config
     qt6-base-dev qt6-qpa-plugins fonts-dejavu-core
     libpng-dev zlib1g-dev libsleef-dev)
# The test suites, the sanitizer and fuzz builds, the icons and the install check.
test=(libgtest-dev libgmock-dev clang libclang-rt-dev clang-format python3 qt6-svg-dev
      desktop-file-utils appstream groff-base)
# The Debian packages, by CPack or from debian/.
package=(qt6-svg-dev dpkg-dev file debhelper fakeroot lintian)

case "${1:-all}" in
  run) packages=("${run[@]}") ;;
  test) packages=("${run[@]}" "${test[@]}") ;;
  package) packages=("${run[@]}" "${package[@]}") ;;
  all) packages=("${run[@]}" "${test[@]}" "${package[@]}") ;;
  *) echo "usage: $0 run|test|package|all" >&2; exit 2 ;;
esac

# Optional: the tests of video output run only where ffmpeg is installed, and
# morvane-render encodes videos through it when present.
optional=(ffmpeg)

installed() {
  dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"
}

missing=()
for pkg in "${packages[@]}"; do
  installed "$pkg" || missing+=("$pkg")
done
missing_optional=()
for pkg in "${optional[@]}"; do
  installed "$pkg" || missing_optional+=("$pkg")
done

[ ${#missing[@]} -eq 0 ] && [ ${#missing_optional[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]} ${missing_optional[*]}"
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
if [ ${#missing[@]} -gt 0 ]; then
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
if [ ${#missing_optional[@]} -gt 0 ]; then
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing_optional[@]}" ||
    echo "Optional packages not installed (their tests are skipped): ${missing_optional[*]}"
fi
