// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/qt_prompts.h"

#include "ui/folders.h"
#include "ui/qt_text.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QMessageBox>
#include <QScreen>
#include <QSpacerItem>
#include <QUrl>
#include <algorithm>

namespace morv::ui {

namespace {

// Large enough to show a folder's files and their details at once.
constexpr int kDialogWidth = 900;
constexpr int kDialogHeight = 600;
constexpr int kBoxMargin = 60; // a message box's frame and spacing beside its text

// A long file name is one word, which the box cannot wrap: the box is made
// wide enough for its longest line (within the screen).
void widen_for_longest_line(QMessageBox& box, const QString& text) {
    const QFontMetrics metrics(box.font());
    int widest = 0;
    for (const QString& line : text.split(QLatin1Char('\n')))
        widest = std::max(widest, metrics.horizontalAdvance(line));
    widest += box.iconPixmap().width() + kBoxMargin;
    if (const QScreen* screen = box.screen())
        widest = std::min(widest, screen->availableGeometry().width() - kBoxMargin);
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (grid == nullptr) return;
    grid->addItem(new QSpacerItem(widest, 0, QSizePolicy::Minimum, QSizePolicy::Minimum),
                  grid->rowCount(), 0, 1, grid->columnCount());
}

int show_box(QWidget* owner, QMessageBox::Icon icon, std::string_view caption,
             std::string_view text, QMessageBox::StandardButtons buttons,
             QMessageBox::StandardButton escape) {
    QMessageBox box(icon, qs(caption), qs(text), buttons, owner);
    box.setTextFormat(Qt::PlainText);
    box.setEscapeButton(escape);
    widen_for_longest_line(box, qs(text));
    return box.exec();
}

// The manual where the package installs it beside the program
// (../share/doc/morvane), or where a build leaves it (beside the program).
QString manual_file() {
    const QDir bin(QCoreApplication::applicationDirPath());
    for (const QString& candidate :
         {bin.filePath("../share/doc/morvane/Morvane.pdf"), bin.filePath("Morvane.pdf")})
        if (QFileInfo(candidate).isFile()) return QDir::cleanPath(candidate);
    return {};
}

} // namespace

bool QtPrompts::open_manual() {
    const QString manual = manual_file();
    return !manual.isEmpty() && QDesktopServices::openUrl(QUrl::fromLocalFile(manual));
}

void QtPrompts::inform(std::string_view caption, std::string_view text) {
    show_box(nullptr, QMessageBox::Information, caption, text, QMessageBox::Ok, QMessageBox::Ok);
}

void QtPrompts::warn(std::string_view caption, std::string_view text) {
    show_box(main_, QMessageBox::Warning, caption, text, QMessageBox::Ok, QMessageBox::Ok);
}

bool QtPrompts::ask(std::string_view caption, std::string_view text) {
    return show_box(nullptr, QMessageBox::Information, caption, text,
                    QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

app::SaveChoice QtPrompts::ask_save(std::string_view caption, std::string_view text) {
    switch (show_box(main_, QMessageBox::Question, caption, text,
                     QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                     QMessageBox::Cancel)) {
    case QMessageBox::Save:
        return app::SaveChoice::Save;
    case QMessageBox::Discard:
        return app::SaveChoice::Discard;
    default:
        return app::SaveChoice::Cancel;
    }
}

// Starts where the last file of this dialog was, else in the folder last used
// for this kind of file (in an earlier run), else in the working directory.
std::optional<std::string> QtPrompts::choose_file(const app::FileDialogSpec& descriptor,
                                                  const std::string& last) {
    QFileDialog dialog(nullptr, QString::fromUtf8(descriptor.title));
    const QString first = QString::fromUtf8(descriptor.filter_name);
    dialog.setDefaultSuffix(QString::fromUtf8(descriptor.default_extension));
    if (descriptor.second_filter_name != nullptr) {
        const QString second = QString::fromUtf8(descriptor.second_filter_name);
        dialog.setNameFilters({first, second});
        // A name typed without an extension gets the one of the selected type.
        QObject::connect(
            &dialog, &QFileDialog::filterSelected, &dialog,
            [&dialog, descriptor, second](const QString& filter) {
                dialog.setDefaultSuffix(QString::fromUtf8(
                    filter == second ? descriptor.second_extension : descriptor.default_extension));
            });
    } else {
        dialog.setNameFilter(first);
    }
    dialog.setOption(QFileDialog::ReadOnly, false);
    const QFileInfo previous(QFile::decodeName(QByteArray::fromStdString(last)));
    dialog.setDirectory(start_folder(descriptor.default_extension, last));
    if (previous.isFile()) dialog.selectFile(previous.fileName());
    dialog.resize(kDialogWidth, kDialogHeight);
    // The dialog reopens on the type of the file chosen last time.
    if (descriptor.second_filter_name != nullptr &&
        previous.suffix().compare(QString::fromUtf8(descriptor.second_extension),
                                  Qt::CaseInsensitive) == 0) {
        dialog.selectNameFilter(QString::fromUtf8(descriptor.second_filter_name));
        dialog.setDefaultSuffix(QString::fromUtf8(descriptor.second_extension));
    }
    if (descriptor.confirm_overwrite) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile); // asks before overwriting
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    const QString chosen = dialog.selectedFiles().front();
    remember_folder(descriptor.default_extension, chosen);
    return QFile::encodeName(chosen).toStdString();
}

} // namespace morv::ui
