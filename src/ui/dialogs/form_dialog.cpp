// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs/form_dialog.h"

#include "app/app_state.h"
#include "app/forms/forms.h"
#include "app/prompts.h"
#include "ui/qt_text.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSlider>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <vector>

namespace morv::ui {

namespace {

using app::ControlKind;

// Room in a title bar beside its caption, in average characters.
constexpr int kTitleBarRoomChars = 16;

Qt::Alignment alignment(app::Align a) {
    switch (a) {
    case app::Align::Center:
        return Qt::AlignHCenter;
    case app::Align::Right:
        return Qt::AlignRight;
    case app::Align::Left:
        break;
    }
    return Qt::AlignLeft;
}

QWidget* make_widget(const app::Control& c, const app::DialogSpec& description, QWidget* parent) {
    switch (c.kind) {
    case ControlKind::Label: {
        auto* label = new QLabel(qs(c.text), parent);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(alignment(c.align) | Qt::AlignVCenter);
        return label;
    }
    case ControlKind::Edit: {
        auto* edit = new QLineEdit(parent);
        const QString sample(description.edit_chars, QLatin1Char('0'));
        edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(sample) + 12);
        return edit;
    }
    case ControlKind::Radio:
        return new QRadioButton(qs(c.text), parent);
    case ControlKind::Check:
        return new QCheckBox(qs(c.text), parent);
    case ControlKind::Group: {
        auto* group = new QGroupBox(qs(c.text), parent);
        new QGridLayout(group);
        return group;
    }
    case ControlKind::Slider: {
        auto* slider = new QSlider(Qt::Horizontal, parent);
        slider->setRange(0, description.slider_max);
        slider->setPageStep(1);
        slider->setTickPosition(QSlider::TicksBelow);
        slider->setTickInterval(1);
        return slider;
    }
    }
    return nullptr;
}

// A fixed label over several columns whose text is one heading per column,
// set apart by runs of spaces, e.g. "a     b     c": its headings. Spaces
// cannot put a heading over its column in every font, so each heading gets a
// label in its own column instead. Empty when the label is an ordinary one.
QStringList column_headings(const app::Control& c) {
    if (c.kind != ControlKind::Label || c.id != app::kNoId || c.columns < 2) return {};
    QStringList headings = qs(c.text).trimmed().split(QRegularExpression(QStringLiteral(" {2,}")));
    return headings.size() == c.columns ? headings : QStringList{};
}

// The widest size hint in each column of a grid, spanning items left out.
std::vector<int> column_widths(const QGridLayout& grid) {
    std::vector<int> widths(static_cast<std::size_t>(grid.columnCount()), 0);
    for (int i = 0; i < grid.count(); ++i) {
        int row = 0, column = 0, rows = 0, columns = 0;
        grid.getItemPosition(i, &row, &column, &rows, &columns);
        if (columns != 1) continue;
        int& w = widths[static_cast<std::size_t>(column)];
        w = std::max(w, grid.itemAt(i)->sizeHint().width());
    }
    return widths;
}

// Group boxes stacked in the same columns of one parent share one column
// grid: each column as wide as its widest field in any of them, extra width
// shared alike, so their columns line up.
void align_stacked_groups(const std::vector<const app::Control*>& groups,
                          const std::map<int, QWidget*>& controls) {
    std::map<std::array<int, 3>, std::vector<QGridLayout*>> stacks;
    for (const app::Control* g : groups)
        stacks[{g->parent, g->column, g->columns}].push_back(
            static_cast<QGridLayout*>(controls.at(g->id)->layout()));
    for (const auto& [at, grids] : stacks) {
        if (grids.size() < 2) continue;
        std::vector<int> widths;
        for (const QGridLayout* grid : grids) {
            const std::vector<int> own = column_widths(*grid);
            widths.resize(std::max(widths.size(), own.size()), 0);
            for (std::size_t i = 0; i < own.size(); ++i)
                widths[i] = std::max(widths[i], own[i]);
        }
        for (QGridLayout* grid : grids)
            for (std::size_t i = 0; i < widths.size(); ++i) {
                grid->setColumnMinimumWidth(static_cast<int>(i), widths[i]);
                grid->setColumnStretch(static_cast<int>(i), 1);
            }
    }
}

} // namespace

