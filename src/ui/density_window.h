#pragma once
// The density table window (caption "Density Table"): density.dat as a grid of MAT and
// DENSITY. Edits go to a working copy; "Update" asks "Save Changes?" and on Yes sorts on MAT and
// stores density.dat.

#include <QDialog>

#include "table/grid_table.h"

class QPushButton;

namespace veltrix::ui {

struct Services;
class GridWindow;

class DensityWindow : public QDialog {
    Q_OBJECT
public:
    DensityWindow(const Services& services, bool* changed, QWidget* parent = nullptr);
    ~DensityWindow() override;

    GridWindow* grid() const { return grid_; }
    GridTable& table() { return table_; }
    // "Update": Yes stores the table and closes, No closes, Cancel stays.
    void update();

protected:
    void reject() override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Returns true when the window may close.
    bool askAndStore();

    const Services& services_;
    GridTable table_;
    GridWindow* grid_;
    bool closing_ = false;
};

}  // namespace veltrix::ui
