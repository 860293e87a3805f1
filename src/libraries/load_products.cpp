#include "libraries/load_products.h"

#include <algorithm>
#include <map>

#include "job/job.h"
#include "job/options.h"
#include "job/project_file.h"
#include "libraries/library_records.h"
#include "libraries/product_library.h"
#include "base/csv.h"
#include "base/error.h"
#include "base/number_text.h"
#include "base/workspace.h"

namespace veltrix {
namespace {

struct Group {
    std::string key;
    std::string basicFields;              // MAT, GRAIN, THICK of the group's first row, quoted
    std::vector<std::string> cutRows;     // the cut-piece rows, without line ends
};

// The cut-piece row of a library row for an order line: the seventeen columns of the cut-piece
// table, with the quantity multiplied by the number of products ordered.
std::string cutRow(const ProductRow& row, const OrderLine& line) {
    const float quantity = leadingFloat(line.quantity) * leadingFloat(row[kProdQty]);
    RecordWriter w;
    for (int f : {kProdLength, kProdLenEdge1, kProdLenRem1, kProdLenEdge2, kProdLenRem2, kProdWidth, kProdWidEdge1,
                  kProdWidRem1, kProdWidEdge2, kProdWidRem2})
        w.text(row[static_cast<std::size_t>(f)]);
    w.text(generalText(quantity));
    w.text(row[kProdAlign]).text(row[kProdDescription]).text(row[kProdName]).text(line.client);
    w.text(row[kProdLabelFile]).text(row[kProdDxfFile]);
    return w.str();
}

// The text of a basic-details row after its first three fields (the comma after the third field
// excluded); empty when the row has fewer fields.
std::string afterThreeFields(std::string_view row) {
    int commas = 0;
    bool quoted = false;
    for (std::size_t i = 0; i < row.size(); ++i) {
        if (row[i] == '"') quoted = !quoted;
        else if (row[i] == ',' && !quoted && ++commas == 3) return std::string(row.substr(i + 1));
    }
    return {};
}

// The generated job: the Defaults project with the group's material, grain and thickness in its
// basic details and the group's pieces ahead of any default pieces. A result stored in Defaults
// belongs to another job and is left out. Without a Defaults file the job holds the group's basic
// details, the default objective and the pieces.
std::string groupProject(const Workspace& workspace, const Group& group) {
    const auto defaultsPath = workspace.file(kDefaultsFile);
    Project project;
    if (fileExists(defaultsPath)) project = parseProject(readWholeFile(defaultsPath));
    else project[kOptionsSection] = splitLines(optionsText(Objective{}));

    auto& basic = project[kBasicSection];
    std::string rest = basic.empty() ? std::string() : afterThreeFields(basic.front());
    if (rest.empty()) rest = R"("","","","","")";
    const std::string row = group.basicFields + "," + rest;
    if (basic.empty()) basic.push_back(row);
    else basic.front() = row;

    auto& cuts = project[kCutSection];
    cuts.insert(cuts.begin(), group.cutRows.begin(), group.cutRows.end());
    project[kResultSection].clear();
    return projectText(project);
}

// Digits only, with at most a point followed by zeros ("3", "3.0").
bool isWholeNumberText(std::string_view text) {
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    if (whole.empty() || whole.find_first_not_of("0123456789") != std::string_view::npos) return false;
    return point == std::string_view::npos || text.substr(point + 1).find_first_not_of('0') == std::string_view::npos;
}

bool isUnsafePrefix(std::string_view prefix) {
    return prefix.find_first_of("/\\*?") != std::string_view::npos;
}

}  // namespace

const std::vector<std::string>& orderKeys() {
    static const std::vector<std::string> keys{"PRODUCTS", "QTY", "CLIENT"};
    return keys;
}

std::string groupKey(std::string_view material, std::string_view grain, std::string_view thickness) {
    return "[MAT=" + std::string(material) + ",GRAIN=" + std::string(grain) +
           ",THICK=" + generalText(leadingFloat(thickness)) + "]";
}

std::vector<OrderLine> readOrderFile(const std::filesystem::path& path) {
    const std::string text = readExistingFile(path);
    std::vector<OrderLine> order;
    const bool csv = equalsIgnoreCase(path.extension().string(), ".csv");
    if (!csv) {
        for (const auto& f : readRecords(text, 3)) order.push_back({f[0], f[1], f[2]});
        return order;
    }
    const auto rows = parseCsv(text);
    if (rows.empty()) return order;
    std::vector<std::string> header;
    for (const std::string& name : rows.front()) header.push_back(toUpper(trimBlanks(name)));
    auto column = [&](std::initializer_list<const char*> names) -> std::size_t {
        for (const char* name : names) {
            const auto it = std::find(header.begin(), header.end(), name);
            if (it != header.end()) return static_cast<std::size_t>(it - header.begin());
        }
        return header.size();
    };
    const std::size_t product = column({"PRODUCTS", "PRODUCT"}), quantity = column({"QTY"}),
                      client = column({"CLIENT"});
    if (product == header.size() || quantity == header.size())
        throw InputError("The order " + path.string() + " needs a header row naming PRODUCTS, QTY and CLIENT.");
    for (std::size_t i = 1; i < rows.size(); ++i) {
        auto field = [&](std::size_t c) { return c < rows[i].size() ? trimBlanks(rows[i][c]) : std::string(); };
        order.push_back({field(product), field(quantity), field(client)});
    }
    return order;
}

LoadProductsResult loadProducts(const Workspace& workspace, const std::vector<OrderLine>& order,
                                std::string_view prefixText, std::string_view extension) {
    LoadProductsResult result;
    const std::string prefix = trimBlanks(prefixText);
    const std::string ext = toUpper(extension);
    if (ext != ".OPT" && ext != ".DCM")
        throw UsageError("The extension of generated files is \".OPT\" or \".DCM\", not \"" + std::string(extension) + "\".");
    if (isUnsafePrefix(prefix)) throw UsageError("The file prefix can not hold / \\ * or ?.");

    const std::vector<ProductRow> library = parseProducts(readWholeFile(productLibraryPath(workspace)));
    // Every line is checked before anything is written: a quantity that is no number of products,
    // or a product the library does not have, would otherwise give wrong jobs without a word.
    for (std::size_t i = 0; i < order.size(); ++i) {
        const std::string product = trimBlanks(order[i].product), quantity = trimBlanks(order[i].quantity);
        if (product.empty() || quantity.empty()) continue;
        const std::string where = "Order line " + std::to_string(i + 1) + ": ";
        const double value = leadingDouble(quantity);
        if (!isWholeNumberText(quantity) || value > kLargestValue)
            throw InputError(where + "QTY " + quantity + " is not a number of products (a whole number from 0 to " +
                             generalText(kLargestValue) + ").");
        const bool known = std::any_of(library.begin(), library.end(),
                                       [&](const ProductRow& row) { return row[kProdName] == product; });
        if (!known) throw InputError(where + "the product " + product + " is not in the product library.");
    }
    std::vector<Group> groups;
    std::map<std::string, std::size_t> groupIndex;
    for (const OrderLine& raw : order) {
        const OrderLine line{trimBlanks(raw.product), trimBlanks(raw.quantity), trimBlanks(raw.client)};
        if (line.product.empty() || line.quantity.empty()) continue;
        bool inProduct = false;
        for (const ProductRow& row : library) {
            if (row[kProdName].empty()) continue;
            if (row[kProdName] != line.product) {
                if (inProduct) break;
                continue;
            }
            inProduct = true;
            const std::string key = groupKey(row[kProdMat], row[kProdGrain], row[kProdThick]);
            auto [it, added] = groupIndex.try_emplace(key, groups.size());
            if (added)
                groups.push_back({key, quotedRecord({row[kProdMat], row[kProdGrain], row[kProdThick]}), {}});
            Group& group = groups[it->second];
            group.cutRows.push_back(cutRow(row, line));
        }
    }
    // quotedRecord ends its line; the basic row continues after it.
    for (Group& g : groups) g.basicFields.erase(g.basicFields.size() - 2);

    if (groups.empty()) {
        result.message = "Could not generate '" + ext + "' files.";
        return result;
    }
    for (const Group& group : groups) {
        // A material may be named with a slash ("PLY 3/4"), which a file name cannot hold.
        std::string key = group.key;
        std::replace(key.begin(), key.end(), '/', '-');
        std::replace(key.begin(), key.end(), '\\', '-');
        const auto path = workspace.folder() / (prefix + key + ext);
        writeFileAtomic(path, groupProject(workspace, group));
        result.files.push_back(path);
    }
    // The earlier outputs of this prefix and extension go once the new ones are written. Only
    // names of the generated form are matched, so that an empty or short prefix never takes the
    // user's own project files along.
    for (const auto& entry : std::filesystem::directory_iterator(workspace.folder())) {
        const std::string name = entry.path().filename().string();
        if (!wildcardMatch(prefix + "[MAT=*]" + ext, name)) continue;
        if (std::find(result.files.begin(), result.files.end(), entry.path()) == result.files.end())
            deleteFile(entry.path());
    }
    result.message = std::to_string(groups.size()) + " '" + ext + "' file(s) starting from " + prefix + " generated.";
    return result;
}

}  // namespace veltrix
