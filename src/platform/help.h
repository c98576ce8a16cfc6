#pragma once
// The program's help: topic pages by number, the contents page, and the
// pop-up texts of the main window's What's This mode, all carried as HTML in
// the program's resources under :/help/.

#include <QString>
#include <QUrl>
#include <QWidget>

class QTextBrowser;

namespace tintwell {

// The help file the windows name; kept so callers read as they always did.
inline constexpr char kHelpFile[] = "Tintwell.hlp";

// The two commands the windows send.
namespace HelpCommand {
inline constexpr int Context = 1;  // open the topic given as the number
inline constexpr int Contents = 3; // open the contents page
} // namespace HelpCommand

// qrc URL of a topic page; the contents page for 0 or a topic that has no page.
QUrl HelpTopicUrl(int topic);
bool HasHelpTopic(int topic);
// Topic number of a help page URL; 0 for the contents page and anything else.
int HelpTopicOf(const QUrl &url);

// Rich text for QWhatsThis / QWidget::setWhatsThis; empty for an unknown number.
QString WhatsThisText(int contextId);

// A small window showing one help page at a time, with links between pages.
// One per program (the main window owns it); every Help command reuses it.
class HelpWindow : public QWidget
{
    Q_OBJECT
public:
    explicit HelpWindow(QWidget *parent = nullptr);

    // command HelpCommand::Contents or Context; any other command shows the contents.
    void showHelp(int command, int topic = 0);
    void showContents();
    void showTopic(int topic);

    // The topic on show: 0 for the contents page.
    int currentTopic() const;
    QTextBrowser *browser() const { return m_browser; }

private:
    void open(const QUrl &url);
    QTextBrowser *m_browser;
};

// The program's one way to help: every window, F1, What's This and the Help
// buttons of message boxes ask it. It opens the one help window on first use
// and keeps it beside the program until it goes.
class HelpService
{
public:
    HelpService() = default;
    ~HelpService();
    HelpService(const HelpService &) = delete;
    HelpService &operator=(const HelpService &) = delete;

    // command HelpCommand::Contents or Context, as HelpWindow::showHelp.
    void showHelp(int command, int topic = 0);
    void showTopic(int topic) { showHelp(HelpCommand::Context, topic); }
    void showContents() { showHelp(HelpCommand::Contents); }
    // The window, created when first asked for.
    HelpWindow *window();
    bool hasWindow() const { return m_window != nullptr; }

private:
    HelpWindow *m_window = nullptr;
};

} // namespace tintwell
