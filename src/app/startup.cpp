#include "app/startup.h"

#include "app/command_ids.h"
#include "core/state.h"
#include "files/atr.h"

namespace morv::app {

void create_main_window(State& s, int client_width, int client_height, const std::string& cwd,
                        std::string_view atr_argument) {
    InitOpenFile(s, cwd);
    attach_window(s, client_width, client_height);
    load_startup_atr(s, atr_argument); // a file that cannot be loaded is ignored here
    post_command(s, kCmdRender);
}

} // namespace morv::app
