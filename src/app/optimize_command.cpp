#include "app/optimize_command.h"

#include "app/base_module.h"
#include "job/settings.h"
#include "platform/prompt.h"
#include "base/workspace.h"

namespace veltrix {

bool checkBeforeRun(const Job& job, const Workspace& workspace, Prompt& prompt,
                    const std::function<void()>& editDensityTable) {
    if (job.basic.tolerance > 10) {
        prompt.ask(Message{kToleranceMessage, "", Icon::Question, Buttons::Ok, Answer::Ok});
        return false;
    }
    if (const std::string problem = readMiscSettings(workspace).efficiencyProblem; !problem.empty())
        prompt.tell(problem, kAttention, Icon::Information);
    if (reportOption(workspace) == kOptionWeight) {
        while (densityOf(workspace, job.basic.material) == 0) {
            const Answer answer =
                prompt.ask(Message{kDensityQuestion, kAttention, Icon::Question, Buttons::YesNo, Answer::No});
            if (answer != Answer::Yes || !editDensityTable) break;
            editDensityTable();
        }
    }
    return true;
}

engine::RunSettings runSettings(const Workspace& workspace, const Document& document, long long continueFrom) {
    engine::RunSettings settings;
    settings.efficiency = readMiscSettings(workspace).efficiency;
    if (continueFrom > 0) {
        settings.continueFrom = continueFrom;
        settings.continued = document.plan;
    }
    return settings;
}

void storeRunOutcome(Document& document, const engine::RunOutcome& outcome) {
    // A run that found no plan leaves the document's plan as it was.
    if (outcome.plan.empty()) return;
    document.plan = outcome.plan;
}

RunPreparation prepareRun(BaseModule& module, const std::function<void()>& editDensityTable) {
    if (!checkBeforeRun(module.document().job(), module.workspace(), module.prompt(), editDensityTable))
        return RunPreparation::ToleranceRefused;
    module.hooks().closeResultWindows();
    return RunPreparation::Ready;
}

RunRequest runRequest(const BaseModule& module) {
    return RunRequest{module.document().job(),
                      runSettings(module.workspace(), module.document(), module.state().continuationIteration)};
}

void finishRun(BaseModule& module, const engine::RunOutcome& outcome) {
    if (!outcome.plan.empty()) module.setPlan(outcome.plan);
    module.state().continuationIteration =
        outcome.status == engine::RunOutcome::Status::Stopped ? outcome.lastIteration : 0;
}

void afterRun(BaseModule& module, const engine::RunOutcome& outcome) {
    // After a run that found nothing there is nothing to show or save: the progress said why.
    if (outcome.plan.empty() || !module.resultExists()) return;
    module.hooks().showLayouts();
    module.fileSaveAs();
}

}  // namespace veltrix
