// Feeds arbitrary bytes as a project file to the readers of a stored result: the job's values are
// checked and the plan is loaded against the job, or refused with InputError.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "engine/loaded_result.h"
#include "job/document.h"
#include "job/project_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const veltrix::Project project = veltrix::parseProject(text);
    veltrix::projectProblems(project);
    for (const auto mode : {veltrix::StockMode::Sheet, veltrix::StockMode::Coil}) {
        const veltrix::Document document = veltrix::documentOfProject(project, mode);
        veltrix::impossibleValue(document.tables, mode);
        try {
            veltrix::engine::loadResult(document.job(), document.plan);
        } catch (const veltrix::InputError&) {
        }
    }
    return 0;
}
