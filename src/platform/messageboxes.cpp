#include "platform/messageboxes.h"

#include "platform/help.h"

#include <QApplication>
#include <QMessageBox>

namespace tintwell {

MsgResult QMessageBoxMessages::show(const QString &title, const QString &text, MsgIcon icon,
                                    MsgButtons buttons, int helpTopic)
{
    // Centred on the window that raised it: the active one, usually.
    QWidget *parent = QApplication::activeWindow();
    if (!parent || (m_help.hasWindow() && parent == m_help.window()))
        parent = m_fallbackParent;
    QMessageBox box(parent);
    box.setWindowTitle(title);
    box.setText(text);
    switch (icon) {
    case MsgIcon::Information: box.setIcon(QMessageBox::Information); break;
    case MsgIcon::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case MsgIcon::Question: box.setIcon(QMessageBox::Question); break;
    case MsgIcon::Critical: box.setIcon(QMessageBox::Critical); break;
    case MsgIcon::None: break;
    }
    switch (buttons) {
    case MsgButtons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
    case MsgButtons::OkCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
    case MsgButtons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    case MsgButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    case MsgButtons::OkHelp: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Help); break;
    }
    // Modal to its own window only, so the help it opens can be read beside it.
    box.setWindowModality(parent ? Qt::WindowModal : Qt::ApplicationModal);
    for (;;) {
        const int answer = box.exec();
        if (answer == QMessageBox::Help && helpTopic > 0) {
            // QMessageBox closes on every button; Help shows the box again at once.
            m_help.showTopic(helpTopic);
            continue;
        }
        switch (answer) {
        case QMessageBox::Ok: return MsgResult::Ok;
        case QMessageBox::Cancel: return MsgResult::Cancel;
        case QMessageBox::Yes: return MsgResult::Yes;
        case QMessageBox::No: return MsgResult::No;
        case QMessageBox::Help: return MsgResult::Help;
        default: return ClosedAnswer(buttons);
        }
    }
}

} // namespace tintwell
