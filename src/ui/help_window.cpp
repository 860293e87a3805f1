#include "ui/help_window.h"

#include <QFontDatabase>
#include <QKeyEvent>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStringList>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QVBoxLayout>

#include "base/file_ops.h"

namespace veltrix::ui {

int helpTopicLine(const QString& text, int topic) {
    if (topic <= 0) return 0;
    const QString mark = QLatin1Char('[') + QString::number(topic) + QLatin1Char(']');
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        // The mark may follow heading characters ("## [54] ...").
        QString line = lines[i].trimmed();
        while (line.startsWith(QLatin1Char('#'))) line = line.mid(1).trimmed();
        if (line.startsWith(mark)) return i;
    }
    return 0;
}

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent), browser_(new QTextBrowser(this)) {
    setWindowTitle(QStringLiteral("Veltrix Help"));
    setObjectName(QStringLiteral("helpWindow"));
    browser_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    browser_->setLineWrapMode(QTextEdit::WidgetWidth);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    resize(720, 560);
}

void HelpWindow::showFile(const std::filesystem::path& file, int topic) {
    QString text;
    if (fileExists(file)) {
        text = QString::fromUtf8(QByteArray::fromStdString(readWholeFile(file)));
        text.remove(QLatin1Char('\r'));
    } else {
        text = QStringLiteral("The help file %1 was not found in the working folder.")
                   .arg(QString::fromStdString(file.string()));
    }
    browser_->setPlainText(text);
    topicLine_ = helpTopicLine(text, topic);
    QTextCursor cursor(browser_->document()->findBlockByLineNumber(topicLine_));
    // Scroll so that the topic's line stands at the top: first to the end, then back to it.
    browser_->moveCursor(QTextCursor::End);
    browser_->setTextCursor(cursor);
    browser_->ensureCursorVisible();
}

QString HelpWindow::text() const { return browser_->toPlainText(); }

}  // namespace veltrix::ui
