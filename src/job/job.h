#pragma once
// A job as typed values: the basic details, the stock rows (sheets or coils) and the cut-piece
// rows, read once from the cell texts of the three job tables by the grids' rule for numbers (the
// leading number of the text, 0 when there is none). The engine and every reader of a plan work
// on this; the tables stay the job as the user typed it, and what project files store.

#include <optional>
#include <string>
#include <vector>

#include "job/job_tables.h"
#include "job/options.h"

namespace veltrix {

struct BasicDetails {
    std::string material;
    std::string grain;  // not empty: the job has a grain direction
    float thickness = 0;
    float blade = 0;      // the longest cut the saw can make
    float tolerance = 0;  // how much smaller than asked a piece may come out
    float kerf = 0;       // width lost per cut
    float minOffcut = 0;  // smallest acceptable side of a leftover
    std::string note;

    bool hasGrain() const;
    bool operator==(const BasicDetails&) const = default;
};

// One row of the sheet (coil) table.
struct StockRow {
    float length = 0;
    float width = 0;
    float quantity = 0;  // not used in coil mode
    float marginLeft = 0;
    float marginTop = 0;
    float marginRight = 0;
    float marginBottom = 0;
    std::string location;
    bool operator==(const StockRow&) const = default;
};

// One row of the cut-piece table: the finished sizes, and per edge the band glued on it and its
// remark (the band's colour in the report). Bands 1 and 2 of the length are the bands on the two
// long edges, those of the width on the two short edges.
struct CutRow {
    float length = 0;
    float lengthBand1 = 0;
    std::string lengthRemark1;
    float lengthBand2 = 0;
    std::string lengthRemark2;
    float width = 0;
    float widthBand1 = 0;
    std::string widthRemark1;
    float widthBand2 = 0;
    std::string widthRemark2;
    float quantity = 0;
    std::string align;  // not empty: the piece follows the grain
    std::string description;
    std::string product;
    std::string client;
    std::string labelFile;
    std::string dxfFile;
    bool operator==(const CutRow&) const = default;
};

struct Job {
    StockMode mode = StockMode::Sheet;
    Objective objective;
    BasicDetails basic;
    std::vector<StockRow> stock;  // every data row, in table order, empty ones included
    std::vector<CutRow> cuts;
    bool operator==(const Job&) const = default;
};

// The largest size, margin, band or quantity a job may hold: what seven typed digits allow.
inline constexpr float kLargestValue = 9999999.0f;
// The most cut-pieces one job may ask for, all rows together: a plan of more pieces is beyond
// what a run can hold in memory.
inline constexpr double kMostPieces = 1000000.0;

// The first value of the job that no run can use, named by its table, row and column: a negative
// or non-finite size, margin, band, blade, tolerance, kerf, off-cut or quantity, a quantity that is
// not a whole number (the stock's only in sheet mode), a value beyond kLargestValue, or more than
// kMostPieces pieces in all. Nothing when there is none. Texts that are no number read as 0 and
// are left to the run's own checks.
std::optional<std::string> impossibleValue(const Job& job);
// The same for the tables as typed, which also finds a number too large to be read at all (a
// "1e39", which reads as 0).
std::optional<std::string> impossibleValue(const JobTables& tables, StockMode mode);

// Row 1 of the basic-details table.
BasicDetails readBasicDetails(const GridTable& basic);
// The job of the three tables: every data row of the sheet and cut-piece tables (a row that is
// blank gives zero sizes, which no run keeps).
Job readJob(const JobTables& tables, StockMode mode, const Objective& objective);

}  // namespace veltrix
