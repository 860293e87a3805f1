#include "ui/previews.h"

#include <algorithm>

#include <QLabel>
#include <QPainter>
#include <QPixmap>

#include "dxf/draw.h"
#include "dxf/dxf_reader.h"
#include "render/painter_surface.h"
#include "base/file_ops.h"

namespace veltrix::ui {

MarginMarkers::MarginMarkers(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("marginMarkers"));
    const char* names[4] = {"ML", "MT", "MR", "MB"};
    for (int i = 0; i < 4; ++i) {
        markers_[i] = new QLabel(QString::fromLatin1(names[i]), this);
        markers_[i]->setObjectName(QStringLiteral("marker") + QString::fromLatin1(names[i]));
        markers_[i]->setAlignment(Qt::AlignCenter);
        markers_[i]->hide();
    }
    setMinimumSize(110, 90);
}

void MarginMarkers::setMargins(float left, float top, float right, float bottom) {
    const float m[4] = {left, top, right, bottom};
    for (int i = 0; i < 4; ++i) {
        shown_[i] = m[i] > 0;
        markers_[i]->setVisible(shown_[i]);
    }
    update();
}

bool MarginMarkers::shown(int index) const { return index >= 0 && index < 4 && shown_[index]; }

void MarginMarkers::resizeEvent(QResizeEvent*) {
    const int w = width(), h = height();
    const int lw = 24, lh = 16;
    markers_[0]->setGeometry(0, (h - lh) / 2, lw, lh);
    markers_[1]->setGeometry((w - lw) / 2, 0, lw, lh);
    markers_[2]->setGeometry(w - lw, (h - lh) / 2, lw, lh);
    markers_[3]->setGeometry((w - lw) / 2, h - lh, lw, lh);
}

void MarginMarkers::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect sheet(26, 18, width() - 52, height() - 36);
    p.fillRect(sheet, QColor(222, 200, 160));
    p.setPen(Qt::black);
    p.drawRect(sheet);
}

DxfPreview::DxfPreview(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("dxfPreview"));
    setMinimumSize(110, 110);
}

void DxfPreview::showFile(const std::string& file) {
    if (file == file_) return;
    file_ = file;
    outline_.clear();
    if (!file.empty() && fileExists(file)) {
        try {
            outline_ = dxf::readOutline(file);
        } catch (const std::exception&) {
            // An unreadable drawing shows nothing; choosing it in the grid said why.
            outline_.clear();
        }
    }
    update();
}

void DxfPreview::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setPen(Qt::gray);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    if (outline_.empty()) return;
    // A square view of side 1.1 x the larger extent, starting 5% of it before the drawing, drawn
    // in the middle of the widget.
    const int side = std::max(1, std::min(width(), height()) - 2);
    const dxf::BoundingBox box = dxf::boundingBox(outline_);
    const double extent = std::max(box.width(), box.height());
    if (!(extent > 0)) return;
    QPixmap picture(side, side);
    picture.fill(Qt::white);
    {
        QPainter onPicture(&picture);
        render::PainterSurface surface(onPicture);
        surface.setScale(ScaleSpec{-0.05 * extent, -0.05 * extent, 1.1 * extent, 1.1 * extent});
        dxf::draw(outline_, surface, colors::kLightRed);
    }
    painter.drawPixmap((width() - side) / 2, (height() - side) / 2, picture);
}

}  // namespace veltrix::ui
