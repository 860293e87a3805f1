#include "app/app_state.h"

#include "base/file_ops.h"

namespace veltrix {

std::string modeCaption(StockMode mode) {
    return mode == StockMode::Coil ? "RiRiza Manager" : "Veltrix Suite [Base Module]";
}

std::string projectExtension(StockMode mode) { return mode == StockMode::Coil ? ".dcm" : ".opt"; }

std::string baseCaption(StockMode mode, const std::filesystem::path& projectPath) {
    std::string caption = modeCaption(mode);
    if (!projectPath.empty()) caption += " - " + toLower(projectPath.string());
    return caption;
}

}  // namespace veltrix
