#include "layouts/labels.h"

#include <zint.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <unordered_map>
#include <vector>

#include "job/settings.h"
#include "layouts/piece_numbers.h"
#include "base/error.h"
#include "base/file_ops.h"
#include "base/number_text.h"
#include "base/table_file.h"
#include "base/workspace.h"

namespace veltrix::layouts {

namespace {

constexpr int kLabelValues = 13;
constexpr long long kMostLabels = 1000000;
constexpr std::size_t kIdentityJobLength = 24;  // characters of the job name in a part's identity

// ROWS and COLS: whole numbers 1 .. 32767.
int countValue(const std::string& text, const char* key) {
    const double value = roundHalfEven(leadingDouble(text));
    if (!(value >= 1 && value <= 32767))
        throw InputError(std::string("The label definition LBl.def needs ") + key +
                         " to be a whole number from 1 to 32767; it holds \"" + printableText(text.substr(0, 40)) +
                         "\".");
    return static_cast<int>(value);
}

// One cut-piece label: its texts, already escaped for HTML.
struct Label {
    std::string size, material, grain, thickness, description, product, client, quantity;
    std::string picture;  // the label file as the job names it
    std::string identity;  // what the codes carry; empty when the codes are off
};

// A number of a zint vector (whole or a fraction of a module) as short as it reads back.
std::string svgNumber(float value) {
    char buffer[32];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return ec == std::errc() ? std::string(buffer, end) : std::string("0");
}

// The symbol `symbology` of `text` drawn by zint as vector rectangles, as one SVG element:
// `size` is the SVG's width and height attributes, `stretch` lets a one-dimensional code take
// the width it is given (every bar widened alike).
std::string symbolSvg(int symbology, std::string_view text, const std::string& size, bool stretch) {
    const std::unique_ptr<zint_symbol, void (*)(zint_symbol*)> symbol(ZBarcode_Create(), ZBarcode_Delete);
    if (!symbol) throw std::bad_alloc();
    symbol->symbology = symbology;
    symbol->input_mode = DATA_MODE;
    symbol->show_hrt = 0;
    symbol->output_options |= BARCODE_QUIET_ZONES;
    if (symbology == BARCODE_QRCODE) symbol->option_1 = 2;  // error correction level M
    const int status = ZBarcode_Encode_and_Buffer_Vector(
        symbol.get(), reinterpret_cast<const unsigned char*>(text.data()), static_cast<int>(text.size()), 0);
    if (status >= ZINT_ERROR || !symbol->vector)
        throw InputError("The label code of \"" + printableText(std::string(text.substr(0, 60))) +
                         "\" cannot be drawn: " + printableText(symbol->errtxt) + ".");
    const std::string width = svgNumber(symbol->vector->width), height = svgNumber(symbol->vector->height);
    std::string svg = "<svg xmlns='http://www.w3.org/2000/svg' " + size + " viewBox='0 0 " + width + " " + height +
                      "'" + (stretch ? " preserveAspectRatio='none'" : "") +
                      " shape-rendering='crispEdges'><rect width='" + width + "' height='" + height +
                      "' fill='#fff'/><path fill='#000' d='";
    for (const zint_vector_rect* r = symbol->vector->rectangles; r; r = r->next)
        svg += "M" + svgNumber(r->x) + " " + svgNumber(r->y) + "h" + svgNumber(r->width) + "v" + svgNumber(r->height) +
               "h" + svgNumber(-r->width) + "z";
    svg += "'/></svg>";
    return svg;
}

std::string sizeText(const engine::CutVariety& v, bool banding) {
    if (!banding) return "SIZE     : " + generalText(v.length) + " X " + generalText(v.width);
    return "LENGTH   : " + escapeHtml(v.widthRemark1) + " " + generalText(v.widthBand1) + " + " + generalText(v.length) +
           " + " + escapeHtml(v.widthRemark2) + " " + generalText(v.widthBand2) + "<br>" +
           "WIDTH    : " + escapeHtml(v.lengthRemark1) + " " + generalText(v.lengthBand1) + " + " +
           generalText(v.width) + " + " + escapeHtml(v.lengthRemark2) + " " + generalText(v.lengthBand2);
}

// A file: address for a picture: its absolute path with the characters that end or break an
// address percent-encoded, then escaped for the HTML attribute.
std::string pictureAddress(const std::filesystem::path& path) {
    std::string text = path.generic_string();
    if (!text.empty() && text.front() == '/') text.erase(0, 1);
    std::string encoded;
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '%' || c == '#' || c == '?' || c == ' ' || c < 0x20 || c == 0x7f) {
            static const char* hex = "0123456789ABCDEF";
            encoded += '%';
            encoded += hex[c >> 4];
            encoded += hex[c & 15];
        } else {
            encoded += ch;
        }
    }
    return escapeHtml("file:///" + encoded);
}

