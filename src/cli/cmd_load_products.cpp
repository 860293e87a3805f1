// veltrix load-products ORDER --prefix P [--ext .OPT|.DCM]: project files for an order of products,
// one per material, grain and thickness, built from the product library and Defaults.

#include <ostream>

#include "cli/args.h"
#include "cli/console.h"
#include "libraries/load_products.h"
#include "table/error.h"
#include "table/workspace.h"

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

    try {
        const auto lines = readOrderFile(order);
        ConsolePrompt prompt(context.err);
        const auto result = loadProducts(Workspace(context.workdir), lines, prefix, extension, prompt);
        for (const auto& file : result.files) context.out << file.string() << "\n";
        return result.files.empty() ? kExitJobFailed : kExitOk;
    } catch (const FileError& e) {
        context.err << "veltrix load-products: " << e.what() << "\n";
        return kExitUsage;
    } catch (const InputError& e) {
        context.err << "veltrix load-products: " << e.what() << "\n";
        return kExitUsage;
    }
}

const CommandRegistration reg({"load-products", "load-products ORDER --prefix P [--ext .OPT|.DCM]",
                               "project files for an order of products, grouped by material", &loadProductsCommand});

}  // namespace
}  // namespace veltrix::cli
