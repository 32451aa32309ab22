// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/app_state.h"
#include "app/command_ids.h"
#include "app/commands.h"
#include "app/handlers.h"
#include "app/menu.h"
#include "app/messages.h"
#include "app/tone_commands.h"
#include "color/bundled_maps.h"
#include "color/mapfile.h"
#include "color/preview.h"
#include "color/resample.h"
#include "core/settings.h"
#include "files/atr.h"
#include "files/file_identity.h"
#include "files/image.h"
#include "files/parameter_file.h"

#include <algorithm>
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

// Writes the record to `satrfile`, whose file name then becomes `satrfiletitle`.
void save_record(const Params& ps, AppState& app, Ui& ui) {
    std::string reason;
    const int rc = write_parameter_file(ps, app.satrfile, &reason);
    if (rc != kAtrWriteOk) {
        report_save_error(ui, rc, reason);
        return;
    }
    app.satrfiletitle = file_title(app.satrfile);
    ui.prompts.inform(kProgramCaption,
                      kParametersSavedPrefix + app.satrfiletitle + kParametersSavedSuffix);
}

// Where an image and its record go. A name without an extension gets the
// image format's; an extension of no format the program writes is refused
// rather than filled with Targa data; a record that would land on the image
// (a link between the two names) is refused. Empty when the save may go ahead.
std::string image_save_refusal(std::string& image) {
    const std::string title = file_title(image);
    const std::size_t dot = title.rfind('.');
    if (dot == std::string::npos || dot == 0) image += ".tga";
    std::string ext = image.substr(image.size() - std::min<std::size_t>(image.size(), 4));
    for (char& c : ext)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    if (ext != ".tga" && ext != ".png") return kImageFormatRefusal;
    if (ext == ".tga" && same_file(atr_path_for_image(image), image))
        return "the parameter file would replace the image";
    return std::string();
}

// The window's top-left corner is kept aside while the preview covers it; the
// same pixels then also go to the canvas corner.
bool preview_accepted(Instance& s, Ui& ui) {
    const Rect corner{0, 0, kPreviewWidth, kPreviewHeight};
    Surface saved(kPreviewWidth, kPreviewHeight);
    saved.copy_from(s.window, corner, Point{0, 0});
    showpalette(s.paltemp, s.back, s.window);
    ui.host.flush();
    // Shown at 1:1 over a fitted or moved picture too.
    ui.host.pin_window_rect(corner);
    const bool yes = ui.prompts.ask(kMapAcceptCaption, kMapAcceptText);
    ui.host.pin_window_rect(Rect{});
    s.window.copy_from(saved, corner, Point{0, 0});
    s.canvas.copy_from(saved, corner, Point{0, 0});
    ui.host.flush();
    return yes;
}

// The menu item of the palette in use: a built-in one, or one from a file.
int palette_item(const Palette& palette) {
    if (palette == defpal1) return kCmdPalette1;
    if (palette == defpal2) return kCmdPalette2;
    return kCmdPalette;
}

// What a PNG's recipe adds to its parameters (which carry its palette): the
// picture's size, where the desktop program can show it.
void take_recipe(Instance& s, Ui& ui, const RecipeRun& run) {
    check_palette(s, palette_item(s.palette));
    const Limits sides = setting_named("res").limits;
    if (run.res == s.res || !sides.admits(run.res)) return;
    // Without memory for the new canvas the old resolution stays.
    if (!set_resolution(s, run.res)) ui.prompts.warn(kHitcountAllocCaption, kHitcountAllocText);
    set_menu_for_state(s);
}

// How the picture on screen was drawn: its driver calls as the render pump
// counted them, the filter applied to it since, and the seed its clock gave.
RecipeRun recipe_of_screen(const Instance& s) {
    RecipeRun run;
    run.res = s.res;
    run.calls = s.fresh_image ? 0 : s.image_calls;
    if (s.filter_calls >= 0 && s.filter_calls == s.image_calls) run.filter = s.applied_filter;
    run.seed = s.clock_log->seed();
    run.orbits = s.image_orbits;
    run.fast = s.image_fast;
    return run;
}

// The toned picture on view at the depth and background its settings ask
// for (the screen shows it opaque in 8 bits); false when the picture on view
// is not toned or its memory cannot be had.
bool toned_picture(const Instance& s, TonedImage& img) {
    const Density* d = toning(s) ? toned_density(s) : nullptr;
    if (d == nullptr) return false;
    const int oversample = s.tone.fine_on ? std::clamp(s.picture.oversample, 1, 4) : 1;
    FilteredDensity filtered;
    return downsample(d->cells(), d->side(), {oversample, s.picture.filter_width}, filtered) &&
           tone(filtered, tone_settings_of(s), img);
}

