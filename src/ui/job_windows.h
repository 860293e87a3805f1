#pragma once
// The three job windows of the base module: the basic details, the sheets (coils in coil mode) and
// the cut-pieces. They are views over the tables of the base module's document; every edit goes
// through app/job_editing (import lock, change confirmation, typing rules, blank row).

#include "app/job_editing.h"
#include "ui/grid_window.h"

class QLabel;
class QPushButton;

namespace veltrix {
class BaseModule;
}

namespace veltrix::ui {

class DxfPreview;
class MarginMarkers;

class JobGridWindow : public GridWindow {
    Q_OBJECT
public:
    JobGridWindow(BaseModule& module, JobGrid grid, const Services& services, QWidget* parent = nullptr);

    JobGrid grid() const { return grid_; }

protected:
    BaseModule& module() { return module_; }
    void typeCharacter(int row, int column, int character) override;
    void deleteKey(int row, int column) override;
    bool keyRefused(int column) override;
    bool confirmEdit() override;
    bool keepsBlankRow() const override { return grid_ != JobGrid::Basic; }
    std::string projectPath() const override;

private:
    BaseModule& module_;
    JobGrid grid_;
};

class BasicWindow : public JobGridWindow {
    Q_OBJECT
public:
    BasicWindow(BaseModule& module, const Services& services, QWidget* parent = nullptr);
};

class SheetWindow : public JobGridWindow {
    Q_OBJECT
public:
    SheetWindow(BaseModule& module, const Services& services, QWidget* parent = nullptr);
    QPushButton* importButton() const { return import_; }
    MarginMarkers* markers() const { return markers_; }
    // "Import": sizes of the job's material from the material library.
    void importFromLibrary();

protected:
    void refreshSide() override;

private:
    QPushButton* import_;
    MarginMarkers* markers_;
};

class CutWindow : public JobGridWindow {
    Q_OBJECT
public:
    CutWindow(BaseModule& module, const Services& services, QWidget* parent = nullptr);
    // The total quantity shown below the grid.
    QString totalText() const;
    QLabel* labelPreview() const { return label_; }
    DxfPreview* dxfPreview() const { return dxf_; }
    // Columns shown as the report option says (edge banding only for "Area With Edge Banding").
    void applyReportOption();

protected:
    void refreshSide() override;

private:
    QLabel* total_;
    QLabel* label_;
    DxfPreview* dxf_;
    std::string shownLabel_;
};

}  // namespace veltrix::ui
