#pragma once
// The pictures of the desktop program: the application's own icon and the icons of the commands,
// named as in the freedesktop icon theme ("document-open", "edit-copy", ...). The desktop's icon
// theme draws them where it has them; the program carries its own picture of every icon it
// names (resources under :/icons/), so that each command shows what it does on a desktop without
// a theme too. Names beginning "veltrix-" are the program's own things (sheets, coils, layouts,
// off-cuts) that no theme has.

#include <QIcon>
#include <QString>

namespace veltrix::ui {

// The icon of a command: the theme's icon of that name, else the bundled one.
QIcon commandIcon(const QString& name);

// The bundled picture of an icon name (":/icons/NAME.svg"); null when the program has none.
QIcon bundledIcon(const QString& name);

// The application's icon, on every window: the installed "veltrix-suite" of the icon theme, else
// the bundled one.
QIcon applicationIcon();

}  // namespace veltrix::ui
