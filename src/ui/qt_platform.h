#pragma once
// The platform interfaces on Qt: QMessageBox, QFileDialog and QPrintDialog, QClipboard, the event
// loop, and a help window showing the working folder's help file.

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include <QString>

#include "platform/clipboard.h"
#include "platform/event_pump.h"
#include "platform/file_dialogs.h"
#include "platform/prompt.h"
#include "platform/shell.h"
#include "ui/services.h"

class QPrinter;
class QWidget;

namespace veltrix::ui {

class HelpWindow;

// A filter in the form "description|pattern|description|pattern|" as a Qt name filter list
// ("description (patterns);;..."). Patterns separated by ";" become blank-separated, and each
// pattern is offered in upper and lower case, so "*.DXF" also finds "part.dxf" on a system whose
// file names are case-sensitive.
QString qtNameFilters(const std::string& filter);

// A print job on the printer as set up (a real printer, or a PDF file when the user chose to
// print to a file). Throws FileError when the printer cannot be started.
std::unique_ptr<PrintJob> printerJob(QPrinter& printer);

// The title of a message: the application title when the message gives none.
QString messageTitle(const std::string& title);

class QtPrompt : public Prompt {
public:
    Answer ask(const Message& message) override;
};

class QtFileDialogs : public FileDialogs {
public:
    // The dialogs open in `startFolder` (the working folder) until a file elsewhere was chosen.
    explicit QtFileDialogs(const std::filesystem::path& startFolder = {});
    ~QtFileDialogs() override;
    std::optional<std::string> openFile(const FileDialogRequest& request) override;
    std::optional<std::string> saveFile(const FileDialogRequest& request) override;
    // The printer dialog, all pages or the selection preselected. It offers the PDF file printed to
    // last (remembered between runs of the program), else proposes print.pdf in the folder the
    // dialogs work in; a file name without a folder is taken in that folder.
    std::optional<PrintRange> print(bool selectionPreselected) override;
    // The printer as the last printer dialog set it up.
    QPrinter& printer();

private:
    std::unique_ptr<QPrinter> printer_;
    QString lastFolder_;
    bool pdfRemembered_ = false;  // the remembered PDF file was given to the printer
};

class QtClipboard : public Clipboard {
public:
    std::string text() const override;
    void setText(const std::string& text) override;
};

class QtEventPump : public EventPump {
public:
    void processEvents() override;
};

// Help is a window of the program showing the text of the help file at a topic; other files
// open with their associated program.
class QtShell : public Shell {
public:
    QtShell();
    ~QtShell() override;
    bool openFile(const std::filesystem::path& path) override;
    void showHelp(const std::filesystem::path& helpFile, int topic) override;

private:
    std::unique_ptr<HelpWindow> help_;
};

}  // namespace veltrix::ui
