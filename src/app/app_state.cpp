#include "app/app_state.h"

#include "table/file_ops.h"

namespace veltrix {

std::string modeCaption(StockMode mode) {
    return mode == StockMode::Coil ? "RiRiza Manager" : "Veltrix Suite [Base Module]";
}

std::string projectExtension(StockMode mode) { return mode == StockMode::Coil ? ".dcm" : ".opt"; }

std::string baseCaption(const AppState& state) {
    std::string caption = modeCaption(state.mode);
    if (!state.projectPath.empty()) caption += " - " + toLower(state.projectPath);
    return caption;
}

}  // namespace veltrix
