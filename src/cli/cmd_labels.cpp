// veltrix labels JOB [--from A --to B] [--barcodes] [-o FILE.htm]: the sticker labels of the
// cut-pieces of layouts A to B (all by default) as an HTML page to print from a browser, laid out
// by LBl.def of the working folder. Without -o the page is lbl.htm in the working folder. With
// --barcodes every label carries a Code 128 barcode and a QR code of its part; without it they are
// there when the label definition switches them on.

#include <ostream>

#include "app/job_commands.h"
#include "cli/args.h"
#include "base/workspace.h"

namespace veltrix::cli {
namespace {

int labels(CommandContext& context) {
    CLI::App app{"Writes the labels of the cut-pieces of a range of layouts as an HTML page", "veltrix labels"};
    std::string job, output;
    int from = 0, to = 0;
    bool barcodes = false;
    app.add_option("JOB", job, "optimized project file (.opt or .dcm)")->required();
    app.add_option("--from", from, "first layout (default 1)");
    app.add_option("--to", to, "last layout (default the last)");
    app.add_option("-o,--output", output, "the page to write (default lbl.htm in the working folder)");
    app.add_flag("--barcodes", barcodes, "a Code 128 barcode and a QR code of the part on every label");
    if (auto done = parseArguments(app, context)) return *done;

    const auto file = writeJobLabels(openJob(job), Workspace(context.workdir),
                                     app.count("--from") ? std::optional(from) : std::nullopt,
                                     app.count("--to") ? std::optional(to) : std::nullopt, output,
                                     barcodes ? std::optional(true) : std::nullopt);
    context.out << "Labels written to " << file.string() << "\n";
    return kExitOk;
}

const CommandRegistration reg({"labels", "labels JOB [--from A --to B] [--barcodes] [-o FILE.htm]",
                               "cut-piece labels of layouts A to B as an HTML page (LBl.def of the working folder)",
                               &labels});

}  // namespace
}  // namespace veltrix::cli
