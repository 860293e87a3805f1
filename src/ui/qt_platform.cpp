#include "ui/qt_platform.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QSettings>
#include <QStringList>
#include <QUrl>

#include "render/documents.h"
#include "ui/help_window.h"

namespace veltrix::ui {

namespace {

// Where the desktop's own settings remember the PDF file printed to last (empty after printing on
// a printer).
constexpr const char* kLastPdfKey = "print/lastPdfFile";

QStringList splitBars(const std::string& filter) {
    QStringList parts = QString::fromStdString(filter).split(QLatin1Char('|'));
    while (!parts.isEmpty() && parts.back().trimmed().isEmpty()) parts.removeLast();
    return parts;
}

// "*.GIF;*.JPG" -> "*.GIF *.gif *.JPG *.jpg"
QString patternsOf(const QString& patterns) {
    QStringList out;
    for (const QString& p : patterns.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString t = p.trimmed();
        if (t.isEmpty()) continue;
        for (const QString& v : {t, t.toUpper(), t.toLower()})
            if (!out.contains(v)) out << v;
    }
    return out.join(QLatin1Char(' '));
}

// The first pattern's extension without its point ("*.opt" -> "opt"), for the save dialog.
QString defaultSuffix(const std::string& filter) {
    const QStringList parts = splitBars(filter);
    if (parts.size() < 2) return {};
    const QString first = parts[1].split(QLatin1Char(';')).value(0).trimmed();
    const QString suffix = first.mid(2);
    if (!first.startsWith(QLatin1String("*.")) || suffix.isEmpty() || suffix.contains(QLatin1Char('*')) ||
        suffix.contains(QLatin1Char('?')))
        return {};
    return suffix.toLower();
}

QMessageBox::StandardButton buttonOf(Answer a) {
    switch (a) {
        case Answer::Yes: return QMessageBox::Yes;
        case Answer::No: return QMessageBox::No;
        case Answer::Cancel: return QMessageBox::Cancel;
        case Answer::Ok: break;
    }
    return QMessageBox::Ok;
}

// The folder the dialog opens in: the initial file's, else the folder last used.
QString startFolder(const std::string& initialPath, const QString& lastFolder) {
    if (!initialPath.empty()) {
        const QFileInfo info(QString::fromStdString(initialPath));
        if (info.isAbsolute() && info.dir().exists()) return info.absolutePath();
    }
    return lastFolder;
}

class PrinterJob : public PrintJob {
public:
    explicit PrinterJob(QPrinter& printer) : document_(printer) {}
    Surface& surface() override { return document_.surface(); }
    void finish() override { document_.finish(); }

private:
    render::PrinterDocument document_;
};

}  // namespace

std::unique_ptr<PrintJob> printerJob(QPrinter& printer) { return std::make_unique<PrinterJob>(printer); }

QString qtNameFilters(const std::string& filter) {
    const QStringList parts = splitBars(filter);
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i].trimmed();
        const QString patterns = patternsOf(parts[i + 1]);
        // A description that already ends with its patterns in parentheses shows them once.
        if (description.endsWith(QLatin1Char(')'))) {
            const qsizetype open = description.lastIndexOf(QLatin1Char('('));
            if (open > 0) description = description.left(open).trimmed();
        }
        // Qt takes the patterns from the parentheses at the end of the description.
        filters << description + QLatin1String(" (") + patterns + QLatin1Char(')');
    }
    if (parts.size() % 2 == 1 && !parts.back().trimmed().isEmpty()) filters << patternsOf(parts.back());
    return filters.join(QLatin1String(";;"));
}

QString messageTitle(const std::string& title) {
    return QString::fromStdString(title.empty() ? std::string(kApplicationTitle) : title);
}

Answer QtPrompt::ask(const Message& message) {
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(messageTitle(message.title));
    box.setText(QString::fromStdString(message.text));
    switch (message.icon) {
        case Icon::Information: box.setIcon(QMessageBox::Information); break;
        case Icon::Question: box.setIcon(QMessageBox::Question); break;
        case Icon::Exclamation: box.setIcon(QMessageBox::Warning); break;
        case Icon::Critical: box.setIcon(QMessageBox::Critical); break;
        case Icon::None: break;
    }
    switch (message.buttons) {
        case Buttons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
        case Buttons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
        case Buttons::YesNoCancel:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            break;
    }
    if (message.buttons != Buttons::Ok) {
        const Answer preselected = message.defaultAnswer == Answer::Ok ? Answer::Yes : message.defaultAnswer;
        box.setDefaultButton(buttonOf(preselected));
        // Closing the box with Esc or the title bar answers the safe way.
        box.setEscapeButton(message.buttons == Buttons::YesNoCancel ? QMessageBox::Cancel : QMessageBox::No);
    }
    switch (box.exec()) {
        case QMessageBox::Yes: return Answer::Yes;
        case QMessageBox::No: return Answer::No;
        case QMessageBox::Cancel: return Answer::Cancel;
        default: break;
    }
    if (message.buttons == Buttons::YesNo) return Answer::No;
    if (message.buttons == Buttons::YesNoCancel) return Answer::Cancel;
    return Answer::Ok;
}

