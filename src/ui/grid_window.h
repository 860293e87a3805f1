#pragma once
// The frame of every grid window: the toolbar (actions "SortAscending", "SortDescending", "Print",
// "Copy", "Paste"), the grid over a grid table, and the keyboard editing of the column vocabulary.
// Job grids and other windows refine what a key, a sort or a paste does.

#include <memory>

#include <QWidget>

#include "table/grid_table.h"

class QAction;
class QKeyEvent;
class QToolBar;
class QHBoxLayout;
class QVBoxLayout;

namespace veltrix::ui {

struct Services;
class GridModel;
class GridView;

class GridWindow : public QWidget {
    Q_OBJECT
public:
    // `changed` is the application's changed flag, or null where there is none.
    GridWindow(GridTable& table, const Services& services, bool* changed, QWidget* parent = nullptr);
    // A window that owns its grid table.
    GridWindow(std::unique_ptr<GridTable> table, const Services& services, bool* changed, QWidget* parent = nullptr);
    ~GridWindow() override;

    GridTable& table() { return *table_; }
    const GridTable& table() const { return *table_; }
    GridView* view() const { return view_; }
    GridModel* model() const { return model_; }
    QToolBar* toolBar() const { return toolBar_; }

    // The current cell in grid numbers (row 1.., data column 1..).
    int currentRow() const;
    int currentColumn() const;
    void setCurrentCell(int row, int column);

    // Hides the tools that reorder or replace rows (sorts and paste), for grids that show a result.
    void hideSortAndPaste();
    // The table changed behind the grid (loaded, imported): show it again from the start.
    void reload();
    // Columns hidden or shown as the table says; column widths by the vocabulary.
    void applyColumns();

    // Toolbar commands.
    void sortGrid(SortDirection direction);
    void printGrid();
    void copyCells();
    void pasteCells();

signals:
    // A cell changed or the current cell moved: side displays follow.
    void cellsChanged();

protected:
    // A typed character on a cell (grid numbers).
    virtual void typeCharacter(int row, int column, int character);
    virtual void deleteKey(int row, int column);
    // True when any key on this column is refused (and the user told so).
    virtual bool keyRefused(int column);
    // Asked before a sort or a paste changes the grid; false stops it.
    virtual bool confirmEdit();
    // The weight-or-area column of the printout, for the grids that have one.
    virtual std::string printExtraHeading() const { return {}; }
    virtual std::string printExtraText(int) const { return {}; }
    virtual bool printsEveryRow() const { return false; }
    // Whether typing at the end keeps one blank row after the last.
    virtual bool keepsBlankRow() const { return true; }
    virtual std::string projectPath() const { return {}; }
    // Called after every edit and move of the current cell.
    virtual void refreshSide() {}

    // Sets the changed flag (when the window has one).
    void markChanged();
    // Refreshes the grid after an edit of its table, then the side displays.
    void edited();
    const Services& services() const { return services_; }
    // The window's column: toolbar, body, then anything a window adds below.
    QVBoxLayout* layout() const { return layout_; }
    // The row holding the grid; side panels go to its right.
    QHBoxLayout* body() const { return body_; }
    QAction* pasteAction() const { return pasteAction_; }
    QAction* copyAction() const { return copyAction_; }
    // Ctrl+C and Ctrl+V work in the grid (the sheet and cut-piece windows).
    void setClipboardKeys(bool on) { clipboardKeys_ = on; }

private:
    bool handleKey(QKeyEvent* event);

    std::unique_ptr<GridTable> ownTable_;
    GridTable* table_;
    const Services& services_;
    bool* changed_;
    QToolBar* toolBar_;
    GridView* view_;
    GridModel* model_;
    QVBoxLayout* layout_;
    QHBoxLayout* body_;
    QAction* copyAction_ = nullptr;
    QAction* pasteAction_ = nullptr;
    bool clipboardKeys_ = false;
};

// Character code of a key for the typing rules: printable characters, Backspace 8, Enter 13;
// 0 for keys that type nothing (navigation, function keys, keys with Ctrl or Alt).
int typedCharacter(const QKeyEvent& event);

}  // namespace veltrix::ui
