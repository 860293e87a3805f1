#pragma once
// The state behind the Layouts window: the document's plan loaded against its job, the report and
// off-cut table computed from it (offcut.tlf and sheets.Adj written, as the off-cut window, the
// export to the material library and users read them), the current layout, the magnification and
// the display options of dia.set. The window only shows what this draws.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/loaded_result.h"
#include "layouts/alternate_arrangement.h"
#include "layouts/display_options.h"
#include "layouts/dxf_export.h"
#include "layouts/layout_drawing.h"
#include "platform/file_dialogs.h"
#include "reports/report_pass.h"

namespace veltrix {

class BaseModule;
class Surface;

class LayoutViewer {
public:
    // Loads the document's plan against its job (the coil completion applied in coil mode), writes
    // offcut.tlf and sheets.Adj, reads dia.set and makes layout 1 current. Throws InputError ("This
    // file was not optimized." for an empty plan, or why the plan does not fit the job) and
    // FileError (a file that cannot be written).
    explicit LayoutViewer(BaseModule& module);

    BaseModule& module() const { return module_; }
    // Loads the plan again after an edit or an alternate arrangement: the result, report and
    // off-cut table computed and written anew, dia.set read; the current layout stays (held within the new
    // count) and so does the magnification. Throws as the constructor does, leaving the viewer as
    // it was.
    void reload();
    // The fill strategy of the alternate arrangements, kept for as long as the viewer lives.
    layouts::StrategyCycle& strategies() { return strategies_; }

    int layoutCount() const { return result_.layoutCount(); }
    int current() const { return current_; }
    // Makes layout n current (held within 1 .. N); another layout is shown whole.
    void select(int layout);
    // The selector's entries: "1 / N" .. "N / N".
    std::vector<std::string> selectorEntries() const;

    bool magnified() const { return magnified_; }
    // "Zoom": magnified on or off, the layout shown whole.
    void toggleZoom();

    // The screen's view of the current layout, for a picture of width x height pixels: the whole
    // layout fitted to the picture, or the part the user zoomed into or moved to (kept as a corner
    // and a size of a pixel, so a resized picture shows more or less at the same scale).
    ScaleSpec screenScale(double width, double height) const;
    // Zooms the view by `factor` (above 1 closer) about the pixel (x, y), whose point of the
    // drawing stays under it; X and Y keep their proportion. Zooming out past the whole layout
    // shows it whole; zooming in stops at 40 times closer.
    void zoomView(double factor, double x, double y, double width, double height);
    // Moves a zoomed view by (dx, dy) pixels with the pointer; the middle of the view stays on the
    // whole layout's picture. A view showing the whole layout does not move.
    void moveView(double dx, double dy, double width, double height);
    // Shows the whole layout again.
    void resetView() { view_.reset(); }
    bool viewZoomed() const { return view_.has_value(); }

    const layouts::DisplayOptions& options() const { return options_; }
    // Reads dia.set again (after the settings window).
    void reloadOptions();

    // "Arrange" works in sheet mode only.
    bool arrangeAllowed() const;

    // Draws the current layout on the screen picture; the listing comes back for the text panel.
    layouts::DrawnLayout draw(Surface& surface) const;
    // Prints every layout (one per page) or the current one; the current layout stays as it was.
    // Returns the number of pages.
    int print(Surface& printer, PrintRange range);

    // "Export...": the current layout or all layouts as DXF files named after `chosen`
    // (name_k-N.dxf). Throws FileError when a template is missing or a file cannot be written.
    layouts::ExportResult exportDxf(bool all, const std::filesystem::path& chosen) const;

    const engine::LoadedResult& result() const { return result_; }
    const reports::ResultReports& reports() const { return reports_; }

private:
    layouts::DrawnLayout drawOn(Surface& surface, layouts::Target target) const;
    ScaleSpec fittedScale(double width, double height) const;

    // A zoomed or moved view: the drawing's point at the picture's top-left corner and the size of
    // one pixel in job units.
    struct View {
        double left = 0, top = 0, unitX = 1, unitY = 1;
    };

    BaseModule& module_;
    engine::LoadedResult result_;
    reports::ResultReports reports_;
    layouts::DisplayOptions options_;
    int current_ = 1;
    bool magnified_ = false;
    std::optional<View> view_;
    layouts::StrategyCycle strategies_;
};

// Opens the viewer, or tells the user why it cannot open and gives nothing.
std::unique_ptr<LayoutViewer> openLayoutViewer(BaseModule& module);

// The listing as the text panel shows it: HTML of the text in "Courier New", with the text from
// the first "Quantity:" to the end of its line in bold light blue.
std::string listingHtml(const std::string& listing);

}  // namespace veltrix
