#pragma once
// Small hand-made layout results for the drawing and label tests, built straight from the
// records (no engine run), so every coordinate is known.

#include <string>
#include <vector>

#include "engine/loaded_result.h"
#include "reports/report.h"

namespace veltrix::test {

inline engine::CutVariety piece(float length, float width, std::string description, float quantity = 1) {
    engine::CutVariety v;
    v.length = length;
    v.width = width;
    v.description = std::move(description);
    v.quantity = quantity;
    return v;
}

inline engine::LayoutItem item(int layout, int kind, float x1, float y1, float x2, float y2, float quantity = 1,
                               int placement = 0) {
    return engine::LayoutItem{layout, kind, 1, x1, y1, x2, y2, quantity, placement};
}

// Fills layoutStart from the items (each layout begins with its sheet item).
inline void indexLayouts(engine::LoadedResult& result) {
    result.layoutStart.clear();
    for (std::size_t i = 0; i < result.items.size(); ++i)
        if (result.items[i].kind == engine::kSheetItem) result.layoutStart.push_back(i);
    result.storedItems = result.items;
}

// One layout on a sheet 1200 long and 1000 wide with kerf 4 (the sheet item is 1004 x 1204):
//   1 sheet       (0,0)-(1004,1204)
//   2 margin      (0,0)-(1004,10)          top strip
//   3 piece 1     (10,10)-(414,614)        600 x 400 placed along the length: 400 x 600 net
//   4 piece 1     (414,10)-(817.5,614)     cut 399.5 wide: smaller than 400, marked "+"
//   5 piece 2     (10,614)-(314,818)       300 x 200 turned: 300 across, 200 down
//   6 off-cut     (314,614)-(1004,1204)    686 x 586 net
//   7 through cut (0,614)-(1004,614)       horizontal, at 612 net of half the kerf
//   8 through cut (414,10)-(414,614)       vertical, at 412
inline engine::LoadedResult sampleResult() {
    engine::LoadedResult r;
    r.job.basic.material = "MEL OAK";
    r.job.basic.grain = "YES";
    r.job.basic.thickness = 18;
    r.job.basic.blade = 3100;
    r.job.basic.tolerance = 0.5f;
    r.job.basic.kerf = 4;
    r.job.basic.minOffcut = 50;
    r.job.basic.note = "TEST JOB";
    engine::SheetVariety sheet;
    sheet.length = 1200;
    sheet.width = 1000;
    sheet.quantity = 5;
    r.job.sheets = {sheet};
    r.job.cuts = {piece(600, 400, "Side Panel", 4), piece(300, 200, "Shelf", 2)};
    r.items = {
        item(1, engine::kSheetItem, 0, 0, 1004, 1204),
        item(1, engine::kMarginItem, 0, 0, 1004, 10),
        item(1, 1, 10, 10, 414, 614, 1, 1),
        item(1, 1, 414, 10, 817.5f, 614, 1, 1),
        item(1, 2, 10, 614, 314, 818, 1, 2),
        item(1, engine::kOffcutItem, 314, 614, 1004, 1204),
        item(1, engine::kThroughCut, 0, 614, 1004, 614),
        item(1, engine::kThroughCut, 414, 10, 414, 614),
    };
    indexLayouts(r);
    return r;
}

// A report text with one section per layout, written by hand, and the section positions.
inline reports::Report sampleReport(int layouts) {
    reports::Report report;
    report.text = "Overall Yield(%)=50.00\r\nTotal Layouts=" + std::to_string(layouts) + "\r\n\r\n" +
                  std::string(76, '*') + "\r\n";
    for (int n = 1; n <= layouts; ++n) {
        report.sectionPosition.push_back(report.text.size());
        report.text += "Layout No. " + std::to_string(n) + "/" + std::to_string(layouts) +
                       "\r\n\r\nSheet(s) Used\r\nSize    : 1200 X 1000\r\nQuantity: 1\r\n\r\n"
                       "OffCut Generated\r\n"
                       "Length  Width    Length  Width    Length  Width    Length  Width\r\n"
                       "586     686\r\n\r\n" +
                       std::string(76, '*') + "\r\n";
    }
    return report;
}

}  // namespace veltrix::test
