#pragma once
// Message boxes as the libraries see them. The libraries never open a window:
// they ask this interface, the windows answer with a QMessageBox, and tests
// record what would have been shown.

#include <QString>
#include <QList>

namespace tintwell {

enum class MsgIcon { None, Information, Exclamation, Question, Critical };
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel, OkHelp };
enum class MsgResult { Ok, Cancel, Yes, No, Help };

class UserMessages
{
public:
    virtual ~UserMessages() = default;
    // helpTopic is the help page a Help button opens; 0 for none.
    virtual MsgResult show(const QString &title, const QString &text, MsgIcon icon,
                           MsgButtons buttons = MsgButtons::Ok, int helpTopic = 0) = 0;
};

// Keeps every message and answers from a queue (Ok, or the first button, when empty).
class RecordingMessages : public UserMessages
{
public:
    struct Shown {
        QString title;
        QString text;
        MsgIcon icon;
        MsgButtons buttons;
    };

    MsgResult show(const QString &title, const QString &text, MsgIcon icon,
                   MsgButtons buttons = MsgButtons::Ok, int helpTopic = 0) override
    {
        Q_UNUSED(helpTopic);
        shown.append({title, text, icon, buttons});
        if (!answers.isEmpty())
            return answers.takeFirst();
        return buttons == MsgButtons::YesNo || buttons == MsgButtons::YesNoCancel ? MsgResult::Yes
                                                                                  : MsgResult::Ok;
    }

    QList<Shown> shown;
    QList<MsgResult> answers;
};

} // namespace tintwell
