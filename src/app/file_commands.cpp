#include "app/command_ids.h"
#include "app/handlers.h"
#include "app/menu.h"
#include "app/messages.h"
#include "color/bundled_maps.h"
#include "color/mapfile.h"
#include "color/preview.h"
#include "core/state.h"
#include "files/atr.h"
#include "files/file_identity.h"
#include "files/image.h"
#include "files/tga.h"

#include <string>

namespace morv::app {

namespace {

// A file dialog whose answer becomes the path buffer it starts from next time.
bool choose(Ui& ui, const FileDialogSpec& descriptor, std::string& path) {
    auto chosen = ui.prompts.choose_file(descriptor, path);
    if (!chosen) return false;
    path = *chosen;
    return true;
}

// The failure's own text, then the system's reason below it.
void report_save_error(Ui& ui, int rc, const std::string& reason) {
    std::string text = saveerror[static_cast<std::size_t>(rc - 1)];
    if (!reason.empty()) text += "\n\n" + reason;
    ui.prompts.warn(kSaveErrorCaption, text);
}

void report_parameters_saved(State& s, Ui& ui, int rc, const std::string& reason) {
    if (rc == kAtrWriteOk)
        ui.prompts.inform(kProgramCaption,
                          kParametersSavedPrefix + s.satrfiletitle + kParametersSavedSuffix);
    else
        report_save_error(ui, rc, reason);
}

// The record beside an image, unless its name is the image's own (an image
// named "*.atr"): then the image is kept and the record refused.
void save_parameters_beside_image(State& s, Ui& ui) {
    if (same_file(atr_path_for_image(s.tgafile), s.tgafile)) {
        report_save_error(ui, kAtrWriteOpenFailed, "the parameter file would replace the image");
        return;
    }
    std::string reason;
    const int rc = writeatr(s, 1, &reason);
    report_parameters_saved(s, ui, rc, reason);
}

// The window's top-left corner is kept aside while the preview covers it; the
// same pixels then also go to the canvas corner.
bool preview_accepted(State& s, Ui& ui) {
    const Rect corner{0, 0, kPreviewWidth, kPreviewHeight};
    Surface saved(kPreviewWidth, kPreviewHeight);
    saved.copy_from(s.window, corner, Point{0, 0});
    showpalette(s, s.window);
    ui.host.flush();
    const bool yes = ui.prompts.ask(kMapAcceptCaption, kMapAcceptText);
    s.window.copy_from(saved, corner, Point{0, 0});
    s.canvas.copy_from(saved, corner, Point{0, 0});
    ui.host.flush();
    return yes;
}

} // namespace

void load_palette(State& s, Ui& ui) {
    // Until a palette was chosen, the dialog shows the ones shipped with the program.
    std::string path = s.file.empty() ? palette_dialog_start() : s.file;
    if (!choose(ui, kOpenMapDialog, path)) return;
    s.file = path;
    s.filetitle = file_title(s.file);
    ui.host.repaint_now();
    if (OpenMapFile(s) != 0) {
        ui.prompts.warn(kMapErrorCaption, kMapErrorText);
        post_command(s, kCmdClear);
        return;
    }
    if (!preview_accepted(s, ui)) {
        post_command(s, kCmdPalette); // the file dialog opens again
        return;
    }
    genpalette(s.palette, s.paltemp);
    check_palette(s, kCmdPalette);
    s.firstloop = 1;
}

void load_parameters(State& s, Ui& ui) {
    if (!choose(ui, kOpenAtrDialog, s.oatrfile)) return;
    s.oatrfiletitle = file_title(s.oatrfile);
    ui.host.repaint_now();
    std::string reason;
    if (loadatr(s, &reason) != kAtrLoadOk) {
        // An image says why it gave no parameters; a parameter file keeps its one message.
        ui.prompts.warn(kAtrLoadErrorCaption, is_png_path(s.oatrfile)
                                                  ? std::string(kAtrLoadErrorText) + ": " + reason
                                                  : std::string(kAtrLoadErrorText));
        return;
    }
    s.firstloop = 1;
    s.okrun = 0;
    post_command(s, kCmdRender);
}

void save_parameters(State& s, Ui& ui) {
    if (!choose(ui, kSaveAtrDialog, s.satrfile)) return;
    ui.host.repaint_now();
    std::string reason;
    const int rc = writeatr(s, 0, &reason);
    report_parameters_saved(s, ui, rc, reason);
}

// The image first; its parameters beside it only when the image was saved.
// A PNG image carries them inside, so it needs no parameter file.
void save_image(State& s, Ui& ui) {
    if (!choose(ui, kSaveTgaDialog, s.tgafile)) return;
    s.tgafiletitle = file_title(s.tgafile);
    ui.host.repaint_now();
    std::string reason;
    if (const int rc = writeimage(s, s.tgafile, &reason); rc != 0) {
        report_save_error(ui, rc, reason);
        return;
    }
    ui.prompts.inform(kProgramCaption, kImageSavedPrefix + s.tgafiletitle);
    if (is_png_path(s.tgafile)) return; // the record is inside the image
    save_parameters_beside_image(s, ui);
}

} // namespace morv::app
