#include "ui/launcher_window.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "app/launcher.h"
#include "platform/prompt.h"
#include "ui/base_window.h"
#include "ui/help_key.h"
#include "ui/icons.h"
#include "ui/library_windows.h"
#include "ui/settings_windows.h"
#include "ui/tool_windows.h"

namespace veltrix::ui {

LauncherWindow::LauncherWindow(const Services& services, QWidget* parent) : QWidget(parent), services_(services) {
    setObjectName(QStringLiteral("launcher"));
    setWindowTitle(QString::fromLatin1(kApplicationTitle));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(35, 53, 101));
    setPalette(p);

    auto* title = new QLabel(QString::fromLatin1(kApplicationTitle), this);
    QFont big = title->font();
    big.setPointSize(28);
    big.setBold(true);
    title->setFont(big);
    title->setStyleSheet(QStringLiteral("color: white;"));
    title->setAlignment(Qt::AlignCenter);
    auto* logo = new QLabel(this);
    logo->setObjectName(QStringLiteral("logo"));
    logo->setPixmap(applicationIcon().pixmap(96, 96));
    logo->setAlignment(Qt::AlignCenter);
    auto* subtitle = new QLabel(QStringLiteral("( Rectangular Nesting Software )"), this);
    subtitle->setObjectName(QStringLiteral("subtitle"));
    subtitle->setStyleSheet(QStringLiteral("color: white;"));
    subtitle->setAlignment(Qt::AlignCenter);

    auto* buttons = new QGridLayout;
    int index = 0;
    auto add = [&](const char* name, const QString& caption, const QString& tip, auto action) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setToolTip(tip);
        b->setMinimumSize(170, 44);
        buttons->addWidget(b, index / 2, index % 2);
        ++index;
        connect(b, &QPushButton::clicked, this, action);
    };
    add("baseModuleButton", QStringLiteral("Base Module"), QStringLiteral("Base Module"),
        [this] { openBaseModule(StockMode::Sheet); });
    add("coilModuleButton", QStringLiteral("D C M"), QStringLiteral("RiRiza Manager"), [this] { openBaseModule(StockMode::Coil); });
    add("materialLibraryButton", QStringLiteral("M L M"), QStringLiteral("Material Library Manager"), [this] {
        MaterialLibraryWindow w(services_, nullptr, this);
        w.exec();
    });
    add("productLibraryButton", QStringLiteral("P L M"), QStringLiteral("Product Library Manager"), [this] {
        ProductLibraryWindow w(services_, this);
        w.exec();
    });
    add("loadProductsButton", QStringLiteral("Load Products"), QStringLiteral("Load Products"), [this] {
        if (!productsAvailable(services_.workspace, services_.prompt)) return;
        LoadProductsWindow w(services_, this);
        w.exec();
    });
    add("configureButton", QStringLiteral("Configure"), QStringLiteral("Modify Settings"), [this] {
        ConfigureWindow w(services_, nullptr, this);
        w.exec();
    });
    add("backupButton", QStringLiteral("Backup"), QStringLiteral("Backup"), [this] {
        BackupWindow w(services_, this);
        w.exec();
    });
    add("exitButton", QStringLiteral("Exit"), QStringLiteral("Close Veltrix Suite"), [this] { exitProgram(); });
    addHelpKey(*this, services_);
    // Each button shows what it opens.
    const std::pair<const char*, const char*> buttonIcons[] = {
        {"baseModuleButton", "veltrix-sheets"},
        {"coilModuleButton", "veltrix-coils"},
        {"materialLibraryButton", "x-office-spreadsheet"},
        {"productLibraryButton", "veltrix-cut-pieces"},
        {"loadProductsButton", "document-open"},
        {"configureButton", "preferences-system"},
        {"backupButton", "drive-harddisk"},
        {"exitButton", "application-exit"}};
    for (const auto& [name, icon] : buttonIcons) {
        button(name)->setIcon(commandIcon(QString::fromLatin1(icon)));
        button(name)->setIconSize(QSize(24, 24));
    }

    auto* layout = new QVBoxLayout(this);
    layout->addStretch(2);
    layout->addWidget(logo);
    layout->addWidget(title);
    layout->addWidget(subtitle);
    layout->addSpacing(30);
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addLayout(buttons);
    row->addStretch(1);
    layout->addLayout(row);
    layout->addStretch(3);

    // The launcher fills the screen's work area, also after the display changes.
    auto fill = [this] {
        if (QScreen* screen = this->screen()) setGeometry(screen->availableGeometry());
    };
    fill();
    if (QScreen* screen = this->screen()) connect(screen, &QScreen::availableGeometryChanged, this, fill);
}

LauncherWindow::~LauncherWindow() {
    // The base module is a window of its own; it ends with the program.
    delete base_.data();
}

BaseWindow* LauncherWindow::baseWindow() const { return base_.data(); }

QPushButton* LauncherWindow::button(const char* name) const {
    return findChild<QPushButton*>(QString::fromLatin1(name));
}

BaseWindow* LauncherWindow::openBaseModule(StockMode mode) {
    if (base_) {
        base_->raise();
        base_->activateWindow();
        return base_;
    }
    base_ = new BaseWindow(services_, mode, this);
    base_->start();
    return base_;
}

void LauncherWindow::exitProgram() {
    deleteScratchFiles(services_.workspace);
    emit exitRequested();
    close();
}


}  // namespace veltrix::ui
