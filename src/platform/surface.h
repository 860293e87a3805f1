#pragma once
// The drawing surface the core draws layouts, outlines and listings on: the screen picture, the
// printer, PDF, PNG and SVG files. The core only sees this interface; the Qt implementation lives
// in render/, and RecordingSurface below serves the tests.
//
// Coordinates are user units set by setScale(): (left, top) is the surface's top-left corner and
// (left + width, top + height) its bottom-right, X to the right and Y downward. The two axes may
// have different scales (a magnified layout stretches X only).

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace veltrix {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// Colours of the 16-colour basic palette used by the drawings.
namespace colors {
inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kDarkBlue{0, 0, 128};
inline constexpr Rgb kLightGrey{192, 192, 192};
inline constexpr Rgb kLightBlue{0, 0, 255};
inline constexpr Rgb kLightRed{255, 0, 0};
inline constexpr Rgb kLightYellow{255, 255, 0};
inline constexpr Rgb kWhite{255, 255, 255};
}  // namespace colors

struct FontSpec {
    std::string name;  // e.g. "Courier New"; a surface substitutes a similar font when missing
    double size = 9;   // points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

struct ScaleSpec {
    double left = 0, top = 0, width = 1, height = 1;
    friend bool operator==(const ScaleSpec&, const ScaleSpec&) = default;
};

class Surface {
public:
    virtual ~Surface() = default;

    // Size of the drawable area in device units (pixels, printer dots); only the ratio matters
    // to the core (a printed layout keeps the page's proportions).
    virtual double deviceWidth() const = 0;
    virtual double deviceHeight() const = 0;

    virtual void setScale(const ScaleSpec& scale) = 0;
    virtual ScaleSpec scale() const = 0;
    // Empties the surface (white).
    virtual void clear() = 0;
    // Width of lines and outlines in device units; 0 or less draws the thinnest line.
    virtual void setPenWidth(int width) = 0;
    virtual void setFont(const FontSpec& font) = 0;
    virtual FontSpec font() const = 0;

    virtual void line(double x1, double y1, double x2, double y2, Rgb color) = 0;
    // A rectangle's outline, and a rectangle filled (without an outline of another colour).
    virtual void box(double x1, double y1, double x2, double y2, Rgb color) = 0;
    virtual void filledBox(double x1, double y1, double x2, double y2, Rgb color) = 0;
    virtual void circle(double cx, double cy, double r, Rgb color) = 0;
    // Text in the current font with its top-left corner at (x, y).
    virtual void text(double x, double y, std::string_view text, Rgb color) = 0;
    // Height and width of a text in the current font, in user units of Y and of X.
    virtual double textHeight(std::string_view text) const = 0;
    virtual double textWidth(std::string_view text) const = 0;

    // Paged surfaces (printer, PDF) start a new page; others ignore it.
    virtual void newPage() = 0;
};

// GCC 12 at -O2 reports the variant's members as maybe uninitialized (a known false positive).
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
// A surface that keeps a list of what was drawn, for tests. Text metrics are fixed: every
// character is `charWidth` device units wide and a text is `lineHeight` device units high (both
// per point of font size 10, scaled by the font size), so expected positions can be worked out
// by hand.
class RecordingSurface : public Surface {
public:
    struct Line { double x1, y1, x2, y2; Rgb color; int penWidth; };
    struct Box { double x1, y1, x2, y2; Rgb color; bool filled; };
    struct Circle { double cx, cy, r; Rgb color; };
    struct Text { double x, y; std::string text; Rgb color; FontSpec font; };
    struct Scale { ScaleSpec scale; };
    struct Clear {};
    struct NewPage {};
    using Op = std::variant<Line, Box, Circle, Text, Scale, Clear, NewPage>;

    RecordingSurface(double deviceWidth, double deviceHeight, double charWidth = 6, double lineHeight = 12)
        : width_(deviceWidth), height_(deviceHeight), charWidth_(charWidth), lineHeight_(lineHeight) {}

    double deviceWidth() const override { return width_; }
    double deviceHeight() const override { return height_; }
    void setScale(const ScaleSpec& scale) override {
        scale_ = scale;
        ops.push_back(Scale{scale});
    }
    ScaleSpec scale() const override { return scale_; }
    void clear() override { ops.push_back(Clear{}); }
    void setPenWidth(int width) override { penWidth_ = width; }
    int penWidth() const { return penWidth_; }
    void setFont(const FontSpec& font) override { font_ = font; }
    FontSpec font() const override { return font_; }

    void line(double x1, double y1, double x2, double y2, Rgb color) override {
        ops.push_back(Line{x1, y1, x2, y2, color, penWidth_});
    }
    void box(double x1, double y1, double x2, double y2, Rgb color) override {
        ops.push_back(Box{x1, y1, x2, y2, color, false});
    }
    void filledBox(double x1, double y1, double x2, double y2, Rgb color) override {
        ops.push_back(Box{x1, y1, x2, y2, color, true});
    }
    void circle(double cx, double cy, double r, Rgb color) override { ops.push_back(Circle{cx, cy, r, color}); }
    void text(double x, double y, std::string_view text, Rgb color) override {
        ops.push_back(Text{x, y, std::string(text), color, font_});
    }
    // Device height of one text line, converted to user units of Y.
    double textHeight(std::string_view) const override {
        return lineHeight_ * font_.size / 10.0 * scale_.height / height_;
    }
    double textWidth(std::string_view text) const override {
        return charWidth_ * font_.size / 10.0 * static_cast<double>(text.size()) * scale_.width / width_;
    }
    void newPage() override { ops.push_back(NewPage{}); }

    // The operations of one kind, in drawing order.
    template <class T>
    std::vector<T> all() const {
        std::vector<T> found;
        for (const Op& op : ops)
            if (const T* p = std::get_if<T>(&op)) found.push_back(*p);
        return found;
    }

    std::vector<Op> ops;

private:
    double width_, height_, charWidth_, lineHeight_;
    ScaleSpec scale_;
    FontSpec font_{"", 10};
    int penWidth_ = 1;
};
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif

}  // namespace veltrix
