#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fails on any line of the C++ sources that clang-format (.clang-format) would
# change, naming the file and line. Fix with `clang-format -i FILE`.
set -euo pipefail
cd "$(dirname "$0")/.."
find src tests tools bench fuzz -type f \( -name '*.cpp' -o -name '*.h' \) -print0 |
  sort -z | xargs -0 clang-format --dry-run --Werror
