// The desktop program as installed: a job named on the command line (a double-click in the file
// manager) opened in the base module of its mode, the example working folder found beside the
// program, pictures on every command that tell the commands apart without an icon theme, the
// About box.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QIcon>
#include <QImage>
#include <QMessageBox>
#include <QPushButton>
#include <QToolBar>

#include "app/base_module.h"
#include "ui/base_window.h"
#include "ui/desktop.h"
#include "ui/grid_window.h"
#include "ui/icons.h"
#include "ui/job_windows.h"
#include "ui/labels_windows.h"
#include "ui/launcher_window.h"
#include "ui/layouts_window.h"
#include "ui_support.h"
#include "veltrix_version.h"

namespace veltrix::ui {
namespace {

namespace fs = std::filesystem;
using test::Harness;

TEST(Start, AProjectFileOnTheCommandLineIsOpenedInTheBaseModuleOfItsMode) {
    veltrix::test::TempFolder bin;
    const StartOptions coil = readStartOptions({"--workdir", "shop", "jobs/roof.DCM"}, bin.path());
    EXPECT_EQ(coil.error, "");
    EXPECT_EQ(coil.project, (fs::current_path() / "jobs/roof.DCM").lexically_normal());
    EXPECT_EQ(coil.folders.commandLine, fs::path("shop"));
    EXPECT_NE(readStartOptions({"notes.txt"}, bin.path()).error.find("notes.txt"), std::string::npos);
    EXPECT_NE(readStartOptions({"a.opt", "b.opt"}, bin.path()).error, "");
    // The example working folder is found where the installation puts it.
    fs::create_directories(bin / "bin");
    fs::create_directories(bin / "share/veltrix-suite/workshop");
    EXPECT_EQ(readStartOptions({}, bin / "bin").folders.templates, bin / "share/veltrix-suite/workshop");

    // The launcher's windows ask their file dialogs through the start dialogs, as in the program.
    Harness h;
    h.copyExample();
    StartFileDialogs dialogs(h.dialogs);
    Services services{h.services.workspace, h.prompt, dialogs, h.shell, h.clipboard, h.events, h.services.startPrintJob};
    LauncherWindow launcher(services);
    launcher.show();
    const fs::path roof = h.dir / "roof.dcm";
    BaseWindow* base = openProjectAtStart(launcher, dialogs, roof);
    ASSERT_NE(base, nullptr);
    EXPECT_EQ(base->module().mode(), StockMode::Coil);
    EXPECT_EQ(base->module().projectPath(), roof.string());
    EXPECT_EQ(base->module().tables().basic.cell(1, 1), "GALV STEEL");
    EXPECT_TRUE(base->windowTitle().startsWith("RiRiza Manager"));
    EXPECT_TRUE(h.dialogs.requests.empty());  // no dialog was shown for it
    // The name answered that one Open: the next File > Open asks the user.
    base->action("actionOpen")->trigger();
    EXPECT_EQ(h.dialogs.requests.size(), 1u);
    EXPECT_EQ(base->module().projectPath(), roof.string());
}

// An icon drawn at toolbar size, for comparing pictures.
QImage picture(const QIcon& icon) { return icon.pixmap(24, 24).toImage().convertToFormat(QImage::Format_ARGB32); }

TEST(Icons, EveryCommandShowsAPictureOfItsOwnWithoutAnIconThemeAndAboutNamesTheVersion) {
    test::ensureApplication();
    const QString theme = QIcon::themeName();
    QIcon::setThemeName(QStringLiteral("none-installed"));  // no theme: the bundled pictures
    {
        Harness h;
        auto base = h.startBase();
        std::vector<std::pair<QString, QImage>> pictures;
        for (QAction* a : base->findChild<QToolBar*>(QStringLiteral("toolBar"))->actions()) {
            if (a->isSeparator() || !a->isVisible()) continue;
            ASSERT_FALSE(a->icon().isNull()) << a->objectName().toStdString();
            pictures.emplace_back(a->objectName(), picture(a->icon()));
        }
        EXPECT_EQ(pictures.size(), 10u);
        // The grid's Copy and Paste were a folder and a floppy: now pictures of their own.
        GridWindow* grid = base->cutWindow();
        for (const char* name : {"SortAscending", "SortDescending", "Print", "Copy", "Paste"}) {
            QAction* a = grid->toolBar()->findChild<QAction*>(QString::fromLatin1(name));
            ASSERT_FALSE(a->icon().isNull()) << name;
            pictures.emplace_back(QString::fromLatin1(name), picture(a->icon()));
        }
        for (std::size_t i = 0; i < pictures.size(); ++i) {
            EXPECT_FALSE(pictures[i].second.isNull());
            for (std::size_t j = i + 1; j < pictures.size(); ++j)
                EXPECT_NE(pictures[i].second, pictures[j].second)
                    << pictures[i].first.toStdString() << " and " << pictures[j].first.toStdString();
        }
        // A menu item shows the picture of the toolbar button that does the same.
        for (const auto& [menu, tool] : {std::pair{"actionSave", "toolSave"}, {"actionOffcuts", "toolOffcuts"}})
            EXPECT_EQ(picture(base->action(menu)->icon()), picture(base->action(tool)->icon())) << menu;

        // The About box names the program and its version.
        QString text;
        test::whileModal([&] { base->action("actionAbout")->trigger(); },
                         [&](QWidget* modal) {
                             auto* box = qobject_cast<QMessageBox*>(modal);
                             if (!box) return false;
                             text = box->text();
                             box->accept();
                             return true;
                         });
        EXPECT_TRUE(text.contains(QStringLiteral("Veltrix Suite")));
        EXPECT_TRUE(text.contains(QStringLiteral("version ") + QString::fromLatin1(kVersion)));
    }
    EXPECT_FALSE(applicationIcon().pixmap(16, 16).isNull());
    EXPECT_FALSE(applicationIcon().pixmap(256, 256).isNull());
    QIcon::setThemeName(theme);
}

}  // namespace
}  // namespace veltrix::ui
