#include "qt_support.h"
#include "support/render.h"
#include "ui/folders.h"

#include <QDir>
#include <QSettings>
#include <filesystem>
#include <gtest/gtest.h>

namespace morv::test {
namespace {

// Each kind of file reopens where it was last chosen, in a later run too;
// a folder since removed is passed over.
TEST(Folders, DialogsStartWhereTheirKindWasLastChosen) {
    qt_app();
    TempDir settings, files;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                       QString::fromStdString(settings.path()));
    std::filesystem::create_directories(files.file("maps"));
    std::filesystem::create_directories(files.file("gone"));
    const std::string startup = QDir::currentPath().toStdString() + "/*.map";
    EXPECT_EQ(ui::start_folder("map", startup), QDir::currentPath());

    ui::remember_folder("map", QString::fromStdString(files.file("maps/a.map")));
    ui::remember_folder("tga", QString::fromStdString(files.file("gone/b.tga")));
    std::filesystem::remove(files.file("gone"));
    EXPECT_EQ(ui::start_folder("map", startup), QString::fromStdString(files.file("maps")));
    EXPECT_EQ(ui::start_folder("tga", startup), QDir::currentPath());
    EXPECT_EQ(ui::start_folder("atr", startup), QDir::currentPath());
    // A file chosen in this run wins over the remembered folder.
    EXPECT_EQ(ui::start_folder("map", files.path() + "/x.map"),
              QString::fromStdString(files.path()));
}

} // namespace
} // namespace morv::test
