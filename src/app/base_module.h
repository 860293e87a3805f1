#pragma once
// The base module: the job being edited (a Document held in memory), with the File menu's commands
// (New, Open, Save, Save As, Save As Defaults, Exit), the save question, the change confirmation,
// the checks of the View menu and the history of the plan's hand edits. Windows only wire their
// controls to these operations.

#include <filesystem>
#include <string>

#include "app/app_state.h"
#include "app/plan_history.h"
#include "job/document.h"
#include "reports/report.h"
#include "table/editing.h"
#include "base/workspace.h"

namespace veltrix {

class Prompt;
class FileDialogs;
enum class Answer;

// What the window layer does on behalf of the commands. Every hook has a do-nothing default, so
// the command-line tool and tests can run the commands without windows.
class FrameHooks {
public:
    virtual ~FrameHooks() = default;
    // Close the Layouts, Report and Off-Cut Table windows.
    virtual void closeResultWindows() {}
    // Show the Layouts window (a result exists).
    virtual void showLayouts() {}
    // The job tables were replaced (New, Open): the grids show them again.
    virtual void tablesReloaded() {}
    // The base module's caption changed.
    virtual void captionChanged(const std::string&) {}
    // Give the focus back to the control that had it before a question.
    virtual void restoreFocus() {}
    // The base module closed: show the launcher again.
    virtual void baseModuleClosed() {}
};

inline constexpr const char* kChangeQuestion =
    "You are trying to change data. If you continue, you will need to Optimize again. Continue?";

class BaseModule {
public:
    BaseModule(Workspace workspace, StockMode mode, Prompt& prompt, FileDialogs& dialogs, FrameHooks& hooks);

    const Workspace& workspace() const { return workspace_; }
    AppState& state() { return state_; }
    const AppState& state() const { return state_; }
    Document& document() { return doc_; }
    const Document& document() const { return doc_; }
    JobTables& tables() { return doc_.tables; }
    const JobTables& tables() const { return doc_.tables; }
    StockMode mode() const { return doc_.mode; }
    // Full name of the open project file; empty for a new job.
    std::string projectPath() const { return doc_.path.string(); }
    // The hand edits of the plan, for undo and redo; emptied whenever the plan is replaced.
    PlanHistory& history() { return history_; }

    // Opening from the launcher: the Defaults file when it exists (else an empty job), import lock
    // and changed flag cleared, the mode caption.
    void start();

    // File menu.
    void fileNew();
    void fileOpen();
    void fileSave();
    void fileSaveAs();
    void fileSaveAsDefaults();
    // Exit and closing the window: false when the user cancelled and the module stays open.
    bool fileExit();

    // "Save changes in current file?": No when nothing changed; Yes runs Save As.
    Answer confirmSave();

    // Replaces the job by the project file's and shows it in the grids. Returns false (after
    // telling the user) when the file cannot be read; the job is then as it was.
    bool openProject(const std::filesystem::path& path);
    // Writes the job into the project file (atomically). Returns false (after telling the user)
    // when it could not be written; the old file is kept. "Defaults" take only the basic details
    // and the objective.
    bool saveProject(const std::filesystem::path& path);

    // True when the job has a plan.
    bool resultExists() const { return !doc_.plan.empty(); }
    // A run's plan (or an edit's): the edit history starts over.
    void setPlan(Plan plan);
    // A View menu item: true when a result exists; otherwise tells "This file was not optimized.".
    bool checkResultForView();

    // Optimize menu: any click sets the changed flag; the objective items flip both check marks.
    void optimizeMenuClicked() { doc_.changed = true; }
    void toggleObjective();

    // The change confirmation before an edit of a job grid. `code` is the typed character or key
    // code: a control character other than Backspace is no edit (refused, nothing asked). With a
    // plan, asks whether to discard it; Yes empties the plan, closes the result windows and resets
    // the run's continuation.
    ChangeAnswer confirmJobEdit(int code);

    // The dialog filter of the File menu's dialogs.
    std::string fileFilter() const;

    Prompt& prompt() { return prompt_; }
    FileDialogs& dialogs() { return dialogs_; }
    // What the window layer does for the commands (closing result windows, showing layouts).
    FrameHooks& hooks() { return hooks_; }

private:
    void setProjectPath(std::filesystem::path path);
    bool saveAsDialog();
    // The job of the Defaults file, or an empty one; the check marks stay as they are when the
    // file holds no objective.
    void startNewJob();
    void replaceDocument(Document doc);
    bool reportFailure(const std::exception& e);

    Workspace workspace_;
    AppState state_;
    Document doc_;
    PlanHistory history_;
    Prompt& prompt_;
    FileDialogs& dialogs_;
    FrameHooks& hooks_;
};

}  // namespace veltrix
