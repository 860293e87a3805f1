#pragma once
// The scrap criteria window: one row of DIM-1, CRITERIA, DIM-2 stored in scrap.dat, with the rule
// spelled out below it.

#include <QDialog>

#include "table/grid_table.h"

class QLabel;

namespace veltrix::ui {

struct Services;
class GridWindow;

class ScrapWindow : public QDialog {
    Q_OBJECT
public:
    ScrapWindow(const Services& services, QWidget* parent = nullptr);
    ~ScrapWindow() override;

    GridWindow* grid() const { return grid_; }
    GridTable& table() { return table_; }
    QString explanation() const;

protected:
    void done(int result) override;

private:
    void refresh();

    const Services& services_;
    GridTable table_;
    GridWindow* grid_;
    QLabel* explanation_;
    bool saved_ = false;
};

// "Offcut having one dimension <= 300 AND other dimension <= 100 will be treated as SCRAP".
std::string scrapExplanation(const GridTable& criteria);

}  // namespace veltrix::ui
