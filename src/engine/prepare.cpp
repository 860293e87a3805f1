#include "engine/prepare.h"

#include <cmath>
#include <functional>
#include <unordered_map>
#include <utility>

#include "job/settings.h"
#include "base/file_ops.h"
#include "base/number_text.h"

namespace veltrix::engine {
namespace {

bool filled(const std::string& text) { return !trimBlanks(text).empty(); }

// Everything but the quantity.
bool sameSheet(const SheetVariety& a, const SheetVariety& b) {
    return a.grain == b.grain && a.length == b.length && a.location == b.location &&
           a.marginBottom == b.marginBottom && a.marginLeft == b.marginLeft && a.marginRight == b.marginRight &&
           a.marginTop == b.marginTop && a.width == b.width;
}

bool sameCut(const CutVariety& a, const CutVariety& b) {
    return a.alignText == b.alignText && a.lengthRemark1 == b.lengthRemark1 && a.lengthRemark2 == b.lengthRemark2 &&
           a.widthRemark1 == b.widthRemark1 && a.widthRemark2 == b.widthRemark2 && a.lengthBand1 == b.lengthBand1 &&
           a.lengthBand2 == b.lengthBand2 && a.widthBand1 == b.widthBand1 && a.widthBand2 == b.widthBand2 &&
           a.length == b.length && a.width == b.width && a.align == b.align && a.description == b.description &&
           a.product == b.product && a.client == b.client && a.labelFile == b.labelFile && a.dxfFile == b.dxfFile;
}

// Hashing the fields `same` compares: equal fields give equal hashes (0 and -0 alike).
struct FieldHash {
    std::size_t value = 0x9e3779b97f4a7c15ULL;
    bool unmergeable = false;  // a field that is not a number equals nothing, not even itself

