#pragma once
// The product chooser (caption "Product Choice"): the names of products.lst in a list;
// double-clicking a name or the button "Select" chooses it, Esc closes without choosing. Grid
// cells whose column chooses a product (PRODUCTS of the order) open it.

#include <optional>
#include <string>

#include <QDialog>

class QListWidget;
class QPushButton;

namespace veltrix::ui {

struct Services;

class ProductChoiceWindow : public QDialog {
    Q_OBJECT
public:
    explicit ProductChoiceWindow(const Services& services, QWidget* parent = nullptr);

    QListWidget* list() const { return list_; }
    QPushButton* selectButton() const { return select_; }
    // The name chosen; empty until one was.
    const std::string& chosen() const { return chosen_; }
    // "Select": chooses the current name and closes; without one nothing happens.
    void select();

private:
    QListWidget* list_;
    QPushButton* select_;
    std::string chosen_;
};

// Shows the chooser modally; the name chosen, or nothing when it was closed without a choice.
std::optional<std::string> chooseProduct(const Services& services, QWidget* parent);

}  // namespace veltrix::ui
