// The program's help: short pages shipped inside the program, one per topic,
// shown in a help window with the list of all topics beside the page.
#pragma once

#include <QList>
#include <QUrl>
#include <QWidget>

class QDialogButtonBox;
class QListWidget;
class QPushButton;
class QTextBrowser;

namespace widgets::help {

// Topic ids.
constexpr int kChannelEditor = 101;
constexpr int kSettingsWindow = 103;
constexpr int kReadingTheRadio = 105;
constexpr int kWritingTheRadio = 106;
constexpr int kColumnOptions = 108;

struct Topic {
    int id;
    const char* title;
};
// Every topic, in the order of the contents list.
const QList<Topic>& Topics();
// The page of a topic; an empty URL for an unknown id.
QUrl TopicUrl(int topic);
// The topic a page URL shows, or 0.
int TopicOf(const QUrl& url);

} // namespace widgets::help

namespace widgets {

class HelpWindow : public QWidget {
    Q_OBJECT

public:
    // Shows a topic in the help window of from's window, made on first use.
    // The help window belongs to that window: help opened from a dialog can
    // be read and scrolled while the dialog runs, and closes with it. An
    // unknown topic shows the channel editor's page.
    static HelpWindow* ShowTopic(int topic, QWidget* from);
    // A dialog's Help button, added to its button box: the word alone, as
    // desktop themes without a help picture would show a broken one.
    static QPushButton* AddHelpButton(QDialogButtonBox* buttons);

    void Show(int topic);
    int CurrentTopic() const;
    QTextBrowser* Browser() const { return m_browser; }
    QListWidget* Contents() const { return m_contents; }

private:
    explicit HelpWindow(QWidget* owner);
    void OnPageChanged(const QUrl& url);

    QListWidget* m_contents;
    QTextBrowser* m_browser;
};

} // namespace widgets
