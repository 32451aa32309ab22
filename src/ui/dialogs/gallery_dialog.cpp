// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs/gallery_dialog.h"

#include "app/app_state.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>
#include <thread>

namespace morv::ui {

namespace {

// Thumbnail sides that keep a grid of 3 x 3 or 4 x 4 on a small screen.
constexpr int kSide9 = 200;
constexpr int kSide16 = 150;

QPixmap pixmap_of(const Surface& s) {
    const QImage image(reinterpret_cast<const uchar*>(s.data()), s.width(), s.height(),
                       s.width() * 4, QImage::Format_RGB32);
    return QPixmap::fromImage(image.copy());
}

constexpr double kSpreadStep = 5; // percent per arrow click

QString caption(const app::GalleryCandidate& c) {
    if (!c.found) return QStringLiteral("none accepted");
    const QString estimate = QStringLiteral("LExp %1  FD %2")
                                 .arg(c.measure.lexp, 0, 'f', 4)
                                 .arg(c.measure.fd, 0, 'f', 3);
    if (!c.steered) return estimate;
    return estimate + QStringLiteral("\nλ1 %1  KY %2")
                          .arg(c.largest_exponent, 0, 'f', 4)
                          .arg(c.kaplan_yorke, 0, 'f', 3);
}

} // namespace

GalleryDialog::GalleryDialog(const Params& ps, const StepTable& steps,
                             const SearchSteering& steering, std::int64_t clock, QWidget* parent)
    : QDialog(parent), ps_(ps), steps_(steps), steering_(steering), clock_(clock) {
    setWindowTitle(QStringLiteral("Random Gallery"));
    auto* layout = new QVBoxLayout(this);
    auto* body = new QWidget(this);
    grid_ = new QGridLayout(body);
    layout->addWidget(body);
    layout->addLayout(steering_row());
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("Candidates:"), this));
    count_ = new QComboBox(this);
    count_->addItems({QStringLiteral("9"), QStringLiteral("16")});
    row->addWidget(count_);
    row->addStretch();
    auto* more_button = new QPushButton(QStringLiteral("More"), this);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    row->addWidget(more_button);
    row->addWidget(cancel);
    layout->addLayout(row);
    connect(more_button, &QPushButton::clicked, this, &GalleryDialog::more);
    connect(count_, &QComboBox::currentIndexChanged, this, [this] { more(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    more();
}

// The boxes start as Random Search Options left them.
QLayout* GalleryDialog::steering_row() {
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("Keep:"), this));
    for (std::size_t k = 0; k < kCoefficientNames.size(); ++k) {
        auto* box = new QCheckBox(QString::fromLatin1(kCoefficientNames[k]), this);
        box->setChecked(steering_.frozen[k]);
        row->addWidget(box);
        freeze_.push_back(box);
    }
    row->addSpacing(16);
    row->addWidget(new QLabel(QStringLiteral("Draw within"), this));
    spread_ = new QDoubleSpinBox(this);
    spread_->setRange(0, 100);
    spread_->setDecimals(1);
    spread_->setSingleStep(kSpreadStep);
    spread_->setSuffix(QStringLiteral(" %"));
    spread_->setSpecialValueText(QStringLiteral("whole range"));
    spread_->setValue(steering_.spread_percent.value_or(0));
    row->addWidget(spread_);
    row->addWidget(new QLabel(QStringLiteral("of the current set"), this));
    row->addStretch();
    return row;
}

SearchSteering GalleryDialog::steering() const {
    SearchSteering steer = steering_;
    for (std::size_t k = 0; k < freeze_.size(); ++k)
        steer.frozen[k] = freeze_[k]->isChecked();
    if (spread_->value() > 0)
        steer.spread_percent = spread_->value();
    else
        steer.spread_percent.reset();
    return steer;
}

// Each "More" searches with clock values not used before in this dialog.
void GalleryDialog::more() {
    app::GallerySettings settings;
    settings.steering = steering();
    settings.count = count_->currentIndex() == 0 ? 9 : 16;
    settings.side = settings.count == 9 ? kSide9 : kSide16;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    candidates_ = app::draw_gallery(ps_, steps_, clock_, settings,
                                    std::max(1u, std::thread::hardware_concurrency()));
    QApplication::restoreOverrideCursor();
    clock_ += settings.count;
    choice_ = nullptr;
    show_candidates();
}

void GalleryDialog::show_candidates() {
    for (QToolButton* b : cells_)
        delete b;
    cells_.clear();
    const int cols = static_cast<int>(std::lround(std::sqrt(candidates_.size())));
    for (std::size_t i = 0; i < candidates_.size(); ++i) {
        const app::GalleryCandidate& c = candidates_[i];
        auto* b = new QToolButton(this);
        b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        b->setText(caption(c));
        b->setEnabled(c.found);
        if (c.found) {
            b->setIcon(pixmap_of(c.thumbnail));
            b->setIconSize(QSize(c.thumbnail.width(), c.thumbnail.height()));
        }
        connect(b, &QToolButton::clicked, this, [this, i] {
            choice_ = &candidates_[i];
            accept();
        });
        grid_->addWidget(b, static_cast<int>(i) / cols, static_cast<int>(i) % cols);
        cells_.push_back(b);
    }
}

} // namespace morv::ui
