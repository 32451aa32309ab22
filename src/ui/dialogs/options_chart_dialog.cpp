// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs/options_chart_dialog.h"

#include "app/forms/options_chart.h"
#include "ui/dialogs/dialog_views.h"
#include "ui/pictures/options_chart_picture.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace morv::ui {

OptionsChartDialog::OptionsChartDialog(const QImage& chart, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint) {
    setObjectName("600");
    setWindowTitle(QString());
    auto* layout = new QVBoxLayout(this);
    picture_ = new QLabel(this);
    picture_->setObjectName(QString::number(app::kOptionsChartPicture));
    picture_->setPixmap(QPixmap::fromImage(chart));
    layout->addWidget(picture_, 0, Qt::AlignLeft | Qt::AlignTop);
    close_ = new QPushButton(tr("Close"), this);
    close_->setObjectName("1");
    close_->setDefault(true);
    connect(close_, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(close_, 0, Qt::AlignHCenter);
}

void OptionsChartDialog::reject() {}

int run_options_chart(QWidget* parent) {
    OptionsChartDialog dialog(options_chart_picture(), parent);
    dialog.exec();
    return 1;
}

} // namespace morv::ui
