#include "app/handlers.h"

// Waiting for the parameter-file and palette functions.
namespace morv::app {
void load_palette(State&, Ui&) {}
void load_parameters(State&, Ui&) {}
void save_parameters(State&, Ui&) {}
void save_image(State&, Ui&) {}
void random_parameters(State&, Ui&) {}
void run_filter(State&, Ui&, int) {}
} // namespace morv::app
