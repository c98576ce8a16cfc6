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

// What a box answers when closed without a button (Escape, the title bar):
// its Cancel or No button where it has one.
constexpr MsgResult ClosedAnswer(MsgButtons buttons)
{
    switch (buttons) {
    case MsgButtons::OkCancel:
    case MsgButtons::YesNoCancel: return MsgResult::Cancel;
    case MsgButtons::YesNo: return MsgResult::No;
    default: return MsgResult::Ok;
    }
}

class UserMessages
{
public:
    virtual ~UserMessages() = default;
    // helpTopic is the help page a Help button opens; 0 for none.
    virtual MsgResult show(const QString &title, const QString &text, MsgIcon icon,
                           MsgButtons buttons = MsgButtons::Ok, int helpTopic = 0) = 0;
};

// Keeps every message and answers from a queue; when the queue is empty it
// answers as a real box closed without a button would.
class RecordingMessages : public UserMessages
{
public:
    struct Shown {
        QString title;
        QString text;
        MsgIcon icon;
        MsgButtons buttons;
        int helpTopic = 0;
    };

    MsgResult show(const QString &title, const QString &text, MsgIcon icon,
                   MsgButtons buttons = MsgButtons::Ok, int helpTopic = 0) override
    {
        shown.append({title, text, icon, buttons, helpTopic});
        if (!answers.isEmpty())
            return answers.takeFirst();
        return ClosedAnswer(buttons);
    }

    QList<Shown> shown;
    QList<MsgResult> answers;
};

} // namespace tintwell
