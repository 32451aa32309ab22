// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/folders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace morv::ui {

namespace {

QSettings user_settings() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Morvane"),
                     QStringLiteral("Morvane"));
}

QString key(const char* kind) {
    return QStringLiteral("folders/") + QString::fromLatin1(kind);
}

} // namespace

QString remembered_folder(const char* kind) {
    const QString folder = user_settings().value(key(kind)).toString();
    return !folder.isEmpty() && QDir(folder).exists() ? folder : QString();
}

void remember_folder(const char* kind, const QString& chosen_file) {
    QSettings settings = user_settings();
    settings.setValue(key(kind), QFileInfo(chosen_file).absolutePath());
}

// A start-up name is a pattern ("/cwd/*.tga"): nothing was chosen yet this run.
QString start_folder(const char* kind, const std::string& last) {
    const QFileInfo previous(QFile::decodeName(QByteArray::fromStdString(last)));
    const bool chosen_this_run = !last.empty() && !previous.fileName().startsWith(QLatin1Char('*'));
    if (chosen_this_run && previous.dir().exists()) return previous.absolutePath();
    if (const QString folder = remembered_folder(kind); !folder.isEmpty()) return folder;
    return !last.empty() && previous.dir().exists() ? previous.absolutePath() : QDir::currentPath();
}

} // namespace morv::ui
