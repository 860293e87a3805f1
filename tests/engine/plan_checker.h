#pragma once
// An independent validity checker for cutting plans. It reads the job and the plan on its own
// (it shares no code with the engine) and checks what a workshop relies on: every piece inside the
// usable area of its sheet and no two overlapping; piece sizes those of the variety (shrunk by at
// most the tolerance); grain respected; production per variety equal to the demand; stock
// respected in sheet mode; every layout cuttable by edge-to-edge cuts; through cuts crossing no
// piece; off-cuts not below the minimum; the yield recomputed.

#include <string>
#include <vector>

namespace veltrix::test {

struct PlanCheck {
    std::vector<std::string> problems;  // empty when the plan is valid
    double yield = 0;                   // piece area / sheet area over the plan, unrounded
    int layouts = 0;
    bool ok() const { return problems.empty(); }
    std::string summary() const;  // the first problems, for a failure message
};

// `basic`, `sheets`, `cuts` are the table-file texts of the job's sections; `plan` the dia.tlf text.
PlanCheck checkPlan(const std::string& basic, const std::string& sheets, const std::string& cuts, bool coil,
                    const std::string& plan);

// The same from a whole project file text (sections in order: basic, options, sheets, cuts, result)
// and a plan text.
PlanCheck checkProjectPlan(const std::string& projectText, bool coil, const std::string& plan);

}  // namespace veltrix::test
