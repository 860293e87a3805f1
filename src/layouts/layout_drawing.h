#pragma once
// The drawing of one layout on a drawing surface (screen picture, printer, PDF, PNG, SVG), with
// what comes with it: the layout's geometry as DXF entities and its text listing, taken from its
// report section. Drawing writes no file.
//
//     LayoutDrawing drawing(workspace, result, report.report, readDisplayOptions(workspace));
//     for (int n = 1; n <= result.layoutCount(); ++n) {
//         drawing.draw(pdf.surface(), n, {Target::Printer});
//         if (n < result.layoutCount()) pdf.surface().newPage();
//     }

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dxf/entities.h"
#include "engine/loaded_result.h"
#include "layouts/display_options.h"
#include "platform/surface.h"
#include "base/print_text.h"

namespace veltrix {
class Workspace;
}

namespace veltrix::reports {
struct Report;
}

namespace veltrix::layouts {

enum class Target { Screen, Printer };

struct DrawTarget {
    Target target = Target::Screen;
    bool magnified = false;
    // The project file named at the head of a printed listing ("File: " + its name); empty for a
    // job without a file.
    std::string projectFile;
};

// What one drawing produced besides the picture.
struct DrawnLayout {
    dxf::EntityList entities;           // the geometry, as the DXF export writes it
    std::string listing;                // the text listing
    std::vector<std::string> problems;  // messages: outlines that could not be used
};

// The colour of cut-piece variety `number`: one of 22 colours, number mod 22.
Rgb pieceColor(long long number);

// The user coordinate system of a drawing of layout n (1 .. layoutCount) on a target of the given
// device size, one user unit a job unit. On the screen the sheet with room of an eighth of its
// larger extent around it, as large as the picture allows with X and Y at the same scale and in
// the middle. On the printer 1.5 times the sheet's larger
// extent across the page with the page's proportions; a sheet more than three times as long as
// wide is printed with 1.5 times its width across the page and its length over several pages (this
// is the first page's). Magnified, the sheet's width with its room fills the target's width while Y
// keeps its scale. A point of the picture maps back to job units through it.
ScaleSpec layoutScale(const engine::LoadedResult& result, int layout, const DrawTarget& target, double deviceWidth,
                      double deviceHeight);

// Fills a rectangle with 45-degree lines `step` apart, each clipped to the rectangle.
void hatch(Surface& surface, double x1, double y1, double x2, double y2, double step, Rgb color);

class LayoutDrawing {
public:
    // The drawing keeps references: the result and the report must outlive it. `report` is the
    // report of the same result (its text and section positions feed the listing).
    LayoutDrawing(const Workspace& workspace, const engine::LoadedResult& result, const reports::Report& report,
                  DisplayOptions options);

    // Draws layout n (1 .. layoutCount) on the surface and on the printer prints the listing under
    // the drawing. Each cut-piece shows its number within the layout (pieceNumber); numbers, sizes
    // and descriptions are written only where they fit inside their item and clear of its other
    // texts (a description is shortened with ".." first), so no text covers a neighbour. A long
    // sheet on the printer takes several pages, each with its part of the length and a scale
    // bar. On the screen `view`, when given, is the part of the drawing the user zoomed into or
    // moved to (the coordinate system itself) instead of the whole layout. A DXF outline that
    // cannot be read (the piece is then drawn as its rectangle) is reported in `problems`; the
    // drawing goes on. Throws std::out_of_range for a layout number outside the result.
    DrawnLayout draw(Surface& surface, int layout, const DrawTarget& target,
                     const std::optional<ScaleSpec>& view = std::nullopt) const;

    // The geometry of layout n as the DXF writer takes it: every sheet, margin, off-cut, through
    // cut and cut-piece rectangle as four lines (cut-pieces inset by half the kerf), a cut-piece
    // with a usable DXF outline by its outline instead. Unusable outlines are added to `problems`.
    dxf::EntityList entities(int layout, std::vector<std::string>* problems = nullptr) const;

    // The text listing of layout n: the first line of its report section, the basic
    // details when that option is on, the section's lines up to the next separator (or up to
    // "OffCut Generated" when the off-cut list is off), then under "Part No." each cut-piece of
    // the layout with the numbers its parts have on the drawing ("1, 2", "3-8").
    std::string listing(int layout) const;

    const DisplayOptions& options() const { return options_; }
    const Workspace& workspace() const { return workspace_; }
    const engine::LoadedResult& result() const { return result_; }

private:
    void writePartNumbers(PrintText& out, int layout) const;
    // The fills, texts, outlines and (when on) the DXF geometry of layout n in the surface's
    // current scale; `ratio` is the scale's width over its height, `unit` the room above the
    // sheet. Returns where a printed listing starts.
    double drawPicture(Surface& surface, int layout, bool printer, double ratio, double unit,
                       const dxf::EntityList& entities) const;

    const Workspace& workspace_;
    const engine::LoadedResult& result_;
    const reports::Report& report_;
    DisplayOptions options_;
};

}  // namespace veltrix::layouts
