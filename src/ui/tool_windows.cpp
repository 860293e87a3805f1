#include "ui/tool_windows.h"

#include <cstdlib>
#include <filesystem>

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/cell_typing.h"
#include "platform/event_pump.h"
#include "platform/prompt.h"
#include "table/columns.h"
#include "tools/backup.h"
#include "tools/unit_conversion.h"
#include "ui/base_window.h"
#include "ui/grid_view.h"
#include "ui/help_key.h"
#include "ui/job_windows.h"
#include "ui/services.h"

namespace veltrix::ui {

namespace {

QComboBox* unitList(QWidget* parent, const char* name, int selected) {
    auto* list = new QComboBox(parent);
    list->setObjectName(QString::fromLatin1(name));
    for (const char* unit : tools::kUnits) list->addItem(QString::fromLatin1(unit));
    list->setCurrentIndex(selected);
    return list;
}

// Types the text into a grid window's cell with the keys a user would press: Delete, then each
// character, each through the window's own key handling.
void typeAsKeys(GridWindow& window, int row, int column, const std::string& text) {
    window.setCurrentCell(row, column);
    QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
    QCoreApplication::sendEvent(window.view(), &del);
    for (char c : text) {
        QKeyEvent key(QEvent::KeyPress, static_cast<unsigned char>(c), Qt::NoModifier, QString(QLatin1Char(c)));
        QCoreApplication::sendEvent(window.view(), &key);
    }
}

}  // namespace

UnitConversionWindow::UnitConversionWindow(const Services& services, QWidget* parent,
                                           std::function<void(const std::string&)> paste, const QString& input)
    : QDialog(parent), services_(services), paste_(std::move(paste)) {
    setObjectName(QStringLiteral("unitConversionWindow"));
    setWindowTitle(QStringLiteral("Unit Conversion Tool"));
    setAttribute(Qt::WA_DeleteOnClose);
    const tools::UnitPair pair = tools::readUnitPair(services.workspace);

    auto* inputFrame = new QGroupBox(QStringLiteral("INPUT"), this);
    input_ = new QLineEdit(inputFrame);
    input_->setObjectName(QStringLiteral("input"));
    inputUnit_ = unitList(inputFrame, "inputUnit", pair.input);
    auto* inputRow = new QHBoxLayout(inputFrame);
    inputRow->addWidget(input_, 1);
    inputRow->addWidget(inputUnit_);

    auto* outputFrame = new QGroupBox(QStringLiteral("OUTPUT"), this);
    result_ = new QLineEdit(outputFrame);
    result_->setObjectName(QStringLiteral("result"));
    result_->setReadOnly(true);
    result_->setFocusPolicy(Qt::NoFocus);
    outputUnit_ = unitList(outputFrame, "outputUnit", pair.output);
    auto* outputRow = new QHBoxLayout(outputFrame);
    outputRow->addWidget(result_, 1);
    outputRow->addWidget(outputUnit_);

    button_ = new QPushButton(paste_ ? QStringLiteral("Paste") : QStringLiteral("Close"), this);
    button_->setObjectName(QStringLiteral("pasteOrCloseButton"));
    button_->setAutoDefault(false);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(inputFrame, 1);
    layout->addWidget(new QLabel(QStringLiteral(" ="), this));
    layout->addWidget(outputFrame, 1);
    layout->addWidget(button_, 0, Qt::AlignBottom);

    connect(input_, &QLineEdit::textChanged, this, [this] { convert(); });
    connect(inputUnit_, &QComboBox::activated, this, [this] { convert(); });
    connect(outputUnit_, &QComboBox::activated, this, [this] { convert(); });
    connect(button_, &QPushButton::clicked, this, [this] { press(); });
    addHelpKey(*this, services);
    input_->setText(input);
    convert();
    input_->setFocus();
}

UnitConversionWindow::~UnitConversionWindow() = default;

void UnitConversionWindow::convert() {
    if (const auto text = tools::conversionText(input_->text().toStdString(), inputUnit_->currentIndex(),
                                                outputUnit_->currentIndex()))
        result_->setText(QString::fromStdString(*text));
}

void UnitConversionWindow::press() {
    if (closing_) return;
    closing_ = true;
    try {
        tools::writeUnitPair(services_.workspace, tools::UnitPair{inputUnit_->currentIndex(), outputUnit_->currentIndex()});
    } catch (const std::exception&) {
        // The units used last are a convenience; the conversion itself goes on.
    }
    const std::string text = result_->text().toStdString();
    auto paste = paste_;
    close();
    if (paste && !text.empty()) paste(text);
}

void UnitConversionWindow::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() != QEvent::ActivationChange) return;
    if (isActiveWindow()) {
        wasActive_ = true;
    } else if (wasActive_ && !closing_) {
        // Another window took the focus: the tool closes, typing nothing.
        closing_ = true;
        close();
    }
}

void UnitConversionWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) return;  // no default button
    QDialog::keyPressEvent(event);
}

UnitConversionWindow* openUnitConversion(BaseWindow& base) {
    const Services& services = base.services();
    QMdiSubWindow* sub = base.mdiArea()->activeSubWindow();
    auto* grid = sub ? qobject_cast<GridWindow*>(sub->widget()) : nullptr;
    if (grid && grid->focusWidget() == grid->view()) {
        const int row = grid->currentRow();
        const int column = grid->currentColumn();
        const GridTable& table = grid->table();
        if (row >= 1 && row < table.rowCount() && column >= 1 && column < table.columnCount() &&
            lookupColumn(table.key(column)).kind == ValueKind::Real) {
            QPointer<GridWindow> target(grid);
            BaseModule* module = &base.module();
            auto paste = [target, module, row, column](const std::string& text) {
                if (!target) return;
                if (auto* job = qobject_cast<JobGridWindow*>(target.data())) {
                    // Job grids: the Delete key asks the change confirmation once; refused, nothing
                    // is typed.
                    typeTextIntoJobCell(*module, job->grid(), row, column, text);
                    job->reload();
                    job->setCurrentCell(row, column);
                } else {
                    typeAsKeys(*target, row, column, text);
                }
                target->view()->setFocus();
            };
            auto* window =
                new UnitConversionWindow(services, &base, paste, QString::fromStdString(table.cell(row, column)));
            window->show();
            return window;
        }
    }
    auto* window = new UnitConversionWindow(services, &base);
    window->show();
    return window;
}

std::vector<std::string> mountedDrives() {
    namespace fs = std::filesystem;
    std::vector<std::string> drives;
    const char* user = std::getenv("USER");
    std::vector<fs::path> roots;
    if (user && *user) {
        roots.push_back(fs::path("/media") / user);
        roots.push_back(fs::path("/run/media") / user);
    }
    roots.push_back("/mnt");
    for (const fs::path& root : roots) {
        std::error_code ec;
        for (fs::directory_iterator it(root, ec); !ec && it != fs::directory_iterator(); it.increment(ec)) {
            std::error_code typeError;
            if (it->is_directory(typeError)) drives.push_back(it->path().string());
        }
    }
    return drives;
}

