// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs/animation_preview.h"

#include "app/gallery.h"

#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>

namespace morv::ui {

namespace {

constexpr int kShownScale = 2;       // the small frames shown twice their size
constexpr int kReplayMs = 1000 / 12; // the loop from memory at 12 frames a second

QPixmap pixmap_of(const Surface& s) {
    const QImage image(reinterpret_cast<const uchar*>(s.data()), s.width(), s.height(),
                       s.width() * 4, QImage::Format_RGB32);
    return QPixmap::fromImage(image.copy());
}

} // namespace

AnimationPreview::AnimationPreview(std::vector<Params> keys, const StepTable& steps,
                                   std::int64_t clock, const app::PreviewPlan& plan,
                                   QWidget* parent)
    : QDialog(parent), keys_(std::move(keys)), steps_(steps), clock_(clock), plan_(plan),
      frames_(app::preview_frames(keys_.size(), plan)) {
    setWindowTitle(QStringLiteral("Animate from History"));
    auto* layout = new QVBoxLayout(this);
    picture_ = new QLabel(this);
    picture_->setFixedSize(plan.side * kShownScale, plan.side * kShownScale);
    picture_->setScaledContents(true);
    caption_ = new QLabel(this);
    layout->addWidget(picture_);
    layout->addWidget(caption_);
    // Drawing a frame takes the time it takes; each is drawn after the last
    // one is on screen, so that keys are handled in between.
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &AnimationPreview::next_frame);
    timer_.start(0);
}

void AnimationPreview::next_frame() {
    const bool drawing = drawn() < frames_;
    if (drawing) {
        const Params frame = app::preview_frame(keys_, drawn(), plan_);
        pictures_.push_back(
            pixmap_of(app::render_small(frame, steps_, clock_, plan_.side, plan_.iterations)));
        shown_ = drawn() - 1;
    } else {
        shown_ = (shown_ + 1) % frames_;
    }
    picture_->setPixmap(pictures_[static_cast<std::size_t>(shown_)]);
    caption_->setText(QStringLiteral("%1 keys - frame %2 of %3%4 - any key stops")
                          .arg(keys_.size())
                          .arg(shown_ + 1)
                          .arg(frames_)
                          .arg(drawing ? QStringLiteral(" (drawing)") : QString()));
    timer_.start(drawn() < frames_ ? 0 : kReplayMs);
}

void AnimationPreview::keyPressEvent(QKeyEvent*) {
    timer_.stop();
    accept();
}

void AnimationPreview::mousePressEvent(QMouseEvent*) {
    timer_.stop();
    accept();
}

} // namespace morv::ui
