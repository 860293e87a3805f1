#include "ui/grid_model.h"

#include <QBrush>
#include <QColor>

#include "table/grid_table.h"

namespace veltrix::ui {

namespace {
bool isPathColumn(const std::string& key) { return key == "LABELFILE" || key == "DXFFILE"; }
}  // namespace

GridModel::GridModel(GridTable& table, QObject* parent)
    : QAbstractTableModel(parent), table_(&table), shownRows_(table.rowCount() - 1) {}

int GridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : shownRows_; }

int GridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : table_->dataColumnCount();
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const int row = index.row() + 1;
    const int column = index.column() + 1;
    switch (role) {
        case Qt::DisplayRole:
        case Qt::ToolTipRole:
            if (role == Qt::ToolTipRole && !isPathColumn(table_->key(column))) return {};
            return QString::fromStdString(table_->cell(row, column));
        case Qt::TextAlignmentRole:
            // The file name at the end of a long path stays visible.
            if (isPathColumn(table_->key(column))) return QVariant(Qt::AlignRight | Qt::AlignVCenter);
            return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
        case Qt::BackgroundRole:
            // Colour 7 of the basic palette: light grey.
            if (highlight_ && highlight_(row)) return QBrush(QColor(192, 192, 192));
            return {};
        default: return {};
    }
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return QAbstractTableModel::headerData(section, orientation, role);
    if (orientation == Qt::Horizontal) {
        if (section < 0 || section >= table_->dataColumnCount()) return {};
        return QString::fromStdString(table_->key(section + 1));
    }
    return QString::fromStdString(table_->cell(section + 1, 0));
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

void GridModel::refresh() {
    const int rows = table_->rowCount() - 1;
    if (rows > shownRows_) {
        beginInsertRows({}, shownRows_, rows - 1);
        shownRows_ = rows;
        endInsertRows();
    } else if (rows < shownRows_) {
        beginRemoveRows({}, rows, shownRows_ - 1);
        shownRows_ = rows;
        endRemoveRows();
    }
    if (shownRows_ > 0 && columnCount() > 0)
        emit dataChanged(index(0, 0), index(shownRows_ - 1, columnCount() - 1));
    emit headerDataChanged(Qt::Vertical, 0, shownRows_ > 0 ? shownRows_ - 1 : 0);
}

void GridModel::reset() {
    beginResetModel();
    shownRows_ = table_->rowCount() - 1;
    endResetModel();
}

}  // namespace veltrix::ui
