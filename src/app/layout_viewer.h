#pragma once
// The state behind the Layouts window: the document's plan loaded against its job, the report and
// off-cut table computed from it (offcut.tlf and sheets.Adj written, as the off-cut window, the
// export to the material library and users read them), the current layout, the magnification and
// the display options of dia.set. The window only shows what this draws.

#include <memory>
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
    // Makes layout n current (held within 1 .. N).
    void select(int layout);
    // The selector's entries: "1 / N" .. "N / N".
    std::vector<std::string> selectorEntries() const;

    bool magnified() const { return magnified_; }
    void toggleZoom() { magnified_ = !magnified_; }

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

    BaseModule& module_;
    engine::LoadedResult result_;
    reports::ResultReports reports_;
    layouts::DisplayOptions options_;
    int current_ = 1;
    bool magnified_ = false;
    layouts::StrategyCycle strategies_;
};

// Opens the viewer, or tells the user why it cannot open and gives nothing.
std::unique_ptr<LayoutViewer> openLayoutViewer(BaseModule& module);

// The listing as the text panel shows it: HTML of the text in "Courier New", with the text from
// the first "Quantity:" to the end of its line in bold light blue.
std::string listingHtml(const std::string& listing);

}  // namespace veltrix
