#pragma once
// The grid control of every grid window: a table view whose keys go to the window's typing rules
// instead of Qt's cell editors.

#include <functional>

#include <QTableView>

class QKeyEvent;

namespace veltrix::ui {

class GridView : public QTableView {
    Q_OBJECT
public:
    explicit GridView(QWidget* parent = nullptr);
    // Called for every key pressed in the grid; returns true when the key was used.
    void setKeyHandler(std::function<bool(QKeyEvent*)> handler) { handler_ = std::move(handler); }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;

private:
    std::function<bool(QKeyEvent*)> handler_;
};

}  // namespace veltrix::ui
