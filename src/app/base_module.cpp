#include "app/base_module.h"

#include "job/options.h"
#include "job/project_file.h"
#include "platform/file_dialogs.h"
#include "platform/prompt.h"
#include "table/error.h"
#include "table/file_ops.h"

namespace veltrix {

namespace {
constexpr const char* kAttention = "Attention!";
}

BaseModule::BaseModule(Workspace workspace, StockMode mode, Prompt& prompt, FileDialogs& dialogs, FrameHooks& hooks)
    : workspace_(std::move(workspace)), prompt_(prompt), dialogs_(dialogs), hooks_(hooks) {
    state_.mode = mode;
    tables_.bind(workspace_);
    applySheetVisibility(tables_.sheets, mode);
}

void BaseModule::start() {
    const auto defaults = workspace_.file(kDefaultsFile);
    if (fileExists(defaults)) {
        openProject(defaults);
    } else {
        tables_.load();
        readOptionsFile();
        hooks_.tablesReloaded();
    }
    state_.importLock = false;
    state_.exportMark = false;
    state_.changed = false;
    hooks_.captionChanged(baseCaption(state_));
}

std::string BaseModule::fileFilter() const {
    const std::string ext = projectExtension(state_.mode);
    return std::string(kApplicationTitle) + " - " + modeCaption(state_.mode) + " (*" + ext + ")|*" + ext;
}

bool BaseModule::reportFailure(const std::exception& e) {
    prompt_.tell(e.what(), kAttention, Icon::Exclamation);
    return false;
}

bool BaseModule::openProject(const std::filesystem::path& path) {
    Project project;
    try {
        project = readProjectFile(path);
    } catch (const std::exception& e) {
        return reportFailure(e);
    }
    hooks_.closeResultWindows();
    try {
        unpackProject(project, workspace_);
    } catch (const std::exception& e) {
        reportFailure(e);
    }
    tables_.load();
    readOptionsFile();
    hooks_.tablesReloaded();
    return true;
}

void BaseModule::readOptionsFile() {
    // Without an options file the check marks stay as they are ("Maximum Yield" at start).
    const auto path = workspace_.file(kOptionsFile);
    if (!fileEmptyOrMissing(path)) state_.objective = parseOptions(readWholeFile(path));
}

void BaseModule::writeOptionsFile() {
    writeFileAtomic(workspace_.file(kOptionsFile), optionsText(state_.objective));
}

bool BaseModule::saveProject(const std::filesystem::path& path) {
    try {
        tables_.save();
        writeOptionsFile();
        if (path.filename() == kDefaultsFile) {
            // Defaults carry only the basic details and the options; the grids keep showing
            // their rows and write them back when they are next saved.
            writeFileAtomic(workspace_.file(kSheetFile), "");
            writeFileAtomic(workspace_.file(kCutFile), "");
        }
        writeProjectFile(path, packProject(workspace_));
        if (path.filename() == kDefaultsFile) tables_.save();
    } catch (const std::exception& e) {
        return reportFailure(e);
    }
    return true;
}

void BaseModule::setProjectPath(std::string path) {
    state_.projectPath = std::move(path);
    hooks_.captionChanged(baseCaption(state_));
}

Answer BaseModule::confirmSave() {
    if (!state_.changed) return Answer::No;
    const Answer a = prompt_.ask(
        Message{"Save changes in current file?", kAttention, Icon::Question, Buttons::YesNoCancel, Answer::Yes});
    if (a == Answer::Yes) {
        // A save that did not happen (dialog cancelled, write failed) must not let the job be
        // discarded: it counts as Cancel.
        if (!saveAsDialog()) {
            hooks_.restoreFocus();
            return Answer::Cancel;
        }
        return Answer::Yes;
    }
    if (a == Answer::No) return Answer::No;
    hooks_.restoreFocus();
    return Answer::Cancel;
}

void BaseModule::fileNew() {
    if (confirmSave() == Answer::Cancel) return;
    const auto defaults = workspace_.file(kDefaultsFile);
    if (fileExists(defaults)) openProject(defaults);
    state_.importLock = false;
    state_.exportMark = false;
    state_.continuationIteration = 0;
    state_.changed = false;
    setProjectPath({});
}

void BaseModule::fileOpen() {
    if (confirmSave() == Answer::Cancel) return;
    const std::string remembered = state_.projectPath;
    state_.projectPath.clear();
    const auto chosen = dialogs_.openFile(FileDialogRequest{"Open File...", fileFilter(), {}});
    if (!chosen || chosen->empty()) {
        state_.projectPath = remembered;
        return;
    }
    state_.continuationIteration = 0;
    if (!openProject(*chosen)) {
        state_.projectPath = remembered;
        return;
    }
    state_.importLock = false;
    state_.exportMark = false;
    state_.changed = false;
    setProjectPath(*chosen);
    if (checkResultForView()) hooks_.showLayouts();
}

bool BaseModule::saveAsDialog() {
    auto chosen = dialogs_.saveFile(FileDialogRequest{"Save File...", fileFilter(), state_.projectPath});
    if (!chosen || chosen->empty()) return false;
    std::filesystem::path path(*chosen);
    if (!path.has_extension()) path += projectExtension(state_.mode);
    if (!saveProject(path)) return false;
    setProjectPath(path.string());
    state_.changed = false;
    return true;
}

void BaseModule::fileSave() {
    if (state_.projectPath.empty()) {
        saveAsDialog();
        return;
    }
    if (saveProject(state_.projectPath)) state_.changed = false;
}

void BaseModule::fileSaveAs() { saveAsDialog(); }

void BaseModule::fileSaveAsDefaults() {
    const Answer a = prompt_.ask(Message{
        "Current Data in Basic Details and Optimization Options will be saved as DEFAULTS. Do you want to continue?",
        kAttention, Icon::Question, Buttons::YesNo, Answer::No});
    if (a == Answer::No) return;
    saveProject(workspace_.file(kDefaultsFile));
}

bool BaseModule::fileExit() {
    if (confirmSave() == Answer::Cancel) return false;
    try {
        tables_.save();
    } catch (const std::exception& e) {
        reportFailure(e);
    }
    state_.importLock = false;
    state_.projectPath.clear();
    hooks_.baseModuleClosed();
    return true;
}

bool BaseModule::resultExists() const { return !fileEmptyOrMissing(resultFile()); }

bool BaseModule::checkResultForView() {
    if (resultExists()) return true;
    prompt_.tell(kNotOptimizedMessage, kAttention);
    return false;
}

void BaseModule::toggleObjective() {
    optimizeMenuClicked();
    state_.objective.flip();
}

ChangeAnswer BaseModule::confirmJobEdit(int code) {
    ChangeAnswer answer = ChangeAnswer::Refuse;
    try {
        answer = confirmChange(code, resultFile(), prompt_);
    } catch (const std::exception& e) {
        reportFailure(e);
        return ChangeAnswer::Refuse;
    }
    if (answer == ChangeAnswer::GoOnDiscarded) {
        hooks_.closeResultWindows();
        state_.continuationIteration = 0;
    }
    if (code >= 32 || code == kBackspace) hooks_.restoreFocus();
    return answer;
}

}  // namespace veltrix
