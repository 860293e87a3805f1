#include "engine/result_files.h"

#include <cmath>

#include "table/file_ops.h"
#include "table/number_text.h"
#include "table/table_file.h"

namespace veltrix::engine {
namespace {

int wholeNumber(const std::string& field) {
    const double value = roundHalfEven(leadingDouble(field));
    if (!(std::fabs(value) <= 2147483647.0)) return 0;
    return static_cast<int>(value);
}

float single(const std::string& field) { return leadingFloat(field); }

}  // namespace

std::string layoutItemRecord(const LayoutItem& item) {
    return RecordWriter()
        .number(item.layout)
        .number(item.kind)
        .number(item.sheet)
        .number(item.x1)
        .number(item.y1)
        .number(item.x2)
        .number(item.y2)
        .number(item.quantity)
        .number(item.placement)
        .str();
}

std::vector<LayoutItem> parseLayoutItems(std::string_view text) {
    std::vector<LayoutItem> items;
    FieldReader reader(text);
    while (!reader.atEnd()) {
        LayoutItem item;
        item.layout = wholeNumber(reader.next());
        item.kind = wholeNumber(reader.next());
        item.sheet = wholeNumber(reader.next());
        item.x1 = single(reader.next());
        item.y1 = single(reader.next());
        item.x2 = single(reader.next());
        item.y2 = single(reader.next());
        item.quantity = single(reader.next());
        item.placement = wholeNumber(reader.next());
        items.push_back(item);
    }
    return items;
}

std::string layoutItemsText(const std::vector<LayoutItem>& items) {
    std::string text;
    text.reserve(items.size() * 40);
    for (const auto& item : items) {
        text += layoutItemRecord(item);
        text += "\r\n";
    }
    return text;
}

std::vector<SheetVariety> parseSheetVarieties(std::string_view text) {
    std::vector<SheetVariety> sheets;
    FieldReader reader(text);
    while (!reader.atEnd()) {
        SheetVariety s;
        s.length = single(reader.next());
        s.width = single(reader.next());
        s.quantity = single(reader.next());
        s.grain = wholeNumber(reader.next());
        s.marginLeft = single(reader.next());
        s.marginTop = single(reader.next());
        s.marginRight = single(reader.next());
        s.marginBottom = single(reader.next());
        s.location = reader.next();
        sheets.push_back(std::move(s));
    }
    return sheets;
}

std::string sheetVarietiesText(const std::vector<SheetVariety>& sheets) {
    std::string text;
    for (const auto& s : sheets)
        text += RecordWriter()
                    .number(s.length)
                    .number(s.width)
                    .number(s.quantity)
                    .number(s.grain)
                    .number(s.marginLeft)
                    .number(s.marginTop)
                    .number(s.marginRight)
                    .number(s.marginBottom)
                    .text(s.location)
                    .line();
    return text;
}

std::vector<CutVariety> parseCutVarieties(std::string_view text) {
    std::vector<CutVariety> cuts;
    FieldReader reader(text);
    while (!reader.atEnd()) {
        CutVariety c;
        c.length = single(reader.next());
        c.width = single(reader.next());
        c.quantity = single(reader.next());
        c.align = wholeNumber(reader.next());
        c.description = reader.next();
        c.client = reader.next();
        c.product = reader.next();
        cuts.push_back(std::move(c));
    }
    return cuts;
}

std::string cutVarietiesText(const std::vector<CutVariety>& cuts) {
    std::string text;
    for (const auto& c : cuts)
        text += RecordWriter()
                    .number(c.length)
                    .number(c.width)
                    .number(c.quantity)
                    .number(c.align)
                    .text(c.description)
                    .text(c.client)
                    .text(c.product)
                    .line();
    return text;
}

std::vector<LayoutItem> readLayoutItems(const std::filesystem::path& file) {
    return parseLayoutItems(readWholeFile(file));
}

void writeLayoutItems(const std::filesystem::path& file, const std::vector<LayoutItem>& items) {
    writeFileAtomic(file, layoutItemsText(items));
}

std::vector<SheetVariety> readSheetVarieties(const std::filesystem::path& file) {
    return parseSheetVarieties(readWholeFile(file));
}

void writeSheetVarieties(const std::filesystem::path& file, const std::vector<SheetVariety>& sheets) {
    writeFileAtomic(file, sheetVarietiesText(sheets));
}

std::vector<CutVariety> readCutVarieties(const std::filesystem::path& file) {
    return parseCutVarieties(readWholeFile(file));
}

void writeCutVarieties(const std::filesystem::path& file, const std::vector<CutVariety>& cuts) {
    writeFileAtomic(file, cutVarietiesText(cuts));
}

}  // namespace veltrix::engine
