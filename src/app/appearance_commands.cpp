// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/app_state.h"
#include "app/command_ids.h"
#include "app/commands.h"
#include "app/handlers.h"
#include "app/menu.h"
#include "app/messages.h"
#include "core/driver.h"

namespace morv::app {

namespace {

bool differs(const TypeParams& a, const TypeParams& b) {
    return a.a != b.a || a.b != b.b || a.c != b.c || a.d != b.d || a.sp0 != b.sp0 || a.sp1 != b.sp1;
}
bool differs(const ViewWindow& a, const ViewWindow& b) {
    return a.xmin != b.xmin || a.xmax != b.xmax || a.ymin != b.ymin || a.ymax != b.ymax;
}
bool differs(const Point3& a, const Point3& b) {
    return a.x != b.x || a.y != b.y || a.z != b.z;
}

} // namespace

// A change of speed alone keeps the image; anything else that shapes it
// starts afresh, and a new resolution also gets a new black canvas.
void edit_parameters(Instance& s, Ui& ui) {
    const auto t = static_cast<std::size_t>(s.type);
    s.savep = s.p[t];
    s.savemm = s.mm[t];
    s.saverot = s.rot[t];
    s.saveorder = s.rotationorder;
    s.savetype = s.type;
    s.saveres = s.res;
    if (ui.dialogs.run(kDlgParameters, s) == kButton2) return;
    const auto now = static_cast<std::size_t>(s.type);
    if (differs(s.p[now], s.savep) || differs(s.mm[now], s.savemm) ||
        differs(s.rot[now], s.saverot) || s.rotationorder != s.saveorder)
        s.fresh_image = true;
    if (s.res != s.saveres) {
        // Without memory for the new canvas the old resolution stays.
        if (!set_resolution(s, s.res)) {
            s.res = s.saveres;
            ui.prompts.warn(kHitcountAllocCaption, kHitcountAllocText);
        }
        s.fresh_image = true;
        // The screen shows the new canvas at once, and the filters gray out
        // until a hit count of this size exists.
        set_menu_for_state(s);
        ui.host.repaint_now();
    }
}

void edit_coloring(Instance& s, Ui& ui) {
    if (s.method[static_cast<std::size_t>(s.type)] == kMethodSelf) return;
    s.savemethod = s.method[static_cast<std::size_t>(s.type)];
    if (ui.dialogs.run(kDlgColoring, s) == kButton1 &&
        s.method[static_cast<std::size_t>(s.type)] != s.savemethod)
        s.fresh_image = true;
}

void edit_background(Instance& s, Ui& ui) {
    s.saveback = s.back;
    if (ui.dialogs.run(kDlgBackground, s) == kButton1 && s.back != s.saveback) s.fresh_image = true;
}

void default_palette(Instance& s, int id) {
    genpalette(s.palette, id == kCmdPalette1 ? defpal1 : defpal2);
    check_palette(s, id);
    s.fresh_image = true;
}

} // namespace morv::app
