#include "render/painter_surface.h"

#include <algorithm>
#include <initializer_list>

#include <QColor>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPen>

namespace veltrix::render {

namespace {

QColor toQColor(Rgb c) { return QColor(c.r, c.g, c.b); }

QString fromUtf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

}  // namespace

QString fontFamilyFor(std::string_view name) {
    const QString wanted = fromUtf8(name);
    const QStringList installed = QFontDatabase::families();
    auto has = [&installed](const QString& family) { return installed.contains(family, Qt::CaseInsensitive); };
    if (has(wanted)) return wanted;

    std::initializer_list<const char*> monospace{"Liberation Mono", "DejaVu Sans Mono", "Nimbus Mono PS", "FreeMono"};
    std::initializer_list<const char*> geometric{"URW Gothic", "TeX Gyre Adventor", "Liberation Sans", "DejaVu Sans"};
    std::initializer_list<const char*> small{"Liberation Sans Narrow", "DejaVu Sans Condensed", "Liberation Sans",
                                             "DejaVu Sans"};
    std::initializer_list<const char*> sans{"Liberation Sans", "DejaVu Sans"};
    const auto& candidates = wanted.compare("Courier New", Qt::CaseInsensitive) == 0      ? monospace
                             : wanted.compare("Century Gothic", Qt::CaseInsensitive) == 0 ? geometric
                             : wanted.compare("Small Fonts", Qt::CaseInsensitive) == 0    ? small
                                                                                          : sans;
    for (const char* family : candidates)
        if (has(QString::fromLatin1(family))) return QString::fromLatin1(family);
    return wanted;  // Qt's own substitution takes over
}

PainterSurface::PainterSurface(QPainter& painter, QPagedPaintDevice* paged)
    : painter_(painter), paged_(paged), width_(painter.device()->width()), height_(painter.device()->height()) {
    painter_.setRenderHint(QPainter::Antialiasing, true);
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
    setFont(FontSpec{"Small Fonts", 7});
}

void PainterSurface::clear() {
    painter_.fillRect(QRectF(0, 0, width_, height_), Qt::white);
}

void PainterSurface::setFont(const FontSpec& font) {
    spec_ = font;
    QFont f(fontFamilyFor(font.name));
    f.setPointSizeF(font.size > 0 ? font.size : 1);
    f.setBold(font.bold);
    f.setItalic(font.italic);
    f.setUnderline(font.underline);
    if (font.name == "Courier New") f.setStyleHint(QFont::Monospace);
    font_ = f;
}

void PainterSurface::usePen(Rgb color) {
    QPen pen(toQColor(color));
    pen.setWidthF(penWidth_ > 0 ? penWidth_ : 0);  // 0: the thinnest line the device draws
    pen.setCapStyle(Qt::FlatCap);
    painter_.setPen(pen);
    painter_.setBrush(Qt::NoBrush);
}

void PainterSurface::line(double x1, double y1, double x2, double y2, Rgb color) {
    usePen(color);
    painter_.drawLine(QLineF(toDeviceX(x1), toDeviceY(y1), toDeviceX(x2), toDeviceY(y2)));
}

void PainterSurface::box(double x1, double y1, double x2, double y2, Rgb color) {
    usePen(color);
    painter_.drawRect(QRectF(QPointF(toDeviceX(x1), toDeviceY(y1)), QPointF(toDeviceX(x2), toDeviceY(y2))).normalized());
}

void PainterSurface::filledBox(double x1, double y1, double x2, double y2, Rgb color) {
    const QRectF r = QRectF(QPointF(toDeviceX(x1), toDeviceY(y1)), QPointF(toDeviceX(x2), toDeviceY(y2))).normalized();
    painter_.fillRect(r, toQColor(color));
}

void PainterSurface::circle(double cx, double cy, double r, Rgb color) {
    usePen(color);
    const double rx = r * width_ / scale_.width;
    const double ry = r * height_ / scale_.height;
    painter_.drawEllipse(QPointF(toDeviceX(cx), toDeviceY(cy)), rx, ry);
}

void PainterSurface::text(double x, double y, std::string_view text, Rgb color) {
    painter_.setFont(font_);
    painter_.setPen(toQColor(color));
    const QFontMetricsF metrics(font_, painter_.device());
    painter_.drawText(QPointF(toDeviceX(x), toDeviceY(y) + metrics.ascent()), fromUtf8(text));
}

double PainterSurface::textHeight(std::string_view) const {
    const QFontMetricsF metrics(font_, painter_.device());
    return metrics.height() * scale_.height / height_;
}

double PainterSurface::textWidth(std::string_view text) const {
    const QFontMetricsF metrics(font_, painter_.device());
    return metrics.horizontalAdvance(fromUtf8(text)) * scale_.width / width_;
}

void PainterSurface::newPage() {
    if (paged_) paged_->newPage();
}

}  // namespace veltrix::render
