// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <string>

namespace morv::ui {

// The folder a file dialog for one kind of file ("map", "tga", "atr") last
// chose from, kept across runs in the user's settings. The scope is the
// standard INI one, which tests redirect with QSettings::setPath.
QString remembered_folder(const char* kind);
void remember_folder(const char* kind, const QString& chosen_file);

// Where a dialog starts: beside the file it last chose in this run, else in
// the folder remembered for its kind, else in the working directory.
QString start_folder(const char* kind, const std::string& last);

} // namespace morv::ui
