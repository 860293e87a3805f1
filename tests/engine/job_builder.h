#pragma once
// Job grids for engine tests, written row by row the way the grid windows store them.

#include <string>
#include <vector>

#include "job/job_tables.h"
#include "table/table_file.h"

namespace veltrix::test {

struct JobBuilder {
    std::string basic;
    std::string sheets;
    std::string cuts;

    // MAT, GRAIN, THICK, BLADE, TOL, KERF, MIN OC, NOTE
    JobBuilder& basicRow(std::vector<std::string> fields) {
        basic = quotedRecord(fields);
        return *this;
    }
    // LENGTH, WIDTH, QTY, M(L), M(T), M(R), M(B), LOCATION
    JobBuilder& sheet(std::string length, std::string width, std::string qty, std::string ml = "0",
                      std::string mt = "0", std::string mr = "0", std::string mb = "0", std::string location = "") {
        sheets += quotedRecord({length, width, qty, ml, mt, mr, mb, location});
        return *this;
    }
    // A cut-piece without edge bands: LENGTH, WIDTH, QTY, ALIGN, DESCRIPTION.
    JobBuilder& cut(std::string length, std::string width, std::string qty, std::string align = "",
                    std::string description = "") {
        cuts += quotedRecord({length, "", "", "", "", width, "", "", "", "", qty, align, description, "", "", "", ""});
        return *this;
    }
    // All 17 cut-piece fields.
    JobBuilder& cutRow(std::vector<std::string> fields) {
        cuts += quotedRecord(fields);
        return *this;
    }

    JobTables tables() const {
        JobTables t;
        t.basic.loadText(basic);
        cutBackToOneRow(t.basic);
        t.sheets.loadText(sheets);
        t.cuts.loadText(cuts);
        return t;
    }
};

}  // namespace veltrix::test
