#pragma once
// The drawing surface on a QPainter: the layout viewer's picture, printers, PDF, PNG and SVG
// files all draw through this one class.

#include <string_view>

#include <QFont>
#include <QString>

#include "platform/surface.h"

class QPainter;
class QPagedPaintDevice;

namespace veltrix::render {

// The installed font family that stands in for `name`: the family itself when installed, else
// one of similar style ("Courier New" -> Liberation Mono, a monospaced font of the same widths;
// "Century Gothic" and "Small Fonts" -> a sans-serif font). Needs a QGuiApplication.
QString fontFamilyFor(std::string_view name);

// Draws on an active painter. User coordinates are mapped to device coordinates by the scale;
// texts keep their point size whatever the scale, as on a printer. Lines and boxes are drawn in
// device units, so a stretched scale never distorts line widths or fonts.
class PainterSurface : public Surface {
public:
    // `paged` (may be null) receives newPage(); the painter must stay active while the surface
    // is used.
    PainterSurface(QPainter& painter, QPagedPaintDevice* paged = nullptr);

    double deviceWidth() const override { return width_; }
    double deviceHeight() const override { return height_; }
    void setScale(const ScaleSpec& scale) override { scale_ = scale; }
    ScaleSpec scale() const override { return scale_; }
    void clear() override;
    void setPenWidth(int width) override { penWidth_ = width; }
    void setFont(const FontSpec& font) override;
    FontSpec font() const override { return spec_; }

    void line(double x1, double y1, double x2, double y2, Rgb color) override;
    void box(double x1, double y1, double x2, double y2, Rgb color) override;
    void filledBox(double x1, double y1, double x2, double y2, Rgb color) override;
    void circle(double cx, double cy, double r, Rgb color) override;
    void text(double x, double y, std::string_view text, Rgb color) override;
    double textHeight(std::string_view text) const override;
    double textWidth(std::string_view text) const override;
    void newPage() override;

private:
    double toDeviceX(double x) const { return (x - scale_.left) * width_ / scale_.width; }
    double toDeviceY(double y) const { return (y - scale_.top) * height_ / scale_.height; }
    void usePen(Rgb color);

    QPainter& painter_;
    QPagedPaintDevice* paged_;
    double width_, height_;
    ScaleSpec scale_;
    FontSpec spec_;
    QFont font_;
    int penWidth_ = 1;
};

}  // namespace veltrix::render
