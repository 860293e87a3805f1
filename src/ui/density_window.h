#pragma once
// The density table window (caption "Density Table"): density.dat as a grid of MAT and DENSITY.
// Edits go to a working copy; "Update" (and closing the window) asks "Save Changes?" and on Yes
// sorts on MAT and stores density.dat.

#include "ui/library_windows.h"

namespace veltrix::ui {

class DensityWindow : public LibraryWindow {
    Q_OBJECT
public:
    // `changed` is the application's changed flag while a job is open (a sort marks it), else null.
    DensityWindow(const Services& services, bool* changed, QWidget* parent = nullptr);

protected:
    // The rows sorted on MAT replace density.dat.
    void store() override;
};

}  // namespace veltrix::ui
