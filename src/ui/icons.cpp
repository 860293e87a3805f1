#include "ui/icons.h"

#include <QFile>

namespace veltrix::ui {

namespace {

QString bundledPath(const QString& name) { return QStringLiteral(":/icons/") + name + QStringLiteral(".svg"); }

}  // namespace

QIcon bundledIcon(const QString& name) {
    const QString path = bundledPath(name);
    return QFile::exists(path) ? QIcon(path) : QIcon();
}

QIcon commandIcon(const QString& name) { return QIcon::fromTheme(name, bundledIcon(name)); }

QIcon applicationIcon() {
    return QIcon::fromTheme(QStringLiteral("veltrix-suite"), bundledIcon(QStringLiteral("veltrix-suite")));
}

}  // namespace veltrix::ui
