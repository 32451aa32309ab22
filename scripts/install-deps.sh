#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages Morvane builds and tests with; does nothing when
# they are all present, so `make run` and `make test` can call it every time.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-qpa-plugins fonts-dejavu-core
  libpng-dev zlib1g-dev
  clang libclang-rt-dev clang-format python3
  desktop-file-utils appstream dpkg-dev file
)

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
