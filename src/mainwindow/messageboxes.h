#pragma once
// Messages of the libraries shown as QMessageBox with their exact titles,
// texts, icons and buttons.

#include "core/usermessages.h"

class QWidget;

namespace tintwell {

class QMessageBoxMessages : public UserMessages
{
public:
    explicit QMessageBoxMessages(QWidget *parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget *parent) { m_parent = parent; }
    MsgResult show(const QString &title, const QString &text, MsgIcon icon,
                   MsgButtons buttons = MsgButtons::Ok, int helpTopic = 0) override;

private:
    QWidget *m_parent;
};

} // namespace tintwell