BackupWindow::BackupWindow(const Services& services, QWidget* parent) : QDialog(parent), services_(services) {
    setObjectName(QStringLiteral("backupWindow"));
    setWindowTitle(QStringLiteral("Backup"));
    chooser_ = [this]() -> std::optional<std::string> {
        const QString folder = QFileDialog::getExistingDirectory(this, QStringLiteral("Backup to"), drive_->currentText());
        if (folder.isEmpty()) return std::nullopt;
        return folder.toStdString();
    };

    drive_ = new QComboBox(this);
    drive_->setObjectName(QStringLiteral("targetFolder"));
    drive_->setEditable(true);
    drive_->setInsertPolicy(QComboBox::NoInsert);
    for (const std::string& d : mountedDrives()) drive_->addItem(QString::fromStdString(d));
    drive_->setMinimumContentsLength(30);
    browse_ = new QPushButton(QStringLiteral("Browse..."), this);
    browse_->setObjectName(QStringLiteral("browseButton"));
    target_ = new QLabel(this);
    target_->setObjectName(QStringLiteral("backupFolder"));
    start_ = new QPushButton(QStringLiteral("Start Backup"), this);
    start_->setObjectName(QStringLiteral("startButton"));
    files_ = new QListWidget(this);
    files_->setObjectName(QStringLiteral("files"));
    copying_ = new QLabel(QStringLiteral("Copying File..."), this);
    copying_->setObjectName(QStringLiteral("copying"));
    progressLabel_ = new QLabel(QStringLiteral("Progress"), this);
    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("progressBar"));
    for (QWidget* w : {static_cast<QWidget*>(copying_), static_cast<QWidget*>(progressLabel_),
                       static_cast<QWidget*>(progress_)})
        w->hide();

    auto* driveRow = new QHBoxLayout;
    driveRow->addWidget(new QLabel(QStringLiteral("Backup to"), this));
    driveRow->addWidget(drive_, 1);
    driveRow->addWidget(browse_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(driveRow);
    layout->addWidget(target_);
    auto* note = new QLabel(
        QStringLiteral("Veltrix Suite files will be copied to \\OPTDATA directory on the selected drive"), this);
    note->setWordWrap(true);
    layout->addWidget(note);
    layout->addWidget(start_, 0, Qt::AlignLeft);
    layout->addWidget(files_, 1);
    layout->addWidget(copying_);
    layout->addWidget(progressLabel_);
    layout->addWidget(progress_);

    auto showTarget = [this] {
        const QString chosen = drive_->currentText().trimmed();
        target_->setText(chosen.isEmpty() ? QString()
                                          : QString::fromStdString(
                                                tools::backupTarget(chosen.toStdString()).string()));
        start_->setEnabled(!chosen.isEmpty());
    };
    connect(drive_, &QComboBox::currentTextChanged, this, showTarget);
    connect(browse_, &QPushButton::clicked, this, [this] { browse(); });
    connect(start_, &QPushButton::clicked, this, [this] { startBackup(); });
    addHelpKey(*this, services, HelpTopic::Files);
    showTarget();
    listFiles();
    resize(520, 420);
}

BackupWindow::~BackupWindow() = default;

void BackupWindow::listFiles() {
    files_->clear();
    for (const std::string& name : tools::backupFiles(services_.workspace.folder()))
        files_->addItem(QString::fromStdString(name));
}

void BackupWindow::browse() {
    if (!chooser_) return;
    if (const auto folder = chooser_()) drive_->setEditText(QString::fromStdString(*folder));
}

void BackupWindow::startBackup() {
    const QString chosen = drive_->currentText().trimmed();
    if (chosen.isEmpty()) return;
    listFiles();
    if (files_->count() == 0) {
        services_.prompt.tell(tools::kNoFilesMessage, {}, Icon::Exclamation);
        return;
    }
    files_->hide();
    copying_->show();
    progressLabel_->show();
    progress_->show();
    progress_->setRange(0, files_->count());
    progress_->setValue(0);
    start_->setEnabled(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const tools::BackupResult result =
        tools::runBackup(services_.workspace.folder(), chosen.toStdString(), [this](int done, int total) {
            progress_->setMaximum(total);
            progress_->setValue(done);
            if (done < files_->count()) copying_->setText(QStringLiteral("Copying File... ") + files_->item(done)->text());
            services_.events.processEvents();
        });
    QApplication::restoreOverrideCursor();
    switch (result.status) {
        case tools::BackupStatus::Completed:
            services_.prompt.tell(result.message(), {}, Icon::Information);
            accept();
            return;
        case tools::BackupStatus::Failed:
            services_.prompt.tell(result.message() + "\n\n" + result.failure(), {}, Icon::Critical);
            break;
        case tools::BackupStatus::NoFiles:
        case tools::BackupStatus::Refused: services_.prompt.tell(result.message(), {}, Icon::Exclamation); break;
    }
    // The window stays for another try.
    copying_->hide();
    progressLabel_->hide();
    progress_->hide();
    copying_->setText(QStringLiteral("Copying File..."));
    files_->show();
    start_->setEnabled(true);
}

}  // namespace veltrix::ui
