#include "ui/type_dialog.h"

#include "app/command_ids.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace morv::ui {

namespace {

QString qs(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QGroupBox* make_group(int id, std::string_view heading, QWidget* parent) {
    auto* group = new QGroupBox(qs(heading), parent);
    group->setObjectName(QString::number(id));
    new QGridLayout(group);
    return group;
}

} // namespace

TypeDialog::TypeDialog(const app::TypeForm& form, QWidget* parent) : QDialog(parent) {
    setWindowTitle(qs(app::kTypeDialogCaption));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    auto* layout = new QVBoxLayout(this);
    std::array<QGroupBox*, 2> groups{
        make_group(app::kTypeGroupId, app::kTypeGroupHeading, this),
        make_group(app::kMoreTypesGroupId, app::kMoreTypesGroupHeading, this)};
    auto* exclusive = new QButtonGroup(this);
    for (int i = 0; i < NTYPES; ++i) {
        const auto place = app::TypeForm::place(i);
        auto* radio = new QRadioButton(qs(app::TypeForm::label(i)), groups[place.group]);
        radio->setObjectName(QString::number(app::kFirstTypeRadio + i));
        radio->setChecked(form.checked[static_cast<std::size_t>(i)]);
        exclusive->addButton(radio, i);
        static_cast<QGridLayout*>(groups[place.group]->layout())
            ->addWidget(radio, place.row, place.column);
        radios_[static_cast<std::size_t>(i)] = radio;
    }
    layout->addWidget(groups[0]);
    layout->addWidget(groups[1]);

    // OK at the bottom left, Cancel at the bottom right.
    auto* buttons = new QHBoxLayout;
    auto* ok = new QPushButton(tr("OK"), this);
    auto* cancel = new QPushButton(tr("Cancel"), this);
    ok->setObjectName(QString::number(app::kButton1));
    cancel->setObjectName(QString::number(app::kButton2));
    ok->setDefault(true);
    buttons->addWidget(ok);
    buttons->addStretch();
    buttons->addWidget(cancel);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    layout->addLayout(buttons);
}

app::TypeForm TypeDialog::form() const {
    app::TypeForm f;
    for (int i = 0; i < NTYPES; ++i)
        f.checked[static_cast<std::size_t>(i)] = radios_[static_cast<std::size_t>(i)]->isChecked();
    return f;
}

int run_type_dialog(QWidget* parent, State& s) {
    TypeDialog dialog(app::TypeForm::load(s), parent);
    if (dialog.exec() != QDialog::Accepted) return app::kButton2;
    dialog.form().apply(s);
    return app::kButton1;
}

} // namespace morv::ui
