#pragma once
// The help window: the text of the help file "opt.hlp", opened at a topic. A topic begins at a
// line holding "[n]" (its number in brackets) at its start; topic 0 is the top of the file.

#include <filesystem>

#include <QWidget>

class QTextBrowser;

namespace veltrix::ui {

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);
    // Shows the file at the topic; a missing file shows a note saying so.
    void showFile(const std::filesystem::path& file, int topic);
    QString text() const;
    // The line the view starts at (0-based).
    int topicLine() const { return topicLine_; }

private:
    QTextBrowser* browser_;
    int topicLine_ = 0;
};

// The 0-based line at which topic `topic` begins in a help text; 0 when there is no such topic.
int helpTopicLine(const QString& text, int topic);

}  // namespace veltrix::ui
