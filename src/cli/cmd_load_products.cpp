// veltrix load-products ORDER --prefix P [--ext .OPT|.DCM]: project files for an order of products,
// one per material, grain and thickness, built from the product library and Defaults.

#include <ostream>

#include "cli/args.h"
#include "libraries/load_products.h"
#include "base/workspace.h"

namespace veltrix::cli {
namespace {

int loadProductsCommand(CommandContext& context) {
    CLI::App app{"Generates project files P[MAT=..,GRAIN=..,THICK=..].OPT in the working folder from an order of "
                 "products (earlier files of the same prefix and extension are deleted first)",
                 "veltrix load-products"};
    std::string order, prefix, extension = ".OPT";
    app.add_option("ORDER", order,
                   "the order: a table file of PRODUCTS, QTY, CLIENT a line, or a .csv file whose header row "
                   "names PRODUCTS, QTY and CLIENT")
        ->required();
    app.add_option("--prefix", prefix, "text the generated file names start with")->required();
    app.add_option("--ext", extension, "extension of the generated files: .OPT (sheet mode) or .DCM (coil mode)")
        ->check(CLI::IsMember({".OPT", ".DCM"}, CLI::ignore_case));
    if (auto done = parseArguments(app, context)) return *done;

    const auto result = loadProducts(Workspace(context.workdir), readOrderFile(order), prefix, extension);
    for (const auto& file : result.files) context.out << file.string() << "\n";
    (result.files.empty() ? context.err : context.out) << result.message << "\n";
    return result.files.empty() ? kExitJobFailed : kExitOk;
}

const CommandRegistration reg({"load-products", "load-products ORDER --prefix P [--ext .OPT|.DCM]",
                               "project files for an order of products, grouped by material", &loadProductsCommand});

}  // namespace
}  // namespace veltrix::cli
