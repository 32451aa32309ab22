// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/startup.h"

#include "app/app_state.h"
#include "app/command_ids.h"
#include "app/commands.h"
#include "app/handlers.h"
#include "files/atr.h"
#include "files/parameter_file.h"

namespace morv::app {

std::string create_main_window(Instance& s, int client_width, int client_height,
                               const std::string& cwd, std::string_view atr_argument) {
    init_file_names(s, cwd);
    attach_window(s, client_width, client_height);
    std::string warning;
    if (const std::string path = atr_path_from_argument(atr_argument); !path.empty()) {
        s.oatrfile = path;
        std::string reason;
        if (load_parameter_file(s, s.oatrfile, &reason) != kAtrLoadOk)
            warning = atr_load_error_text(s.oatrfile, reason);
    }
    post_command(s, kCmdRender);
    return warning;
}

} // namespace morv::app