FormDialog::FormDialog(app::Form& form, app::Instance& s, app::Prompts& prompts, QWidget* parent)
    : QDialog(parent), form_(form), s_(s), prompts_(prompts) {
    const app::DialogSpec& description = form.description();
    setWindowTitle(qs(description.caption));
    if (!description.close_box)
        setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setObjectName(QString::number(description.id));
    auto* layout = new QVBoxLayout(this);
    auto* body = new QWidget(this);
    new QGridLayout(body);
    layout->addWidget(body);
    std::map<QWidget*, QButtonGroup*> radio_groups;
    std::vector<const app::Control*> groups;
    for (const app::Control& c : description.controls) {
        QWidget* parent_widget = c.parent == 0 ? body : controls_.at(c.parent);
        auto* grid = static_cast<QGridLayout*>(parent_widget->layout());
        if (const QStringList headings = column_headings(c); !headings.isEmpty()) {
            for (int i = 0; i < c.columns; ++i) {
                app::Control one = c;
                const QByteArray text = headings[i].toUtf8();
                one.text =
                    std::string_view(text.constData(), static_cast<std::size_t>(text.size()));
                grid->addWidget(make_widget(one, description, parent_widget), c.row, c.column + i);
            }
            continue;
        }
        QWidget* w = make_widget(c, description, parent_widget);
        if (c.id != app::kNoId) {
            w->setObjectName(QString::number(c.id));
            controls_[c.id] = w;
        }
        grid->addWidget(w, c.row, c.column, c.rows, c.columns);
        if (c.kind == ControlKind::Group) groups.push_back(&c);
        if (c.kind == ControlKind::Radio) {
            QButtonGroup*& group =
                radio_groups[description.one_radio_group ? nullptr : parent_widget];
            if (!group) group = new QButtonGroup(this);
            group->addButton(static_cast<QRadioButton*>(w));
        }
        if (c.kind == ControlKind::Slider)
            connect(static_cast<QSlider*>(w), &QSlider::valueChanged, this,
                    [this, id = c.id](int v) { form_.slider_moved(s_, id, v); });
    }
    align_stacked_groups(groups, controls_);
    add_buttons(description.buttons);
    // Wide enough for the whole caption beside the title bar's icon and buttons.
    setMinimumWidth(std::max(minimumSizeHint().width(),
                             fontMetrics().horizontalAdvance(windowTitle()) +
                                 kTitleBarRoomChars * fontMetrics().averageCharWidth()));
    order_tabs(description);
    // The slider shows the form's position without reporting it as a move.
    show_fields(form.open(s, s));
}

