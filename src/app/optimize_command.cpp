#include "app/optimize_command.h"

#include "app/base_module.h"
#include "job/project_file.h"

namespace veltrix {

RunPreparation prepareRun(BaseModule& module, engine::RunDriver& driver,
                          const std::function<void()>& editDensityTable) {
    if (!engine::checkBeforeRun(driver, module.tables().basic, module.workspace(), editDensityTable))
        return RunPreparation::ToleranceRefused;
    if (!module.saveProject(module.workspace().file(kRunProjectFile))) return RunPreparation::NotSaved;
    module.hooks().closeResultWindows();
    return RunPreparation::Ready;
}

engine::RunOutcome runJob(BaseModule& module, engine::RunDriver& driver) {
    engine::RunState state;
    state.continuation = module.state().continuationIteration;
    engine::RunOutcome outcome;
    try {
        outcome = engine::runInWorkspace(driver, module.workspace(), module.state().mode, state);
    } catch (const std::exception& e) {
        outcome.message = e.what();
        outcome.failed = true;
        outcome.helpTopic = engine::kFailureHelpTopic;
        state.continuation = 0;
    }
    module.state().continuationIteration = static_cast<int>(state.continuation);
    return outcome;
}

void afterRun(BaseModule& module) {
    if (module.checkResultForView()) module.hooks().showLayouts();
    module.fileSaveAs();
}

}  // namespace veltrix
