// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/tone_window.h"

#include "core/numeric.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QShortcut>
#include <QSlider>
#include <QSpinBox>
#include <algorithm>
#include <cmath>

namespace morv::ui {

namespace {

struct CurveSetting {
    const char* name;
    const char* label;
    double lo, hi;
    bool by_ratio; // the slider moves by ratios rather than differences
    int decimals;
    double PictureSettings::*field;
};

constexpr CurveSetting kCurve[ToneWindow::kSliderSettings] = {
    {"exposure", "Exposure", 0.01, 100, true, 2, &PictureSettings::exposure},
    {"gamma", "Gamma", 0.1, 10, true, 2, &PictureSettings::gamma},
    {"vibrancy", "Vibrancy", 0, 1, false, 2, &PictureSettings::vibrancy},
    {"gamma_threshold", "Gamma threshold", 0, 1, false, 3, &PictureSettings::gamma_threshold},
    {"contrast", "Contrast", 0.001, 1e6, true, 3, &PictureSettings::contrast},
    {"filter_width", "Filter width", 1, 8, false, 2, &PictureSettings::filter_width},
};

const CurveSetting& curve(int i) {
    return kCurve[std::clamp(i, 0, ToneWindow::kSliderSettings - 1)];
}

// What the field shows is what the picture uses.
double at_decimals(double v, int decimals) {
    const double scale = std::pow(10.0, decimals);
    return std::round(v * scale) / scale;
}

// "2 x 2 samples per pixel" rather than a bare number.
class OversampleBox : public QSpinBox {
  public:
    using QSpinBox::QSpinBox;

