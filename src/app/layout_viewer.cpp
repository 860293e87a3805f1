#include "app/layout_viewer.h"

#include <algorithm>
#include <cmath>

#include "app/base_module.h"
#include "layouts/labels.h"
#include "platform/prompt.h"
#include "base/error.h"
#include "base/file_ops.h"

namespace veltrix {

LayoutViewer::LayoutViewer(BaseModule& module) : module_(module) {
    result_ = engine::loadResult(module.document().job(), module.document().plan);
    if (result_.empty()) throw InputError(reports::kNotOptimizedMessage);
    reports_ = reports::writeResultReports(module.workspace(), result_);
    options_ = layouts::readDisplayOptions(module.workspace());
}

void LayoutViewer::reload() {
    engine::LoadedResult result = engine::loadResult(module_.document().job(), module_.document().plan);
    if (result.empty()) throw InputError(reports::kNotOptimizedMessage);
    reports::ResultReports reports = reports::writeResultReports(module_.workspace(), result);
    result_ = std::move(result);
    reports_ = std::move(reports);
    options_ = layouts::readDisplayOptions(module_.workspace());
    select(current_);
}

void LayoutViewer::select(int layout) {
    const int chosen = std::clamp(layout, 1, std::max(1, layoutCount()));
    if (chosen != current_) view_.reset();
    current_ = chosen;
}

void LayoutViewer::toggleZoom() {
    magnified_ = !magnified_;
    view_.reset();
}

ScaleSpec LayoutViewer::fittedScale(double width, double height) const {
    layouts::DrawTarget target;
    target.magnified = magnified_;
    return layouts::layoutScale(result_, current_, target, width, height);
}

ScaleSpec LayoutViewer::screenScale(double width, double height) const {
    width = std::max(1.0, width);
    height = std::max(1.0, height);
    if (!view_) return fittedScale(width, height);
    return ScaleSpec{view_->left, view_->top, view_->unitX * width, view_->unitY * height};
}

void LayoutViewer::zoomView(double factor, double x, double y, double width, double height) {
    if (!(factor > 0) || !std::isfinite(factor)) return;
    width = std::max(1.0, width);
    height = std::max(1.0, height);
    const ScaleSpec now = screenScale(width, height);
    const ScaleSpec whole = fittedScale(width, height);
    const double unitX = now.width / width, unitY = now.height / height;
    const double wholeUnit = whole.width / width;
    // The point under the pointer.
    const double px = now.left + x * unitX, py = now.top + y * unitY;
    double scaleBy = 1 / factor;
    if (unitX * scaleBy >= wholeUnit * (1 - 1e-9)) {
        view_.reset();
        return;
    }
    constexpr double kClosest = 40;
    if (unitX * scaleBy < wholeUnit / kClosest) scaleBy = wholeUnit / kClosest / unitX;
    View v;
    v.unitX = unitX * scaleBy;
    v.unitY = unitY * scaleBy;
    v.left = px - x * v.unitX;
    v.top = py - y * v.unitY;
    view_ = v;
}

void LayoutViewer::moveView(double dx, double dy, double width, double height) {
    if (!view_ || !std::isfinite(dx) || !std::isfinite(dy)) return;
    width = std::max(1.0, width);
    height = std::max(1.0, height);
    const ScaleSpec whole = fittedScale(width, height);
    View v = *view_;
    v.left -= dx * v.unitX;
    v.top -= dy * v.unitY;
    // The middle of the view stays on the picture of the whole layout.
    const double cx = std::clamp(v.left + width * v.unitX / 2, whole.left, whole.left + whole.width);
    const double cy = std::clamp(v.top + height * v.unitY / 2, whole.top, whole.top + whole.height);
    v.left = cx - width * v.unitX / 2;
    v.top = cy - height * v.unitY / 2;
    view_ = v;
}

std::vector<std::string> LayoutViewer::selectorEntries() const {
    std::vector<std::string> entries;
    const int n = layoutCount();
    for (int i = 1; i <= n; ++i) entries.push_back(std::to_string(i) + " / " + std::to_string(n));
    return entries;
}

void LayoutViewer::reloadOptions() { options_ = layouts::readDisplayOptions(module_.workspace()); }

bool LayoutViewer::arrangeAllowed() const { return module_.mode() == StockMode::Sheet; }

layouts::DrawnLayout LayoutViewer::drawOn(Surface& surface, layouts::Target target) const {
    const layouts::LayoutDrawing drawing(module_.workspace(), result_, reports_.report, options_);
    layouts::DrawTarget t;
    t.target = target;
    t.magnified = magnified_;
    t.projectFile = module_.projectPath();
    std::optional<ScaleSpec> view;
    if (target == layouts::Target::Screen && view_) view = screenScale(surface.deviceWidth(), surface.deviceHeight());
    return drawing.draw(surface, current_, t, view);
}

layouts::DrawnLayout LayoutViewer::draw(Surface& surface) const { return drawOn(surface, layouts::Target::Screen); }

int LayoutViewer::print(Surface& printer, PrintRange range) {
    const int remembered = current_;
    int pages = 0;
    if (range == PrintRange::All) {
        for (int n = 1; n <= layoutCount(); ++n) {
            current_ = n;
            drawOn(printer, layouts::Target::Printer);
            ++pages;
            if (n < layoutCount()) printer.newPage();
        }
    } else {
        drawOn(printer, layouts::Target::Printer);
        pages = 1;
    }
    current_ = remembered;
    return pages;
}

layouts::ExportResult LayoutViewer::exportDxf(bool all, const std::filesystem::path& chosen) const {
    const layouts::LayoutDrawing drawing(module_.workspace(), result_, reports_.report, options_);
    return all ? layouts::exportLayouts(drawing, 1, layoutCount(), chosen)
               : layouts::exportLayouts(drawing, current_, current_, chosen);
}

std::unique_ptr<LayoutViewer> openLayoutViewer(BaseModule& module) {
    try {
        return std::make_unique<LayoutViewer>(module);
    } catch (const std::exception& e) {
        module.prompt().tell(e.what(), kAttention, Icon::Exclamation);
    }
    return nullptr;
}

std::string listingHtml(const std::string& listing) {
    std::string text;
    for (char c : listing)
        if (c != '\r') text += c;
    std::string html = "<pre style=\"font-family: 'Courier New', 'Liberation Mono', monospace;\">";
    const std::size_t at = text.find("Quantity:");
    if (at == std::string::npos) {
        html += layouts::escapeHtml(text);
    } else {
        std::size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        html += layouts::escapeHtml(text.substr(0, at));
        html += "<b><span style=\"color:#0000ff;\">" + layouts::escapeHtml(text.substr(at, end - at)) + "</span></b>";
        html += layouts::escapeHtml(text.substr(end));
    }
    html += "</pre>";
    return html;
}

}  // namespace veltrix
