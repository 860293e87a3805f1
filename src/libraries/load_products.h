#pragma once
// Load Products: an order of products becomes project files, one per material, grain and
// thickness, each built from the Defaults project with the group's cut-pieces.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace veltrix {

class Workspace;

// One line of the order (PRODUCTS, QTY, CLIENT), as typed.
struct OrderLine {
    std::string product;
    std::string quantity;
    std::string client;
};

inline constexpr const char* kOrderFile = "loadprod.tlf";
// The columns of the order window: PRODUCTS, QTY, CLIENT.
const std::vector<std::string>& orderKeys();

// Reads an order file. A name ending in ".csv" (any letter case) is CSV whose header row names the
// columns PRODUCTS (or PRODUCT), QTY and CLIENT in any order; any other file is a table file of
// three fields a line, as the order window saves it. Throws FileError when the file cannot be read
// and InputError when a CSV header lacks PRODUCTS or QTY.
std::vector<OrderLine> readOrderFile(const std::filesystem::path& path);

// "[MAT=<material>,GRAIN=<grain>,THICK=<thickness as a number>]": 18 and 18.0 give the same key.
std::string groupKey(std::string_view material, std::string_view grain, std::string_view thickness);

struct LoadProductsResult {
    std::vector<std::filesystem::path> files;  // the project files written, in group order
    // For the user: the number of files generated, or "Could not generate '<ext>' files." when no
    // ordered product is in the library (nothing was written then).
    std::string message;
};

// Generates the project files prefix + group key + extension (".OPT" or ".DCM") in the working
// folder from the product library and the Defaults project (a slash in the key becomes "-"); the
// earlier outputs of the same prefix and extension are deleted once the new files are written.
// Order lines without a product or a quantity are skipped. Throws InputError, before anything is
// written, for an order line whose quantity is not a whole number from 0 to kLargestValue or whose
// product the library does not have (naming the line); FileError when a project file cannot be
// written (the earlier outputs then stay); UsageError for an extension other than ".OPT" or ".DCM"
// or a prefix holding / \ * or ?.
LoadProductsResult loadProducts(const Workspace& workspace, const std::vector<OrderLine>& order,
                                std::string_view prefix, std::string_view extension);

}  // namespace veltrix
