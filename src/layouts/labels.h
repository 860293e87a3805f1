#pragma once
// Sticker labels for the cut-pieces of a range of layouts: the label sheet definition LBl.def
// and the HTML page lbl.htm the user prints from a browser. Each label can carry a Code 128
// barcode and a QR code of its part's identity, for the shop's scanners.

#include <string>
#include <string_view>

#include "engine/loaded_result.h"

namespace veltrix {
class Workspace;
}

namespace veltrix::layouts {

inline constexpr const char* kLabelDefinitionFile = "LBl.def";
inline constexpr const char* kLabelPageFile = "lbl.htm";
// The label options beyond LBl.def's 13 values, beside it: LBl.def keeps its format for the other
// programs that read it. One record; its first value "YES" puts the codes on the labels.
inline constexpr const char* kLabelOptionsFile = "labels.set";

// LBl.def: one record of 13 values.
struct LabelSheet {
    int rows = 1;     // label rows per page
    int columns = 1;  // labels per row
    int rowHeight = 0;  // VP, pixels
    bool biggerFont = false;  // exactly "YES": text size 10, else 9
    bool showClient = false, showMaterial = false, showGrain = false, showThickness = false, showSize = false,
         showQuantity = false, showDescription = false, showProduct = false, showLogo = false;
};

// Parses the 13 values of LBl.def. Throws InputError with a message for the user when the text
// holds fewer than 13 values, or when ROWS or COLS is not a whole number from 1 to 32767 (no
// page can be laid out then).
LabelSheet parseLabelSheet(std::string_view text);
// Reads LBl.def of the working folder; a missing file is an InputError too.
LabelSheet readLabelSheet(const Workspace& workspace);

// Whether the labels carry the codes: labels.set of the working folder (off when it is missing).
// Throws FileError when the file cannot be read.
bool readLabelCodesSwitch(const Workspace& workspace);
// Stores the switch in labels.set (written atomically). Throws FileError.
void writeLabelCodesSwitch(const Workspace& workspace, bool on);

// The codes on the labels: off, or on with the job's name for the part identities.
struct LabelCodes {
    bool on = false;
    std::string job;  // the project file's name without its extension; empty for a job never saved
};

// A part's identity as its codes carry it: "JOB L<layout> P<piece> <length>x<width>" (without
// "JOB " when the job has no name), the piece number as the layout drawing shows it, sizes in
// general number text. Of the job name, the first 24 characters are kept (a longer barcode would
// not fit a label) and characters other than printable ASCII become '_', so that every scanner
// reads the text back as it was printed.
std::string partIdentity(std::string_view job, int layout, int piece, float length, float width);

// An SVG picture of `text` as a Code 128 barcode, with its quiet zones, `height` pixels high and as
// wide as the space it is put in; and as a QR code (error correction level M, quiet zone
// included), `side` pixels square. The symbols are encoded by the zint library. Throws
// InputError when the text cannot be encoded (too long for the symbol).
std::string code128Svg(std::string_view text, int height);
std::string qrCodeSvg(std::string_view text, int side);

// The page for the labels of layouts from..to (1-based, both included, within the result): for
// each layout, for each of its sheets, one label per cut-piece item. Every text that comes from
// the job or a file is escaped for HTML. `reportOption` is the report option of misc.set ("Area
// With Edge Banding" gives the size with its bands). Label pictures are looked up in the working
// folder when their names are relative. With the codes on, each label ends with a row holding the
// Code 128 barcode (p / 2 pixels high), the QR code (p pixels square, p = 200 / COLS as for the
// pictures) and the identity they carry; with them off the page is exactly as without codes.
// Throws std::out_of_range for a range outside the result.
std::string labelPage(const engine::LoadedResult& result, const LabelSheet& sheet, int from, int to,
                      std::string_view reportOption, const Workspace& workspace, const LabelCodes& codes = {});

// Text escaped for HTML: & < > " and ' replaced by their entities.
std::string escapeHtml(std::string_view text);

}  // namespace veltrix::layouts
