# SPDX-License-Identifier: GPL-3.0-or-later
# morvane-render options for the manual's gallery pictures, by type; a type
# not listed gets --iterations 300000. Keep them quick: the whole gallery is
# drawn on every clean build.
# The build writes each type's options beside its picture, and the manual
# prints them under it, so every picture there is a recipe.
set(MORVANE_GALLERY_1 --iterations 1000000 --set method=3 --filter log)
set(MORVANE_GALLERY_4 --iterations 2000000 --set method=3 --filter log)
set(MORVANE_GALLERY_6 --iterations 2000000 --set method=3 --filter log)
set(MORVANE_GALLERY_12 --iterations 1000000 --set method=3 --filter log --set mm.xmin=-100
    --set mm.xmax=100 --set mm.ymin=-100 --set mm.ymax=100)
set(MORVANE_GALLERY_21 --iterations 600000 --set rosslerflag=1 --set back=0,0,0)
set(MORVANE_GALLERY_26 --iterations 1000000 --set method=3 --filter log)
set(MORVANE_GALLERY_27 --iterations 1000000 --set method=3 --filter log)
set(MORVANE_GALLERY_29 --iterations 1000000 --set method=3 --filter log)
set(MORVANE_GALLERY_17 --iterations 1000000 --set pgmindex=5 --set pgmscale=10)
