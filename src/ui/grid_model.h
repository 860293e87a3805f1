#pragma once
// An item model over a grid table: model row r is grid row r + 1, model column c is data column
// c + 1; the vertical header shows the serial column, the horizontal header the column keys.
// Cells are never edited through the model: the grid window routes keys to the typing rules and
// then calls refresh().

#include <functional>

#include <QAbstractTableModel>

namespace veltrix {
class GridTable;
}

namespace veltrix::ui {

class GridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit GridModel(GridTable& table, QObject* parent = nullptr);

    GridTable& table() { return *table_; }
    const GridTable& table() const { return *table_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Rows whose background is highlighted (grid row numbers).
    void setHighlight(std::function<bool(int row)> highlight) { highlight_ = std::move(highlight); }

    // The grid table changed behind the model: rows added or removed at the end are announced,
    // and every cell is refreshed.
    void refresh();
    // The grid table was replaced wholesale (loaded, sorted): views start over.
    void reset();

private:
    GridTable* table_;
    int shownRows_ = 0;
    std::function<bool(int)> highlight_;
};

}  // namespace veltrix::ui
