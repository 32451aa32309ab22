#include "ui/choice_box_view.h"

#include "app/command_ids.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace morv::ui {

namespace {

QString qs(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QPushButton* make_button(std::string_view label, int id, QWidget* parent) {
    auto* b = new QPushButton(qs(label), parent);
    b->setObjectName(QString::number(id));
    // Enter always answers like the left button, wherever the focus is.
    b->setAutoDefault(false);
    return b;
}

} // namespace

ChoiceBoxView::ChoiceBoxView(const app::ChoiceBox& box, const app::ChoiceForm& form,
                             QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(qs(box.caption));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    auto* layout = new QVBoxLayout(this);
    auto* text = new QLabel(qs(box.text), this);
    text->setTextFormat(Qt::PlainText);
    layout->addWidget(text);
    if (!box.check_label.empty()) {
        check_ = new QCheckBox(qs(box.check_label), this);
        check_->setObjectName(QString::number(box.check_id));
        check_->setChecked(form.check);
        layout->addWidget(check_);
    }
    auto* row = new QHBoxLayout;
    button1_ = make_button(box.button1, app::kButton1, this);
    button2_ = make_button(box.button2, app::kButton2, this);
    button1_->setDefault(true);
    row->addWidget(button1_);
    row->addStretch();
    row->addWidget(button2_);
    layout->addLayout(row);
    connect(button1_, &QPushButton::clicked, this, [this] { done(app::kButton1); });
    connect(button2_, &QPushButton::clicked, this, [this] { done(app::kButton2); });
    button1_->setFocus();
}

app::ChoiceForm ChoiceBoxView::form() const {
    return app::ChoiceForm{check_ && check_->isChecked()};
}

int ChoiceBoxView::answer(int dialog_result) {
    return dialog_result == app::kButton1 ? app::kButton1 : app::kButton2;
}

int run_choice_box(int id, QWidget* parent, State& s) {
    const app::ChoiceBox* box = app::find_choice_box(id);
    if (box == nullptr) return app::kButton2;
    ChoiceBoxView view(*box, app::ChoiceForm::load(s, id), parent);
    const int answer = ChoiceBoxView::answer(view.exec());
    view.form().apply(s, id);
    return answer;
}

} // namespace morv::ui
