#pragma once
// The launcher (caption "Veltrix Suite"): one button per module on a dark blue ground. It opens
// the base module in sheet or coil mode and the settings; Exit deletes the job's scratch tables
// and ends the program.

#include <QPointer>
#include <QWidget>

#include "job/job_tables.h"
#include "ui/services.h"

class QPushButton;

namespace veltrix::ui {

class BaseWindow;

class LauncherWindow : public QWidget {
    Q_OBJECT
public:
    explicit LauncherWindow(const Services& services, QWidget* parent = nullptr);
    ~LauncherWindow() override;

    QPushButton* button(const char* name) const;
    // The base module now open, if any.
    BaseWindow* baseWindow() const;

    // "Base Module" and "D C M".
    BaseWindow* openBaseModule(StockMode mode);
    // "Exit": the scratch tables deleted, then the program ends.
    void exitProgram();

signals:
    void exitRequested();

private:
    Services services_;
    QPointer<BaseWindow> base_;
};

}  // namespace veltrix::ui