// Tab moves through the fields in reading order of the layout (a group's
// fields where the group stands), then to the buttons, whatever order the
// description lists them in.
void FormDialog::order_tabs(const app::DialogSpec& description) {
    std::map<int, const app::Control*> by_id;
    for (const app::Control& c : description.controls)
        if (c.id != app::kNoId) by_id[c.id] = &c;
    std::vector<std::pair<std::array<int, 4>, QWidget*>> stops;
    for (const app::Control& c : description.controls) {
        QWidget* w = c.id == app::kNoId ? nullptr : control(c.id);
        if (w == nullptr || w->focusPolicy() == Qt::NoFocus || qobject_cast<QGroupBox*>(w))
            continue;
        const auto parent = by_id.find(c.parent);
        const std::array<int, 4> at =
            parent == by_id.end()
                ? std::array{c.row, c.column, -1, -1}
                : std::array{parent->second->row, parent->second->column, c.row, c.column};
        stops.emplace_back(at, w);
    }
    std::stable_sort(stops.begin(), stops.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    QWidget* previous = nullptr;
    for (const auto& stop : stops) {
        if (previous != nullptr) setTabOrder(previous, stop.second);
        previous = stop.second;
    }
    for (int button : {1, 2}) {
        if (previous != nullptr) setTabOrder(previous, control(button));
        previous = control(button);
    }
}

void FormDialog::add_buttons(const app::Buttons& buttons) {
    auto* row = new QHBoxLayout;
    auto* ok = new QPushButton(qs(buttons.button1), this);
    auto* cancel = new QPushButton(qs(buttons.button2), this);
    // Room around the text, so a long caption is not squeezed to its edges.
    for (QPushButton* b : {ok, cancel})
        b->setMinimumWidth(b->fontMetrics().horizontalAdvance(b->text()) +
                           4 * b->fontMetrics().averageCharWidth());
    ok->setObjectName("1");
    cancel->setObjectName("2");
    if (buttons.enter_is_button1) {
        ok->setAutoDefault(false);
        cancel->setAutoDefault(false);
    }
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &FormDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &FormDialog::reject);
    if (!buttons.at_edges) row->addStretch();
    row->addWidget(ok);
    if (buttons.at_edges) row->addStretch();
    row->addWidget(cancel);
    if (!buttons.at_edges) row->addStretch();
    static_cast<QVBoxLayout*>(layout())->addLayout(row);
    controls_[1] = ok;
    controls_[2] = cancel;
    if (buttons.enter_is_button1) ok->setFocus();
}

void FormDialog::show_fields(const app::Fields& f) {
    for (const auto& [id, text] : f.text) {
        if (auto* edit = qobject_cast<QLineEdit*>(control(id))) {
            edit->setText(qs(text));
            edit->setCursorPosition(0); // the start of a long number in view
        }
        if (auto* label = qobject_cast<QLabel*>(control(id))) label->setText(qs(text));
    }
    for (const auto& [id, on] : f.checked)
        if (auto* button = qobject_cast<QAbstractButton*>(control(id))) button->setChecked(on);
    for (const auto& [id, on] : f.enabled)
        if (QWidget* w = control(id)) w->setEnabled(on);
    for (const auto& [id, position] : f.position) {
        if (auto* slider = qobject_cast<QSlider*>(control(id))) {
            const QSignalBlocker quiet(slider);
            slider->setValue(position);
        }
    }
}

QWidget* FormDialog::control(int id) const {
    const auto it = controls_.find(id);
    return it == controls_.end() ? nullptr : it->second;
}

app::Fields FormDialog::fields() const {
    app::Fields f;
    for (const auto& [id, w] : controls_) {
        if (id == 1 || id == 2) continue;
        if (auto* edit = qobject_cast<QLineEdit*>(w)) f.text[id] = edit->text().toStdString();
        if (auto* radio = qobject_cast<QRadioButton*>(w)) f.checked[id] = radio->isChecked();
        if (auto* check = qobject_cast<QCheckBox*>(w)) f.checked[id] = check->isChecked();
        if (auto* slider = qobject_cast<QSlider*>(w)) f.position[id] = slider->value();
    }
    return f;
}

void FormDialog::accept() {
    const app::FormOutcome out = form_.ok(s_, fields());
    show_messages(out.messages, prompts_);
    if (out.close) QDialog::accept();
}

void FormDialog::reject() {
    form_.cancel(s_, fields());
    QDialog::reject();
}

int run_form_dialog(app::Form& form, QWidget* parent, app::Instance& s, app::Prompts& prompts) {
    FormDialog dialog(form, s, prompts, parent);
    return dialog.exec() == QDialog::Accepted ? 1 : 2;
}

int run_form_dialog(int id, QWidget* parent, app::Instance& s, app::Prompts& prompts) {
    const std::unique_ptr<app::Form> form = app::make_form(id, app::measure_chaos);
    if (!form) return 2;
    return run_form_dialog(*form, parent, s, prompts);
}

void show_messages(const std::vector<app::Message>& messages, app::Prompts& prompts) {
    for (const app::Message& m : messages) {
        if (m.kind == app::Message::Kind::Inform)
            prompts.inform(m.caption, m.text);
        else
            prompts.warn(m.caption, m.text);
    }
}

} // namespace morv::ui