class PageWriter {
public:
    void line(std::string_view text) {
        out_ += text;
        out_ += "\r\n";
    }
    std::string& str() { return out_; }

private:
    std::string out_;
};

}  // namespace

std::string escapeHtml(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&#39;"; break;
        default: out += c;
        }
    }
    return out;
}

LabelSheet parseLabelSheet(std::string_view text) {
    // A table file is text: bytes below the blank other than line ends and tabs mean another kind of
    // file stands under the name (its bytes are not for a terminal or a message).
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 32 && c != '\r' && c != '\n' && c != '\t')
            throw InputError("The label definition LBl.def is not a text file (it holds binary data). Define the "
                             "labels again; no label page was written.");
    }
    FieldReader reader(text);
    std::vector<std::string> values;
    while (values.size() < kLabelValues && !reader.atEnd()) values.push_back(trimBlanks(reader.next()));
    if (values.size() < kLabelValues)
        throw InputError("The label definition LBl.def holds " + std::to_string(values.size()) + " of its " +
                         std::to_string(kLabelValues) +
                         " values (ROWS, COLS, VP, BIGGER FONTSIZE and the nine SHOW columns). Define the labels "
                         "first; no label page was written.");
    LabelSheet sheet;
    sheet.rows = countValue(values[0], "ROWS");
    sheet.columns = countValue(values[1], "COLS");
    sheet.rowHeight = static_cast<int>(std::fmax(-32768, std::fmin(32767, roundHalfEven(leadingDouble(values[2])))));
    sheet.biggerFont = values[3] == "YES";
    bool* shows[] = {&sheet.showClient,   &sheet.showMaterial,    &sheet.showGrain,
                     &sheet.showThickness, &sheet.showSize,       &sheet.showQuantity,
                     &sheet.showDescription, &sheet.showProduct,  &sheet.showLogo};
    for (std::size_t i = 0; i < 9; ++i) *shows[i] = !values[4 + i].empty();
    return sheet;
}

bool readLabelCodesSwitch(const Workspace& workspace) {
    const auto file = workspace.file(kLabelOptionsFile);
    if (!fileExists(file)) return false;
    const std::string text = readExistingFile(file);
    FieldReader reader(text);
    return !reader.atEnd() && trimBlanks(reader.next()) == "YES";
}

void writeLabelCodesSwitch(const Workspace& workspace, bool on) {
    writeFileAtomic(workspace.file(kLabelOptionsFile), on ? "\"YES\"\r\n" : "\"\"\r\n");
}

std::string partIdentity(std::string_view job, int layout, int piece, float length, float width) {
    std::string text;
    for (const char c : job.substr(0, kIdentityJobLength)) text += (c >= 0x20 && c < 0x7f) ? c : '_';
    if (!text.empty()) text += ' ';
    return text + "L" + std::to_string(layout) + " P" + std::to_string(piece) + " " + generalText(length) + "x" +
           generalText(width);
}

std::string code128Svg(std::string_view text, int height) {
    return symbolSvg(BARCODE_CODE128, text, "width='100%' height='" + std::to_string(height) + "'", true);
}

std::string qrCodeSvg(std::string_view text, int side) {
    const std::string n = std::to_string(side);
    return symbolSvg(BARCODE_QRCODE, text, "width='" + n + "' height='" + n + "'", false);
}

LabelSheet readLabelSheet(const Workspace& workspace) {
    const auto file = workspace.file(kLabelDefinitionFile);
    if (!fileExists(file))
        throw InputError("The label definition LBl.def was not found in " + workspace.folder().string() +
                         ". Define the labels first; no label page was written.");
    return parseLabelSheet(readExistingFile(file));
}

