#pragma once
// Messages of the libraries shown as QMessageBox with their exact titles,
// texts, icons and buttons. A Help button opens its topic and leaves the
// message up; the answer is the button that closed it.

#include "core/usermessages.h"

class QWidget;

namespace tintwell {

class HelpService;

class QMessageBoxMessages : public UserMessages
{
public:
    explicit QMessageBoxMessages(HelpService &help) : m_help(help) {}
    // The window messages centre on when no window of the program is active.
    void setFallbackParent(QWidget *parent) { m_fallbackParent = parent; }
    MsgResult show(const QString &title, const QString &text, MsgIcon icon,
                   MsgButtons buttons = MsgButtons::Ok, int helpTopic = 0) override;

private:
    HelpService &m_help;
    QWidget *m_fallbackParent = nullptr;
};

} // namespace tintwell
