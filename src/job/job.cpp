#include "job/job.h"

#include "table/file_ops.h"
#include "table/number_text.h"

namespace veltrix {
namespace {

float number(const GridTable& grid, int row, int column) { return leadingFloat(grid.cell(row, column)); }

// The rows that hold data: all but a blank last row (the row a grid keeps for typing).
int dataRows(const GridTable& grid) {
    int rows = grid.rowCount() - 1;
    if (rows > 0 && grid.rowEmpty(rows)) --rows;
    return rows;
}

}  // namespace

bool BasicDetails::hasGrain() const { return !trimBlanks(grain).empty(); }

BasicDetails readBasicDetails(const GridTable& basic) {
    BasicDetails d;
    d.material = basic.cell(1, kMat);
    d.grain = basic.cell(1, kGrain);
    d.thickness = number(basic, 1, kThick);
    d.blade = number(basic, 1, kBlade);
    d.tolerance = number(basic, 1, kTol);
    d.kerf = number(basic, 1, kKerf);
    d.minOffcut = number(basic, 1, kMinOc);
    d.note = basic.cell(1, kNote);
    return d;
}

Job readJob(const JobTables& tables, StockMode mode, const Objective& objective) {
    Job job;
    job.mode = mode;
    job.objective = objective;
    job.basic = readBasicDetails(tables.basic);

    const GridTable& sheets = tables.sheets;
    for (int r = 1; r <= dataRows(sheets); ++r) {
        StockRow s;
        s.length = number(sheets, r, kSheetLength);
        s.width = number(sheets, r, kSheetWidth);
        s.quantity = number(sheets, r, kSheetQty);
        s.marginLeft = number(sheets, r, kMarginLeft);
        s.marginTop = number(sheets, r, kMarginTop);
        s.marginRight = number(sheets, r, kMarginRight);
        s.marginBottom = number(sheets, r, kMarginBottom);
        s.location = sheets.cell(r, kSheetLocation);
        job.stock.push_back(std::move(s));
    }

    const GridTable& cuts = tables.cuts;
    for (int r = 1; r <= dataRows(cuts); ++r) {
        CutRow c;
        c.length = number(cuts, r, kCutLength);
        c.lengthBand1 = number(cuts, r, kLenEdge1);
        c.lengthRemark1 = cuts.cell(r, kLenRem1);
        c.lengthBand2 = number(cuts, r, kLenEdge2);
        c.lengthRemark2 = cuts.cell(r, kLenRem2);
        c.width = number(cuts, r, kCutWidth);
        c.widthBand1 = number(cuts, r, kWidEdge1);
        c.widthRemark1 = cuts.cell(r, kWidRem1);
        c.widthBand2 = number(cuts, r, kWidEdge2);
        c.widthRemark2 = cuts.cell(r, kWidRem2);
        c.quantity = number(cuts, r, kCutQty);
        c.align = cuts.cell(r, kCutAlign);
        c.description = cuts.cell(r, kCutDescription);
        c.product = cuts.cell(r, kCutProduct);
        c.client = cuts.cell(r, kCutClient);
        c.labelFile = cuts.cell(r, kCutLabelFile);
        c.dxfFile = cuts.cell(r, kCutDxfFile);
        job.cuts.push_back(std::move(c));
    }
    return job;
}

}  // namespace veltrix
