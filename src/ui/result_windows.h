#pragma once
// The report window (the report as a grid, the headings highlighted) and the off-cut table window
// (offcut.tlf, editable, with "Export" to the material library).

#include "table/grid_table.h"
#include "ui/grid_window.h"

class QPushButton;

namespace veltrix {
class BaseModule;
}

namespace veltrix::ui {

class ReportWindow : public GridWindow {
    Q_OBJECT
public:
    // Shows `report`, the text of the report of the plan the Layouts window loaded.
    ReportWindow(BaseModule& module, const Services& services, const std::string& report, QWidget* parent = nullptr);
    ~ReportWindow() override;
    // Whether grid row r is shown highlighted.
    bool highlighted(int row) const;

protected:
    bool printsEveryRow() const override { return true; }
    bool keepsBlankRow() const override { return false; }
    std::string projectPath() const override;
    void typeCharacter(int, int, int) override {}
    void deleteKey(int, int) override {}

private:
    BaseModule& module_;
};

class OffcutWindow : public GridWindow {
    Q_OBJECT
public:
    OffcutWindow(BaseModule& module, const Services& services, QWidget* parent = nullptr);
    ~OffcutWindow() override;
    QPushButton* exportButton() const { return export_; }
    // "Export": the off-cuts and the sheets used returned to the material library.
    void exportToLibrary();
    // Writes offcut.tlf from the grid.
    void saveFile();

protected:
    std::string printExtraHeading() const override;
    std::string printExtraText(int row) const override;
    std::string projectPath() const override;
    void closeEvent(QCloseEvent* event) override;

private:
    BaseModule& module_;
    QPushButton* export_;
};

// Report lines shown highlighted: those beginning with "Layout No. " or ending with " Summary" or
// "Basic Details".
bool isReportHeading(const std::string& line);

}  // namespace veltrix::ui
