// veltrix draw JOB [--layout N|--all] -o FILE.pdf|.png|.svg [--zoom]: the job's layouts drawn as
// the layout viewer draws them. A PDF holds one page per layout with the text listing printed
// under each drawing, as on the printer; a PNG or SVG picture holds one layout as the screen shows
// it. Display options come from dia.set in the working folder.

#include <filesystem>
#include <ostream>

#include "app/job_commands.h"
#include "cli/args.h"
#include "layouts/layout_drawing.h"
#include "base/file_ops.h"
#include "base/workspace.h"
#if VELTRIX_HAS_RENDER
#include "render/documents.h"
#endif

namespace veltrix::cli {
namespace {

namespace fs = std::filesystem;

// Side of a PNG or SVG picture in pixels (the viewer's picture is square).
constexpr int kPictureSize = 1200;

int draw(CommandContext& context) {
    CLI::App app{"Draws the job's layouts as a PDF (one page per layout, with its listing), or one layout as a "
                 "PNG or SVG picture",
                 "veltrix draw"};
    std::string job, output;
    int layout = 0;
    bool all = false, zoom = false;
    app.add_option("JOB", job, "optimized project file (.opt or .dcm)")->required();
    app.add_option("--layout", layout, "the layout to draw (PNG and SVG: default 1)");
    app.add_flag("--all", all, "every layout (the default for a PDF)");
    app.add_option("-o,--output", output, "the file to write: .pdf, .png or .svg")->required();
    app.add_flag("--zoom", zoom, "magnified: the sheet's width fills the page");
    if (auto done = parseArguments(app, context)) return *done;

    const std::string type = toLower(fs::path(output).extension().string());
    if (type != ".pdf" && type != ".png" && type != ".svg")
        throw UsageError("The output must end in .pdf, .png or .svg: " + output);
#if !VELTRIX_HAS_RENDER
    throw UsageError("This build has no drawing back end (Qt 6 was not found).");
#else
    const Document doc = openJob(job);
    refuseJobAsOutput(doc, output);
    const Workspace workspace(context.workdir);
    const bool pdf = type == ".pdf";
    const layouts::JobLayouts loaded = jobLayouts(doc, workspace);
    const layouts::LayoutRange range = chooseLayouts(
        loaded.result.layoutCount(), app.count("--layout") ? std::optional(layout) : std::nullopt, all, pdf);
    if (!pdf && range.first != range.last)
        throw UsageError("A PNG or SVG picture holds one layout: choose it with --layout N.");
    const layouts::LayoutDrawing drawing(workspace, loaded.result, loaded.reports.report,
                                         layouts::readDisplayOptions(workspace));
    auto drawOne = [&](Surface& surface, int n, layouts::Target target) {
        const layouts::DrawnLayout drawn = drawing.draw(surface, n, {target, zoom, doc.path.string()});
        for (const std::string& problem : drawn.problems) context.err << "veltrix draw: " << problem << "\n";
    };
    if (pdf) {
        render::PdfDocument document(output);
        for (int n = range.first; n <= range.last; ++n) {
            drawOne(document.surface(), n, layouts::Target::Printer);
            if (n < range.last) document.surface().newPage();
        }
        document.finish();
    } else if (type == ".png") {
        render::ImageDocument picture(kPictureSize, kPictureSize);
        drawOne(picture.surface(), range.first, layouts::Target::Screen);
        picture.save(output);
    } else {
        render::SvgDocument picture(output, kPictureSize, kPictureSize);
        drawOne(picture.surface(), range.first, layouts::Target::Screen);
        picture.finish();
    }
    context.out << (range.last - range.first + 1) << " layout(s) drawn to " << output << "\n";
    return kExitOk;
#endif
}

const CommandRegistration reg({"draw", "draw JOB [--layout N|--all] -o FILE.pdf|.png|.svg [--zoom]",
                               "layouts as a PDF for the saw (one page each, with listing), or one as PNG/SVG",
                               &draw});

}  // namespace
}  // namespace veltrix::cli
