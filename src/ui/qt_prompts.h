// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/prompts.h"

class QWidget;

namespace morv::ui {

// Message boxes and file dialogs with Qt. Information and question boxes have
// no owner window; warnings belong to the main window.
class QtPrompts : public app::Prompts {
  public:
    explicit QtPrompts(QWidget* main_window) : main_(main_window) {}

    void inform(std::string_view caption, std::string_view text) override;
    void warn(std::string_view caption, std::string_view text) override;
    bool ask(std::string_view caption, std::string_view text) override;
    app::SaveChoice ask_save(std::string_view caption, std::string_view text) override;
    std::optional<std::string> choose_file(const app::FileDialogSpec& descriptor,
                                           const std::string& last) override;
    bool open_manual() override;

  private:
    QWidget* main_;
};

} // namespace morv::ui
