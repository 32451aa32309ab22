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

# Further pictures the manual shows as <img src="extra:NAME">: each NAME in
# this list is drawn with the options MORVANE_EXTRA_NAME (the type included).
set(MORVANE_EXTRA_PICTURES henon_zoom method_points method_hits method_zplane method_lines
    filter_none filter_normalize filter_equalize filter_log filter_logsquare
    dejong_a dejong_b dejong_c dejong_d hpd_76 hpd_84)
set(MORVANE_EXTRA_henon_zoom --type 0 --iterations 3000000 --set mm.xmin=0.55 --set mm.xmax=0.75
    --set mm.ymin=0.12 --set mm.ymax=0.22)
set(MORVANE_EXTRA_method_points --type 5 --iterations 1000000)
set(MORVANE_EXTRA_method_hits --type 5 --iterations 1000000 --set method=3)
set(MORVANE_EXTRA_method_zplane --type 5 --iterations 1000000 --set method=4)
set(MORVANE_EXTRA_method_lines --type 3 --iterations 300000)
set(MORVANE_EXTRA_filter_none --type 6 --iterations 2000000 --set method=3)
foreach(filter normalize equalize log logsquare)
  set(MORVANE_EXTRA_filter_${filter} ${MORVANE_EXTRA_filter_none} --filter ${filter})
endforeach()
set(dejong_hits --type 6 --iterations 1000000 --set method=3 --filter log)
set(MORVANE_EXTRA_dejong_a ${dejong_hits} --set p.a=-2.24 --set p.b=0.43 --set p.c=-0.65
    --set p.d=-2.43)
set(MORVANE_EXTRA_dejong_b ${dejong_hits} --set p.a=2.01 --set p.b=-2.53 --set p.c=1.61
    --set p.d=-0.33)
set(MORVANE_EXTRA_dejong_c ${dejong_hits} --set p.a=-2.7 --set p.b=-0.09 --set p.c=-0.86
    --set p.d=-2.2)
set(MORVANE_EXTRA_dejong_d ${dejong_hits} --set p.a=-0.827 --set p.b=-1.637 --set p.c=1.659
    --set p.d=-0.943)
set(MORVANE_EXTRA_hpd_76 --type 7 --iterations 300000 --set p.sp0=76)
set(MORVANE_EXTRA_hpd_84 --type 7 --iterations 300000 --set p.sp0=84)
