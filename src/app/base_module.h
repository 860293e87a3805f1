#pragma once
// The base module: the job being edited, with the File menu's commands (New, Open, Save, Save As,
// Save As Defaults, Exit), the save question, and the checks of the View menu. Windows only wire
// their controls to these operations.

#include <filesystem>
#include <string>

#include "app/app_state.h"
#include "job/job_tables.h"
#include "table/editing.h"
#include "table/workspace.h"

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
    // The job tables were reloaded from their files: the grids show them again.
    virtual void tablesReloaded() {}
    // The base module's caption changed.
    virtual void captionChanged(const std::string&) {}
    // Give the focus back to the control that had it before a question.
    virtual void restoreFocus() {}
    // The base module closed: show the launcher again.
    virtual void baseModuleClosed() {}
};

inline constexpr const char* kNotOptimizedMessage = "This file was not optimized.";

class BaseModule {
public:
    BaseModule(Workspace workspace, StockMode mode, Prompt& prompt, FileDialogs& dialogs, FrameHooks& hooks);

    const Workspace& workspace() const { return workspace_; }
    AppState& state() { return state_; }
    const AppState& state() const { return state_; }
    JobTables& tables() { return tables_; }
    const JobTables& tables() const { return tables_; }

    // Opening from the launcher: the Defaults file when it exists, import lock and changed flag
    // cleared, the mode caption.
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

    // Replaces the job's table files with the project's sections and reloads the grids.
    // Returns false (after telling the user) when the file cannot be read.
    bool openProject(const std::filesystem::path& path);
    // Writes the grids to their files and the five files into the project file (atomically).
    // Returns false (after telling the user) when it could not be written; the old file is kept.
    bool saveProject(const std::filesystem::path& path);

    // True when dia.tlf holds a result.
    bool resultExists() const;
    // A View menu item: true when a result exists; otherwise tells "This file was not optimized.".
    bool checkResultForView();

    // Optimize menu: any click sets the changed flag; the objective items flip both check marks.
    void optimizeMenuClicked() { state_.changed = true; }
    void toggleObjective();

    // The change confirmation before an edit of a job grid; on a discarded result also closes the
    // result windows and resets the run's continuation.
    ChangeAnswer confirmJobEdit(int code);

    // The dialog filter of the File menu's dialogs.
    std::string fileFilter() const;

    std::filesystem::path resultFile() const { return workspace_.file(kResultFile); }
    Prompt& prompt() { return prompt_; }
    FileDialogs& dialogs() { return dialogs_; }
    // What the window layer does for the commands (closing result windows, showing layouts).
    FrameHooks& hooks() { return hooks_; }

private:
    void setProjectPath(std::string path);
    bool saveAsDialog();
    void writeOptionsFile();
    void readOptionsFile();
    bool reportFailure(const std::exception& e);

    Workspace workspace_;
    AppState state_;
    JobTables tables_;
    Prompt& prompt_;
    FileDialogs& dialogs_;
    FrameHooks& hooks_;
};

}  // namespace veltrix
