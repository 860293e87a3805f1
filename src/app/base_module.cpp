#include "app/base_module.h"

#include "job/options.h"
#include "job/project_file.h"
#include "platform/file_dialogs.h"
#include "platform/prompt.h"
#include "base/error.h"
#include "base/file_ops.h"

namespace veltrix {

BaseModule::BaseModule(Workspace workspace, StockMode mode, Prompt& prompt, FileDialogs& dialogs, FrameHooks& hooks)
    : workspace_(std::move(workspace)), prompt_(prompt), dialogs_(dialogs), hooks_(hooks) {
    doc_.mode = mode;
    applySheetVisibility(doc_.tables.sheets, mode);
}

void BaseModule::start() {
    startNewJob();
    state_.importLock = false;
    state_.exportMark = false;
    doc_.changed = false;
    hooks_.captionChanged(baseCaption(doc_.mode, doc_.path));
}

std::string BaseModule::fileFilter() const {
    const std::string ext = projectExtension(doc_.mode);
    return std::string(kApplicationTitle) + " - " + modeCaption(doc_.mode) + " (*" + ext + ")|*" + ext;
}

bool BaseModule::reportFailure(const std::exception& e) {
    prompt_.tell(e.what(), kAttention, Icon::Exclamation);
    return false;
}

void BaseModule::replaceDocument(Document doc) {
    hooks_.closeResultWindows();
    doc_ = std::move(doc);
    history_.clear();
    hooks_.tablesReloaded();
}

void BaseModule::startNewJob() {
    const Objective objective = doc_.objective;
    Document doc;
    doc.mode = doc_.mode;
    doc.objective = objective;
    const auto defaults = workspace_.file(kDefaultsFile);
    if (fileExists(defaults)) {
        try {
            const Project project = readProjectFile(defaults);
            // A new job takes the basic details and the objective of Defaults, nothing else.
            Project start;
            start[kBasicSection] = project[kBasicSection];
            start[kOptionsSection] = project[kOptionsSection];
            doc = documentOfProject(start, doc_.mode);
            if (project[kOptionsSection].empty()) doc.objective = objective;
            doc.stored = Project{};
        } catch (const std::exception& e) {
            reportFailure(e);
        }
    }
    applySheetVisibility(doc.tables.sheets, doc.mode);
    replaceDocument(std::move(doc));
}

bool BaseModule::openProject(const std::filesystem::path& path) {
    Project project;
    try {
        project = readProjectFile(path);
    } catch (const std::exception& e) {
        return reportFailure(e);
    }
    Document doc = documentOfProject(project, doc_.mode);
    // Without an objective in the file the check marks stay as they are.
    if (project[kOptionsSection].empty()) doc.objective = doc_.objective;
    doc.path = path;
    replaceDocument(std::move(doc));
    return true;
}

bool BaseModule::saveProject(const std::filesystem::path& path) {
    try {
        if (path.filename() == kDefaultsFile) {
            // Defaults carry only the basic details and the objective.
            Document defaults;
            defaults.mode = doc_.mode;
            defaults.objective = doc_.objective;
            defaults.tables.basic = doc_.tables.basic;
            writeDocument(defaults, path);
        } else {
            writeDocument(doc_, path);
        }
    } catch (const std::exception& e) {
        return reportFailure(e);
    }
    return true;
}

void BaseModule::setProjectPath(std::filesystem::path path) {
    doc_.path = std::move(path);
    hooks_.captionChanged(baseCaption(doc_.mode, doc_.path));
}

Answer BaseModule::confirmSave() {
    if (!doc_.changed) return Answer::No;
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
    // Without Defaults, New keeps what the grids show and only forgets the file's name.
    if (fileExists(workspace_.file(kDefaultsFile))) startNewJob();
    state_.importLock = false;
    state_.exportMark = false;
    state_.continuationIteration = 0;
    doc_.changed = false;
    setProjectPath({});
}

void BaseModule::fileOpen() {
    if (confirmSave() == Answer::Cancel) return;
    const auto chosen = dialogs_.openFile(FileDialogRequest{"Open File...", fileFilter(), {}});
    if (!chosen || chosen->empty()) return;
    if (!openProject(*chosen)) return;
    state_.continuationIteration = 0;
    state_.importLock = false;
    state_.exportMark = false;
    doc_.changed = false;
    setProjectPath(*chosen);
    if (checkResultForView()) hooks_.showLayouts();
}

bool BaseModule::saveAsDialog() {
    auto chosen = dialogs_.saveFile(FileDialogRequest{"Save File...", fileFilter(), projectPath()});
    if (!chosen || chosen->empty()) return false;
    std::filesystem::path path(*chosen);
    if (!path.has_extension()) path += projectExtension(doc_.mode);
    if (!saveProject(path)) return false;
    setProjectPath(path);
    doc_.changed = false;
    return true;
}

void BaseModule::fileSave() {
    if (doc_.path.empty()) {
        saveAsDialog();
        return;
    }
    if (saveProject(doc_.path)) doc_.changed = false;
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
    state_.importLock = false;
    doc_.path.clear();
    hooks_.baseModuleClosed();
    return true;
}

void BaseModule::setPlan(Plan plan) {
    doc_.plan = std::move(plan);
    history_.clear();
}

bool BaseModule::checkResultForView() {
    if (resultExists()) return true;
    prompt_.tell(reports::kNotOptimizedMessage, kAttention);
    return false;
}

void BaseModule::toggleObjective() {
    optimizeMenuClicked();
    doc_.objective.flip();
}

ChangeAnswer BaseModule::confirmJobEdit(int code) {
    if (code < 32 && code != kBackspace) return ChangeAnswer::Refuse;
    if (!resultExists()) return ChangeAnswer::GoOn;
    const Answer a = prompt_.ask(Message{kChangeQuestion, kAttention, Icon::Question, Buttons::YesNo, Answer::Yes});
    hooks_.restoreFocus();
    if (a != Answer::Yes) return ChangeAnswer::Refuse;
    hooks_.closeResultWindows();
    setPlan({});
    state_.continuationIteration = 0;
    return ChangeAnswer::GoOnDiscarded;
}

}  // namespace veltrix