    void add(std::size_t h) { value ^= h + 0x9e3779b97f4a7c15ULL + (value << 6) + (value >> 2); }
    FieldHash& operator<<(const std::string& text) {
        add(std::hash<std::string>{}(text));
        return *this;
    }
    FieldHash& operator<<(int number) {
        add(std::hash<int>{}(number));
        return *this;
    }
    FieldHash& operator<<(float number) {
        if (std::isnan(number)) unmergeable = true;
        add(std::hash<float>{}(number == 0 ? 0.0f : number));
        return *this;
    }
};

FieldHash hashOf(const SheetVariety& s) {
    FieldHash h;
    h << s.grain << s.length << s.location << s.marginBottom << s.marginLeft << s.marginRight << s.marginTop << s.width;
    return h;
}

FieldHash hashOf(const CutVariety& c) {
    FieldHash h;
    h << c.alignText << c.lengthRemark1 << c.lengthRemark2 << c.widthRemark1 << c.widthRemark2 << c.lengthBand1
      << c.lengthBand2 << c.widthBand1 << c.widthBand2 << c.length << c.width << c.align << c.description << c.product
      << c.client << c.labelFile << c.dxfFile;
    return h;
}

// Each variety is merged into the first equal one before it that still has a quantity, the
// quantities added in list order: what comparing every pair does, found through a hash of the
// compared fields so that large jobs take a moment, not minutes.
template <typename T, typename Same>
void mergeList(std::vector<T>& list, Same same) {
    std::unordered_multimap<std::size_t, std::size_t> firsts;
    firsts.reserve(list.size());
    for (std::size_t j = 0; j < list.size(); ++j) {
        if (list[j].quantity == 0) continue;  // merged away, or nothing to cut: absorbs nothing
        const FieldHash h = hashOf(list[j]);
        if (h.unmergeable) continue;
        bool merged = false;
        const auto [begin, end] = firsts.equal_range(h.value);
        for (auto it = begin; it != end; ++it) {
            T& first = list[it->second];
            if (!same(first, list[j])) continue;
            first.quantity += list[j].quantity;
            list[j].quantity = 0;
            merged = true;
            break;
        }
        if (!merged) firsts.emplace(h.value, j);
    }
}

template <typename T>
double area(const T& v) {
    return static_cast<double>(v.length) * static_cast<double>(v.width);
}

// The gap passes, on 1-based positions as the numbering is defined.
template <typename T>
void gapPassSort(std::vector<T>& list) {
    const long long n = static_cast<long long>(list.size());
    auto at = [&](long long position) -> T& { return list[static_cast<std::size_t>(position - 1)]; };
    for (long long g = (n + 1) / 2; g >= 1; --g) {
        const long long p = static_cast<long long>(roundHalfEven(static_cast<double>(n + 1) / static_cast<double>(g))) - 1;
        for (long long b = 1; b <= p; ++b) {
            const long long last = std::min((b - 1) * g + g, n - g);
            for (long long i = 1 + (b - 1) * g; i <= last; ++i)
                if (area(at(i + g)) > area(at(i))) std::swap(at(i), at(i + g));
        }
    }
}

}  // namespace

PreparedJob prepareInput(const Job& input) {
    PreparedJob job;
    job.basic = input.basic;
    job.mode = input.objective.mode();
    job.stock = input.mode;
    const bool grain = input.basic.hasGrain();

    for (const StockRow& row : input.stock) {
        SheetVariety s;
        s.length = row.length;
        s.width = row.width;
        s.quantity = input.mode == StockMode::Coil ? kCoilQuantity : row.quantity;
        s.grain = grain ? 1 : 0;
        s.marginLeft = row.marginLeft;
        s.marginTop = row.marginTop;
        s.marginRight = row.marginRight;
        s.marginBottom = row.marginBottom;
        s.location = row.location;
        const float usableLength = s.length - (s.marginTop + s.marginBottom);
        const float usableWidth = s.width - (s.marginLeft + s.marginRight);
        if (usableLength > 0 && usableWidth > 0 && s.quantity > 0 && job.basic.blade >= s.width)
            job.sheets.push_back(std::move(s));
    }

    for (const CutRow& row : input.cuts) {
        CutVariety c;
        c.lengthBand1 = row.lengthBand1;
        c.lengthRemark1 = row.lengthRemark1;
        c.lengthBand2 = row.lengthBand2;
        c.lengthRemark2 = row.lengthRemark2;
        c.widthBand1 = row.widthBand1;
        c.widthRemark1 = row.widthRemark1;
        c.widthBand2 = row.widthBand2;
        c.widthRemark2 = row.widthRemark2;
        c.length = row.length - c.widthBand1 - c.widthBand2;
        c.width = row.width - c.lengthBand1 - c.lengthBand2;
        c.quantity = row.quantity;
        c.alignText = row.align;
        c.align = grain && filled(c.alignText) ? 1 : 0;
        c.description = row.description;
        c.product = row.product;
        c.client = row.client;
        c.labelFile = row.labelFile;
        c.dxfFile = row.dxfFile;
        if (c.length > 0 && c.width > 0 && c.quantity > 0) job.cuts.push_back(std::move(c));
    }

    mergeSheets(job.sheets);
    mergeCuts(job.cuts);
    return job;
}

void mergeSheets(std::vector<SheetVariety>& sheets) { mergeList(sheets, sameSheet); }
void mergeCuts(std::vector<CutVariety>& cuts) { mergeList(cuts, sameCut); }

void addKerf(PreparedJob& job) {
    const float kerf = job.basic.kerf;
    if (kerf == 0) return;
    for (auto& s : job.sheets) {
        s.length += kerf;
        s.width += kerf;
    }
    for (auto& c : job.cuts) {
        c.length += kerf;
        c.width += kerf;
    }
}

void removeKerf(PreparedJob& job) {
    const float kerf = job.basic.kerf;
    if (kerf == 0) return;
    for (auto& s : job.sheets) {
        s.length -= kerf;
        s.width -= kerf;
    }
    for (auto& c : job.cuts) {
        c.length -= kerf;
        c.width -= kerf;
    }
}

void sortSheetsByArea(std::vector<SheetVariety>& sheets) { gapPassSort(sheets); }
void sortCutsByArea(std::vector<CutVariety>& cuts) { gapPassSort(cuts); }

void sortByArea(PreparedJob& job) {
    sortSheetsByArea(job.sheets);
    sortCutsByArea(job.cuts);
}

PreparedJob prepareNumbering(const Job& input) {
    PreparedJob job = prepareInput(input);
    addKerf(job);
    sortByArea(job);
    removeKerf(job);
    return job;
}

std::optional<std::string> validationMessage(const PreparedJob& job) {
    if (job.basic.blade + job.basic.kerf == 0) return std::string(kWrongBladeMessage);
    if (job.sheets.empty()) return std::string(job.stock == StockMode::Coil ? kNoCoilsMessage : kNoSheetsMessage);
    if (job.cuts.empty()) return std::string(kNoCutsMessage);
    double pieces = 0;
    for (const auto& c : job.cuts) pieces += static_cast<double>(c.quantity);
    if (!(pieces <= kMostPieces))
        return "The cut-pieces add up to " + generalText(pieces) + " pieces; a job may ask for at most " +
               generalText(kMostPieces) + ".";
    return std::nullopt;
}

std::optional<std::string> tooSmallPieceMessage(const PreparedJob& job) {
    const float kerf = job.basic.kerf;
    const float tolerance = job.basic.tolerance;
    for (const auto& c : job.cuts) {
        const float length = c.length + kerf;
        const float width = c.width + kerf;
        if (length > tolerance && width > tolerance) continue;
        std::string name = c.description.empty() ? std::string() : " (" + c.description + ")";
        return "Cut-piece " + generalText(c.length) + " x " + generalText(c.width) + name +
               " is too small: with the kerf it must be larger than the tolerance " + generalText(tolerance) + ".";
    }
    return std::nullopt;
}

std::optional<std::string> longRunWarning(const PreparedJob& job, long long budget) {
    const double work = static_cast<double>(budget) * static_cast<double>(job.cuts.size());
    if (work <= kLongRunWork) return std::nullopt;
    return "This job has " + std::to_string(job.cuts.size()) + " cut-piece varieties and the run " +
           std::to_string(budget) + " iterations: it may run for an hour or more. Stopping it keeps the best plan found so far; "
           "a lower nesting efficiency makes the run shorter.";
}

long long iterationBudget(std::size_t cutVarieties, int efficiency) {
    return static_cast<long long>(cutVarieties) * static_cast<long long>(efficiencyFactor(efficiency));
}

}  // namespace veltrix::engine
