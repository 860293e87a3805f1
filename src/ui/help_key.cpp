#include "ui/help_key.h"

#include <QKeySequence>
#include <QShortcut>
#include <QWidget>

namespace veltrix::ui {

void addHelpKey(QWidget& window, const Services& services, HelpTopic topic) {
    addHelpKey(window, services, [topic] { return topic; });
}

void addHelpKey(QWidget& window, const Services& services, std::function<HelpTopic()> topic) {
    auto* key = new QShortcut(QKeySequence(Qt::Key_F1), &window);
    key->setObjectName(QStringLiteral("helpKey"));
    key->setContext(Qt::WindowShortcut);
    QObject::connect(key, &QShortcut::activated, &window,
                     [&services, topic = std::move(topic)] { services.help(topic()); });
}

}  // namespace veltrix::ui
