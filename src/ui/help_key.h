#pragma once
// F1 in a window of its own (a dialog, the launcher, a tool window): the help file at the window's
// topic, wherever the focus is inside it. Windows inside the base module's frame get F1 from its
// Help menu instead (two F1 shortcuts in one window would cancel each other out).

#include <functional>

#include "ui/services.h"

class QWidget;

namespace veltrix::ui {

// F1 in `window` shows the help at `topic`. The key stays with the window (it is a child of it).
void addHelpKey(QWidget& window, const Services& services, HelpTopic topic = HelpTopic::Contents);
// The same with the topic asked for when F1 is pressed (it changes while the window is open).
void addHelpKey(QWidget& window, const Services& services, std::function<HelpTopic()> topic);

}  // namespace veltrix::ui
