#pragma once
// The projects of tests/data/layouts loaded as the viewer loads them, and a report text written by
// hand for the listings:
// - sample.opt: one layout on a sheet 1200 long and 1000 wide, kerf 4 (the sheet item 1004 x 1204):
//   0 sheet (0,0)-(1004,1204); 1 top margin (0,0)-(1004,10); 2 a piece of variety 1 (600 x 400,
//   "Side Panel") along the length (10,10)-(414,614); 3 the same cut 399.5 wide (414,10)-(817.5,614);
//   4 a piece of variety 2 (300 x 200, "Shelf") turned (10,614)-(314,818); 5 an off-cut
//   (314,614)-(1004,1204), 686 x 586 net; 6 and 7 through cuts at y 614 and x 414.
// - two-layouts.opt: sheets 1200 x 1000 with margins 10, kerf 4; layout 1 (items 0-10) a hob panel
//   (variety 1, 720 x 560) at (10,10)-(574,734) and a shelf (variety 2, 600 x 400) at
//   (574,10)-(978,614), a through cut at y 734 and off-cuts (978,10)-(994,614), (574,614)-(994,734)
//   and (10,734)-(994,1194); layout 2 (items 11-20) two shelves at x 10 and 414, y 10 to 614, a
//   through cut at y 614, off-cuts (818,10)-(994,614) and (10,614)-(994,1194).
// - coil-two-layouts.dcm: a coil 5000 x 1250 with margins 10, kerf 4; layout 1 a door (variety 2,
//   796 x 600) at (10,10)-(614,810), an off-cut right of it, a through cut at y 810, the rest of the
//   coil; layout 2 a top (variety 1, 2000 x 1200) at (10,10)-(1214,2014). Loaded, layout 1 is cut
//   back to 820 and turned (it is then shorter than wide), layout 2 cut back to 2024.
// - long-coil.dcm: a coil 8000 x 1250 with margins 10, kerf 4 and three panels (variety 1,
//   1800 x 1200) one under the other from y 10 to 5422; loaded, cut back to 5432.
// - runs.opt: pieces 100 x 100 side by side on a sheet 2000 x 100 without kerf, of varieties
//   3, 3, 3, 5, 3, 50, 60, 70, 80 and 90 wide, then one of variety 1 1234.56789 wide.

#include <string>

#include "job/document.h"
#include "reports/report.h"
#include "reports/report_pass.h"
#include "support/temp_folder.h"

namespace veltrix::test {

inline Document project(const std::string& name) { return readDocument(dataFile("layouts/" + name)); }
inline engine::LoadedResult loadProject(const std::string& name) { return reports::loadJobResult(project(name)); }

// A report text with one section per layout and its section positions.
inline reports::Report sampleReport(int layouts) {
    reports::Report report;
    report.text = "Overall Yield(%)=50.00\r\nTotal Layouts=" + std::to_string(layouts) + "\r\n\r\n" +
                  std::string(76, '*') + "\r\n";
    for (int n = 1; n <= layouts; ++n) {
        report.sectionPosition.push_back(report.text.size());
        report.text += "Layout No. " + std::to_string(n) + "/" + std::to_string(layouts) +
                       "\r\n\r\nSheet(s) Used\r\nSize    : 1200 X 1000\r\nQuantity: 1\r\n\r\nOffCut Generated\r\n"
                       "Length  Width    Length  Width    Length  Width    Length  Width\r\n586     686\r\n\r\n" +
                       std::string(76, '*') + "\r\n";
    }
    return report;
}

}  // namespace veltrix::test
