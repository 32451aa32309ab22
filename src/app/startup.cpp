#include "app/startup.h"

#include "app/command_ids.h"
#include "core/state.h"

#include <string>

namespace morv::app {

void create_main_window(State& s, int client_width, int client_height, const std::string& cwd,
                        std::string_view atr_argument) {
    attach_window(s, client_width, client_height);
    (void)cwd;
    (void)atr_argument;
    post_command(s, kCmdRender);
}

} // namespace morv::app