std::string labelPage(const engine::LoadedResult& result, const LabelSheet& sheet, int from, int to,
                      std::string_view reportOption, const Workspace& workspace, const LabelCodes& codes) {
    if (from < 1 || to > result.layoutCount() || from > to)
        throw std::out_of_range("layouts " + std::to_string(from) + " to " + std::to_string(to) +
                                " are not in the result");
    const bool banding = reportOption == kOptionAreaBanding;
    const BasicDetails& basic = result.job.basic;

    // A result edited by hand could ask for more labels than any printer holds.
    double total = 0;
    for (int n = from; n <= to; ++n) {
        const auto items = result.layout(n);
        double pieces = 0;
        for (const LayoutItem& item : items) pieces += item.isPiece() ? 1 : 0;
        if (!items.empty()) total += std::fmax(0, roundHalfEven(items.front().quantity)) * pieces;
    }
    if (total > kMostLabels)
        throw InputError("Layouts " + std::to_string(from) + " to " + std::to_string(to) + " would make " +
                         generalText(total) + " labels, more than " + std::to_string(kMostLabels) +
                         "; choose fewer layouts.");

    // The labels: for each layout, for each of its sheets, each cut-piece item in list order.
    std::vector<Label> labels;
    std::unordered_map<int, long long> made;  // labels so far per cut-piece variety
    for (int n = from; n <= to; ++n) {
        const auto items = result.layout(n);
        const double sheets = items.empty() ? 0 : roundHalfEven(items.front().quantity);
        for (double r = 1; r <= sheets; ++r) {
            for (std::size_t i = 0; i < items.size(); ++i) {
                const LayoutItem& item = items[i];
                if (!item.isPiece()) continue;
                const engine::CutVariety& v = result.cutOf(item);
                const long long count = ++made[item.piece()];
                Label label;
                label.size = sizeText(v, banding);
                label.material = "MAT      : " + escapeHtml(basic.material);
                label.grain = "GRAIN    : " + escapeHtml(basic.grain);
                label.thickness = "THICK    : " + generalText(basic.thickness);
                label.description = "DESCR    : " + escapeHtml(v.description);
                label.product = "PRODUCT  : " + escapeHtml(v.product);
                label.client = "CLIENT   : " + escapeHtml(v.client);
                label.quantity = "QTY      : " + std::to_string(count) + "/" + generalText(v.quantity);
                label.picture = v.labelFile;
                if (codes.on)
                    label.identity = partIdentity(codes.job, n, pieceNumber(result, result.layoutBegin(n) + i),
                                                  v.length, v.width);
                labels.push_back(std::move(label));
            }
        }
    }

    const std::string rowHeight = std::to_string(sheet.rowHeight);
    const std::string rowStart = sheet.rows == 1 ? "<tr>" : "<tr height='" + rowHeight + "'>";
    PageWriter page;
    if (sheet.rows == 1) page.line("<table width='100%' border='0' style='margin-top:-6px;'>");
    else page.line("<table width='100%' border='0'><tr height='" + rowHeight + "'>");

    const std::string cellWidth = std::to_string(100 / sheet.columns);
    const std::string pictureSize = std::to_string(200 / sheet.columns);
    std::unordered_map<std::string, std::string> symbols;  // the codes of each identity
    int c = 0, r = 0;
    for (const Label& label : labels) {
        if (c >= sheet.columns) {
            if (r < sheet.rows) {
                page.line("</tr>" + rowStart);
                c = 1;
                ++r;
            } else {
                page.line("</table>");
                page.line("<div style='page-break-after:always; clear:both;'>&nbsp;</div>");
                page.line("<table width='100%' border='0'>");
                page.line(rowStart);
                c = 1;
                r = 1;
            }
        } else {
            if (r == 0) r = 1;
            ++c;
        }

        page.line("<td align='center' width='" + cellWidth + "%'>");
        page.line(std::string("<table border='0' width='90%' style='font-family: arial;font-size:") +
                  (sheet.biggerFont ? "10" : "9") + ";font-weight:bold;'>");
        page.line("<tr>");
        page.line("<td>");
        if (sheet.showClient) page.line("<br>" + label.client);
        if (sheet.showMaterial) page.line("<br>" + label.material);
        if (sheet.showGrain) page.line("<br>" + label.grain);
        if (sheet.showThickness) page.line("<br>" + label.thickness);
        if (sheet.showSize) page.line("<br>" + label.size);
        if (sheet.showQuantity) page.line("<br>" + label.quantity);
        if (sheet.showDescription) page.line("<br>" + label.description);
        if (sheet.showProduct) page.line(label.product);
        page.line("</td>");
        if (sheet.showLogo && !label.picture.empty()) {
            const auto picture = workspace.file(label.picture);
            if (fileExists(picture)) {
                page.line("<td width='1' valign='top'>");
                page.line("<img src='" + pictureAddress(std::filesystem::absolute(picture)) + "' height='" +
                          pictureSize + "' width='" + pictureSize + "'>");
                page.line("</td>");
            }
        }
        page.line("</tr>");
        if (codes.on) {
            // The same part on every sheet of its layout: its codes are drawn once.
            auto [drawn, fresh] = symbols.try_emplace(label.identity);
            if (fresh)
                drawn->second = code128Svg(label.identity, std::max(1, 100 / sheet.columns)) + "\r\n<br>" +
                                qrCodeSvg(label.identity, std::max(1, 200 / sheet.columns));
            page.line("<tr>");
            page.line("<td colspan='2'>");
            page.line(drawn->second);
            page.line("<br>" + escapeHtml(label.identity));
            page.line("</td>");
            page.line("</tr>");
        }
        page.line("</table>");
        page.line("</td>");
    }
    if (c >= 1 && c < 3)
        for (int i = c; i < 3; ++i) page.line("<td></td>");
    page.line("</tr></table>");
    return std::move(page.str());
}

}  // namespace veltrix::layouts
