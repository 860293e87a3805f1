#pragma once
// The drawing surface the core draws layouts, outlines and listings on: the screen picture, the
// printer, PDF, PNG and SVG files. The core only sees this interface; the Qt implementation lives
// in render/; tests record what is drawn (tests/support/fakes.h).
//
// Coordinates are user units set by setScale(): (left, top) is the surface's top-left corner and
// (left + width, top + height) its bottom-right, X to the right and Y downward. The two axes may
// have different scales (a magnified layout stretches X only).

#include <cstdint>
#include <string>
#include <string_view>
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

}  // namespace veltrix