PngPixels png_pixels(const TonedImage& img) {
    PngPixels p;
    p.side = img.side;
    p.depth = img.depth;
    p.alpha = img.transparent;
    const std::size_t channels = img.transparent ? 4 : 3;
    p.row = [&img, channels](int y, std::uint16_t* values) {
        const auto w = static_cast<std::size_t>(img.side);
        const std::uint16_t* src = img.rgba.data() + static_cast<std::size_t>(y) * w * 4;
        for (std::size_t x = 0; x < w; ++x)
            for (std::size_t c = 0; c < channels; ++c)
                values[x * channels + c] = src[x * 4 + c];
    };
    return p;
}

// A PNG of a toned picture holds the toning; everything else, the canvas.
int write_picture(const Instance& s, const RecipeRun& run, std::string& reason) {
    TonedImage img;
    if (is_png_path(s.tgafile) && toned_picture(s, img))
        return writeimage(s, png_pixels(img), s.tgafile, &reason, &run);
    return writeimage(s, s.tgafile, &reason, &run);
}

} // namespace

std::string atr_load_error_text(const std::string& path, const std::string& reason) {
    const std::string text = is_png_path(path) ? kPngLoadErrorText : kAtrLoadErrorText;
    return reason.empty() ? text : text + ": " + reason;
}

std::string_view load_error_caption(const std::string& path) {
    return is_png_path(path) ? kPngLoadErrorCaption : kAtrLoadErrorCaption;
}

void load_palette(Instance& s, Ui& ui) {
    // Until a palette was chosen, the dialog shows the ones shipped with the program.
    std::string path = s.file.empty() ? palette_dialog_start() : s.file;
    if (!choose(ui, kOpenMapDialog, path)) return;
    s.file = path;
    ui.host.repaint_now();
    // The image and palette stay as they were: only the error is shown.
    if (std::string reason; OpenMapFile(s.file, s.paltemp, &reason) != 0) {
        ui.prompts.warn(kMapErrorCaption,
                        reason.empty() ? kMapErrorText : kMapErrorText + (": " + reason));
        return;
    }
    if (!preview_accepted(s, ui)) {
        post_command(s, kCmdPalette); // the file dialog opens again
        return;
    }
    genpalette(s.palette, s.paltemp);
    check_palette(s, kCmdPalette);
    s.fresh_image = true;
}

void load_parameters(Instance& s, Ui& ui) {
    if (!choose(ui, kOpenAtrDialog, s.oatrfile)) return;
    ui.host.repaint_now();
    std::string reason;
    std::optional<RecipeRun> run;
    if (load_parameter_file(s, s.oatrfile, &reason, &run) != kAtrLoadOk) {
        ui.prompts.warn(load_error_caption(s.oatrfile), atr_load_error_text(s.oatrfile, reason));
        return;
    }
    if (run) take_recipe(s, ui, *run);
    s.fresh_image = true;
    s.rendering = false;
    post_command(s, kCmdRender);
}

void save_parameters(Instance& s, Ui& ui) {
    if (!choose(ui, kSaveAtrDialog, s.satrfile)) return;
    ui.host.repaint_now();
    save_record(s, s, ui);
}

// The image first; its parameters beside it only when the image was saved.
// A PNG image carries them inside, so it needs no parameter file.
void save_image(Instance& s, Ui& ui) {
    std::string image = s.tgafile;
    if (!choose(ui, kSaveTgaDialog, image)) return;
    ui.host.repaint_now();
    if (const std::string refusal = image_save_refusal(image); !refusal.empty()) {
        report_save_error(ui, kAtrWriteOpenFailed, refusal);
        return;
    }
    s.tgafile = image;
    std::string reason;
    const RecipeRun run = recipe_of_screen(s);
    if (const int rc = write_picture(s, run, reason); rc != 0) {
        report_save_error(ui, rc, reason);
        return;
    }
    s.unsaved_ns = 0;
    ui.prompts.inform(kProgramCaption, kImageSavedPrefix + file_title(s.tgafile));
    if (is_png_path(s.tgafile)) return; // the record is inside the image
    s.satrfile = atr_path_for_image(s.tgafile);
    save_record(s, s, ui);
}

} // namespace morv::app
