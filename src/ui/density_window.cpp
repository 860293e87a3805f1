#include "ui/density_window.h"

#include "job/settings.h"
#include "table/grid_table.h"
#include "ui/grid_window.h"
#include "ui/services.h"

namespace veltrix::ui {

namespace {
constexpr const char* kWorkingCopy = "density.tlf";
}

DensityWindow::DensityWindow(const Services& services, bool* changed, QWidget* parent)
    : LibraryWindow(services, parent) {
    setObjectName(QStringLiteral("densityWindow"));
    setWindowTitle(QStringLiteral("Density Table"));
    auto table = std::make_unique<GridTable>(std::vector<std::string>{"MAT", "DENSITY"});
    table->setBoundFile(services.file(kDensityFile));
    table->load();
    // Edits and sorts go to a working copy until "Update" stores them.
    table->setBoundFile(services.file(kWorkingCopy));
    setGrid(new GridWindow(std::move(table), services, changed, this));
    resize(480, 420);
}

void DensityWindow::store() {
    GridTable& densities = table();
    densities.setBoundFile(services().file(kDensityFile));
    try {
        densities.sort(1, SortDirection::Ascending);  // writes density.dat
    } catch (...) {
        densities.setBoundFile(services().file(kWorkingCopy));
        throw;
    }
}

}  // namespace veltrix::ui
