# SPDX-License-Identifier: GPL-3.0-or-later
# morvane-render options for the manual's gallery pictures, by type; a type
# not listed gets --iterations 300000. Keep them quick: the whole gallery is
# drawn on every clean build.
