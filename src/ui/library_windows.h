#pragma once
// The library windows of the launcher: the material library ("Material Library Manager", mlm.dat),
// the product library ("Product Library Manager", plm.dat) and Load Products ("Load Products"),
// which turns an order of products into project files. The density table (density_window.h) is a
// library window too.

#include <string>

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace veltrix {
class GridTable;
}

namespace veltrix::ui {

struct Services;
class GridWindow;

// A library file as a grid with the toolbar and the button "Update". Edits and
// sorts go to a working copy; "Update" asks "Save Changes?" and on Yes stores the library. Esc
// and the title bar's close button ask the same, so edits are never lost unasked. Without an edit
// nothing is asked.
class LibraryWindow : public QDialog {
    Q_OBJECT
public:
    ~LibraryWindow() override;

    GridWindow* grid() const { return grid_; }
    GridTable& table();
    QPushButton* updateButton() const { return update_; }
    // "Update": Yes stores the library and closes, No closes, Cancel stays. Without an edit the
    // window closes at once.
    void update();
    // Whether the rows differ from those the window opened with (typed, pasted or sorted).
    bool edited() const;

protected:
    explicit LibraryWindow(const Services& services, QWidget* parent);
    // Shows the grid window (made by the subclass over its table) above the "Update" button.
    void setGrid(GridWindow* grid);
    // Stores the grid's rows in the library; throws when they cannot be stored.
    virtual void store() = 0;
    const Services& services() const { return services_; }

    void reject() override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Returns true when the window may close.
    bool askAndStore();

    const Services& services_;
    GridWindow* grid_ = nullptr;
    QPushButton* update_;
    std::string opened_;  // the rows as the window opened them, as the table file holds them
    bool closing_ = false;
};

class MaterialLibraryWindow : public LibraryWindow {
    Q_OBJECT
public:
    // `changed` is the application's changed flag while a job is open (a sort marks it), else null.
    MaterialLibraryWindow(const Services& services, bool* changed, QWidget* parent = nullptr);

protected:
    // The rows sorted on MAT and merged replace mlm.dat.
    void store() override;
};

class ProductLibraryWindow : public LibraryWindow {
    Q_OBJECT
public:
    explicit ProductLibraryWindow(const Services& services, QWidget* parent = nullptr);

protected:
    // The rows sorted on PRODUCT replace plm.dat; products.lst is rebuilt.
    void store() override;
};

class LoadProductsWindow : public QDialog {
    Q_OBJECT
public:
    explicit LoadProductsWindow(const Services& services, QWidget* parent = nullptr);
    ~LoadProductsWindow() override;

    GridWindow* grid() const { return grid_; }
    QLineEdit* prefix() const { return prefix_; }
    QComboBox* extension() const { return extension_; }
    QPushButton* generateButton() const { return generate_; }
    // "Generate": the project files of the order; the window closes when some were made.
    void generate();

protected:
    void done(int result) override;

private:
    const Services& services_;
    GridWindow* grid_;
    QLineEdit* prefix_;
    QComboBox* extension_;
    QLabel* label_;
    QPushButton* generate_;
};

}  // namespace veltrix::ui