QtFileDialogs::QtFileDialogs(const std::filesystem::path& startFolder)
    : printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)),
      lastFolder_(QString::fromStdString(startFolder.string())) {}
QtFileDialogs::~QtFileDialogs() = default;

std::optional<std::string> QtFileDialogs::openFile(const FileDialogRequest& request) {
    QFileDialog dialog(QApplication::activeWindow(), QString::fromStdString(request.title),
                       startFolder(request.initialPath, lastFolder_), qtNameFilters(request.filter));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    lastFolder_ = QFileInfo(dialog.selectedFiles().front()).absolutePath();
    return dialog.selectedFiles().front().toStdString();
}

std::optional<std::string> QtFileDialogs::saveFile(const FileDialogRequest& request) {
    QFileDialog dialog(QApplication::activeWindow(), QString::fromStdString(request.title),
                       startFolder(request.initialPath, lastFolder_), qtNameFilters(request.filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    const QString suffix = defaultSuffix(request.filter);
    if (!suffix.isEmpty()) dialog.setDefaultSuffix(suffix);
    if (!request.initialPath.empty()) dialog.selectFile(QString::fromStdString(request.initialPath));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    lastFolder_ = QFileInfo(dialog.selectedFiles().front()).absolutePath();
    return dialog.selectedFiles().front().toStdString();
}

std::optional<PrintRange> QtFileDialogs::print(bool selectionPreselected) {
    // The PDF file printed to last, in this run or an earlier one, is offered again.
    QSettings remembered(QStringLiteral("veltrix-suite"), QStringLiteral("veltrix-suite"));
    if (!pdfRemembered_) {
        pdfRemembered_ = true;
        const QString last = remembered.value(QLatin1String(kLastPdfKey)).toString();
        if (!last.isEmpty() && QFileInfo(last).absoluteDir().exists()) {
            printer_->setOutputFormat(QPrinter::PdfFormat);
            printer_->setOutputFileName(last);
        }
    }
    QPrintDialog dialog(printer_.get(), QApplication::activeWindow());
    // The windows print everything or the selection (the current layout, the selected rows).
    dialog.setOption(QAbstractPrintDialog::PrintSelection, true);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setPrintRange(selectionPreselected ? QAbstractPrintDialog::Selection : QAbstractPrintDialog::AllPages);
    // Qt proposes a PDF file in the folder the program was started from (or the home folder); the
    // folder the dialogs work in is the one the user expects.
    const QString folder = lastFolder_.isEmpty() ? QDir::currentPath() : lastFolder_;
    if (auto* file = dialog.findChild<QLineEdit*>(QStringLiteral("filename"))) {
        if (printer_->outputFileName().isEmpty()) file->setText(QDir(folder).absoluteFilePath(QStringLiteral("print.pdf")));
        // A name typed without a folder is taken in that folder (Qt would take the home folder).
        QObject::connect(file, &QLineEdit::editingFinished, file, [file, folder] {
            const QString typed = file->text().trimmed();
            if (!typed.isEmpty() && QFileInfo(typed).isRelative() && !typed.startsWith(QLatin1Char('~')))
                file->setText(QDir(folder).absoluteFilePath(typed));
        });
    }
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    // A file name typed without a folder goes to that folder too.
    const QString file = printer_->outputFileName();
    if (!file.isEmpty() && QFileInfo(file).isRelative()) printer_->setOutputFileName(QDir(folder).absoluteFilePath(file));
    remembered.setValue(QLatin1String(kLastPdfKey), printer_->outputFileName());
    return dialog.printRange() == QAbstractPrintDialog::AllPages ? PrintRange::All : PrintRange::Selection;
}

QPrinter& QtFileDialogs::printer() { return *printer_; }

std::string QtClipboard::text() const { return QGuiApplication::clipboard()->text().toStdString(); }

void QtClipboard::setText(const std::string& text) {
    QGuiApplication::clipboard()->clear();
    QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}

void QtEventPump::processEvents() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

QtShell::QtShell() = default;
QtShell::~QtShell() = default;

bool QtShell::openFile(const std::filesystem::path& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path.string())));
}

void QtShell::showHelp(const std::filesystem::path& helpFile, int topic) {
    if (!help_) help_ = std::make_unique<HelpWindow>();
    help_->showFile(helpFile, topic);
    help_->show();
    help_->raise();
    help_->activateWindow();
}

}  // namespace veltrix::ui