  protected:
    QString textFromValue(int s) const override {
        return s == 1 ? QStringLiteral("1 x 1 (none)")
                      : QStringLiteral("%1 x %1 samples per pixel").arg(s);
    }
    int valueFromText(const QString& text) const override {
        return text.section(QLatin1Char(' '), 0, 0).toInt();
    }
    QValidator::State validate(QString& text, int&) const override {
        const int s = valueFromText(text);
        return s >= minimum() && s <= maximum() ? QValidator::Acceptable : QValidator::Intermediate;
    }
};

constexpr const char* kColorSources[] = {"Speed", "Z", "Direction", "Place in the orbit"};
constexpr int kFieldWidth = 110;

} // namespace

int slider_position(int setting, double value) {
    const CurveSetting& c = curve(setting);
    const double v = std::clamp(value, c.lo, c.hi);
    const double f =
        c.by_ratio ? std::log(v / c.lo) / std::log(c.hi / c.lo) : (v - c.lo) / (c.hi - c.lo);
    return trunc32(std::round(f * kSliderSteps));
}

double slider_value(int setting, int position) {
    const CurveSetting& c = curve(setting);
    const double f = std::clamp(position, 0, kSliderSteps) / static_cast<double>(kSliderSteps);
    const double v = c.by_ratio ? c.lo * std::pow(c.hi / c.lo, f) : c.lo + (c.hi - c.lo) * f;
    return std::clamp(at_decimals(v, c.decimals), c.lo, c.hi);
}

ToneWindow::ToneWindow(Changed changed, QWidget* parent)
    : QWidget(parent, Qt::Tool), changed_(std::move(changed)) {
    setWindowTitle(QStringLiteral("Tone"));
    auto* grid = new QGridLayout(this);
    for (int i = 0; i < kCurveSettings; ++i)
        add_slider_row(i, i);
    int row = kCurveSettings;

    color_ = new QComboBox(this);
    color_->setObjectName(QStringLiteral("color_by"));
    for (const char* name : kColorSources)
        color_->addItem(QString::fromLatin1(name));
    grid->addWidget(new QLabel(QStringLiteral("Colour source"), this), row, 0);
    grid->addWidget(color_, row, 1);
    grid->addWidget(new QLabel(QStringLiteral("changing it restarts the image"), this), row++, 2);
    connect(color_, &QComboBox::activated, this, [this](int index) {
        shown_.color_by = index;
        report(true);
    });

    oversample_ = new OversampleBox(this);
    oversample_->setObjectName(QStringLiteral("oversample"));
    oversample_->setRange(1, 4);
    oversample_->setKeyboardTracking(false);
    grid->addWidget(new QLabel(QStringLiteral("Oversampling"), this), row, 0);
    grid->addWidget(oversample_, row, 1);
    grid->addWidget(new QLabel(QStringLiteral("changing it restarts the image"), this), row++, 2);
    connect(oversample_, &QSpinBox::valueChanged, this, [this](int s) {
        shown_.oversample = s;
        report(true);
    });
    // The filter reads the samples already drawn: a new width tones again.
    add_slider_row(kFilterWidth, row++);
    grid->addWidget(new QLabel(QStringLiteral("with oversampling: the filter's width in pixels; "
                                              "changing it tones the picture again"),
                               this),
                    row++, 1, 1, 2);

    tone_ = new QCheckBox(QStringLiteral("Tone the picture: log-density of the hits (off: the "
                                         "colouring method's picture)"),
                          this);
    tone_->setObjectName(QStringLiteral("tone"));
    grid->addWidget(tone_, row, 0, 1, 3);
    connect(tone_, &QCheckBox::toggled, this, [this](bool on) {
        shown_.tone = on ? 1 : 0;
        report(true);
    });
    grid->setColumnStretch(1, 1);
    for (QWidget* w : findChildren<QWidget*>())
        if (w->focusPolicy() != Qt::NoFocus) w->installEventFilter(this);
    show_settings(shown_);
}

void ToneWindow::add_slider_row(int i, int row) {
    const CurveSetting& c = curve(i);
    auto* grid = static_cast<QGridLayout*>(layout());
    Row& r = rows_[static_cast<std::size_t>(i)];
    r.slider = new QSlider(Qt::Horizontal, this);
    r.slider->setObjectName(QString::fromLatin1(c.name));
    r.slider->setRange(0, kSliderSteps);
    r.slider->setSingleStep(5);
    r.slider->setPageStep(50);
    r.slider->setMinimumWidth(260);
    r.field = new QDoubleSpinBox(this);
    r.field->setObjectName(QString::fromLatin1(c.name) + QStringLiteral("_field"));
    r.field->setRange(c.lo, c.hi);
    r.field->setDecimals(c.decimals);
    r.field->setKeyboardTracking(false);
    r.field->setMinimumWidth(kFieldWidth);
    auto* label = new QLabel(QString::fromLatin1(c.label), this);
    label->setBuddy(r.slider);
    grid->addWidget(label, row, 0);
    grid->addWidget(r.slider, row, 1);
    grid->addWidget(r.field, row, 2);
    connect(r.slider, &QSlider::valueChanged, this, [this, i](int position) {
        slider_moved(i, position, !rows_[static_cast<std::size_t>(i)].slider->isSliderDown());
    });
    connect(r.slider, &QSlider::sliderReleased, this, [this] { report(true); });
    connect(r.field, &QDoubleSpinBox::valueChanged, this,
            [this, i](double value) { field_set(i, value); });
}

void ToneWindow::slider_moved(int i, int position, bool settled) {
    const CurveSetting& c = curve(i);
    const double v = slider_value(i, position);
    shown_.*c.field = v;
    QDoubleSpinBox* field = rows_[static_cast<std::size_t>(i)].field;
    const QSignalBlocker quiet(field);
    field->setValue(v);
    report(settled);
}

void ToneWindow::field_set(int i, double value) {
    const CurveSetting& c = curve(i);
    shown_.*c.field = value;
    QSlider* slider = rows_[static_cast<std::size_t>(i)].slider;
    const QSignalBlocker quiet(slider);
    slider->setValue(slider_position(i, value));
    report(true);
}

void ToneWindow::report(bool settled) {
    if (changed_) changed_(shown_, settled);
}

void ToneWindow::show_settings(const PictureSettings& p) {
    shown_ = p;
    for (int i = 0; i < kSliderSettings; ++i) {
        const Row& r = rows_[static_cast<std::size_t>(i)];
        const double v = p.*curve(i).field;
        const QSignalBlocker quiet_slider(r.slider), quiet_field(r.field);
        r.slider->setValue(slider_position(i, v));
        r.field->setValue(v);
    }
    const QSignalBlocker quiet_color(color_), quiet_over(oversample_), quiet_tone(tone_);
    color_->setCurrentIndex(std::clamp(p.color_by, 0, color_->count() - 1));
    oversample_->setValue(p.oversample);
    tone_->setChecked(p.tone != 0);
}

void ToneWindow::add_shortcut(const QKeySequence& key, std::function<void()> act) {
    auto* sc = new QShortcut(key, this);
    sc->setContext(Qt::WindowShortcut);
    sc->setAutoRepeat(true);
    connect(sc, &QShortcut::activated, this, std::move(act));
    passed_keys_.push_back(key);
}

// Left and right step a closed list's choice as up and down do, each step
// taken as a choice.
bool ToneWindow::moved_choice(QObject* watched, const QKeyEvent& key) {
    auto* box = qobject_cast<QComboBox*>(watched);
    if (box == nullptr || box->isEditable() || box->view()->isVisible() ||
        (key.key() != Qt::Key_Left && key.key() != Qt::Key_Right) ||
        (key.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    const int next = box->currentIndex() + (key.key() == Qt::Key_Left ? -1 : 1);
    if (next >= 0 && next < box->count()) {
        box->setCurrentIndex(next);
        emit box->activated(next);
    }
    return true;
}

// The main window's arrow keys pan its view; in this window they move the
// control that has the keys instead. The main window's keys passed on here
// go to their commands, not to a field's own undo.
bool ToneWindow::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() == QEvent::KeyPress && moved_choice(watched, *static_cast<QKeyEvent*>(e)))
        return true;
    if (e->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(e);
        if (std::find(passed_keys_.begin(), passed_keys_.end(),
                      QKeySequence(key->keyCombination())) != passed_keys_.end()) {
            e->ignore();
            return true;
        }
        switch (key->key()) {
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_Home:
        case Qt::Key_End:
            if (key->modifiers() == Qt::NoModifier || key->modifiers() == Qt::KeypadModifier) {
                e->accept();
                return true;
            }
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, e);
}

// The exposure slider takes the keys first: the arrows move it at once.
void ToneWindow::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    activateWindow();
    slider(0)->setFocus(Qt::ActiveWindowFocusReason);
}

} // namespace morv::ui
