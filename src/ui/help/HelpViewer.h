// The help viewer: the program's help file "Lumatext7700.hlp" (an HTML document with one
// anchored topic per help context number) in a QTextBrowser, with a contents list,
// back / forward and a search over the topics.
#pragma once

#include <QMap>
#include <QWidget>

class QLineEdit;
class QListWidget;
class QPushButton;
class QTextBrowser;

namespace lt {

// Topics the Help menu opens that have no control of their own.
inline constexpr int kHelpContentsTopic = 2600;
inline constexpr int kHowToUseHelpTopic = 100;
inline constexpr int kQuickEditTopic = 200;
inline constexpr int kScriptLanguageTopic = 4400;

class HelpViewer : public QWidget {
    Q_OBJECT
public:
    // helpFile: path of "Lumatext7700.hlp". The viewer is a window of its own.
    explicit HelpViewer(const QString& helpFile, QWidget* parent = nullptr);

    // Shows the topic of a help context number; an unknown number shows the contents.
    void showTopic(int context);
    // Shows the contents with the search box ready for a word.
    void showSearch();
    // Lists the topics whose text holds the word and shows the first place it occurs.
    void search(const QString& word);
    // The topic shown now (0 when the help file could not be read).
    int currentTopic() const;
    const QMap<int, QString>& topics() const { return titles_; }
    // The plain text of each topic, by context number.
    const QMap<int, QString>& topicTexts() const { return texts_; }
    const QString& helpFile() const { return file_; }
    // Points the viewer at another help file; it is read when a topic is next shown.
    void setHelpFile(const QString& helpFile);

    QTextBrowser* browser = nullptr;
    QListWidget* contents = nullptr;
    QLineEdit* searchBox = nullptr;
    QPushButton* backButton = nullptr;
    QPushButton* forwardButton = nullptr;

private:
    void load();
    void listTopics(const QList<int>& numbers);

    QString file_;
    QList<int> order_; // topics in the order of the help file
    bool loaded_ = false;
    QMap<int, QString> titles_;
    QMap<int, QString> texts_;
};

// A window that keeps the program's help viewer; the viewer is made when first asked for.
class HelpHost {
public:
    virtual ~HelpHost() = default;
    virtual HelpViewer* helpViewer() = 0;
};

// Opens help at a topic for any window of the program: a dialog's "&Help" button calls it
// with its own topic. Uses the main window's viewer (its HelpHost) when the widget belongs to it.
void ShowHelp(QWidget* from, int context);

} // namespace lt
