#include "platform/mnemonics.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QShortcutEvent>

namespace tintwell {

QChar MnemonicLetter(const QString &text)
{
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != QLatin1Char('&'))
            continue;
        if (text[i + 1] == QLatin1Char('&')) {
            ++i;
            continue;
        }
        return text[i + 1].toUpper();
    }
    return {};
}

namespace {

QString captionOf(QWidget *w)
{
    if (auto *b = qobject_cast<QAbstractButton *>(w))
        return b->text();
    if (auto *g = qobject_cast<QGroupBox *>(w))
        return g->title();
    if (auto *l = qobject_cast<QLabel *>(w); l && l->buddy())
        return l->text();
    return {};
}

QChar letterOfShortcut(const QKeySequence &key)
{
    if (key.isEmpty())
        return {};
    const QKeyCombination k = key[0];
    if (!(k.keyboardModifiers() & Qt::AltModifier))
        return {};
    return QChar(k.key()).toUpper();
}

} // namespace

MnemonicArbiter::MnemonicArbiter(QMainWindow *window)
    : QObject(window)
    , m_window(window)
{
    rescan();
}

void MnemonicArbiter::rescan()
{
    m_menus.clear();
    m_controls.clear();
    for (QAction *a : m_window->menuBar()->actions()) {
        const QChar c = MnemonicLetter(a->text());
        if (c.isNull() || !a->menu())
            continue;
        m_menus.insert(c, a);
        QMenu *menu = a->menu();
        if (!menu->property("tintwellArbiter").toBool()) {
            menu->setProperty("tintwellArbiter", true);
            connect(menu, &QMenu::aboutToShow, this, [this] { m_chosen = false; });
            // A choice hides the menu before it triggers; it ends the arming too.
            connect(menu, &QMenu::triggered, this, [this] {
                m_chosen = true;
                m_armed = QChar();
            });
            connect(menu, &QMenu::aboutToHide, this, [this, c] { m_armed = m_chosen ? QChar() : c; });
        }
    }
    m_window->menuBar()->installEventFilter(this);
    for (QWidget *w : m_window->findChildren<QWidget *>()) {
        if (w->window() != m_window)
            continue;
        // Every control reports key presses and clicks, which end an armed press.
        w->installEventFilter(this);
        const QChar c = MnemonicLetter(captionOf(w));
        if (!c.isNull() && m_menus.contains(c))
            m_controls.insert(c, w);
    }
}

bool MnemonicArbiter::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::Shortcut: {
        const QChar c = letterOfShortcut(static_cast<QShortcutEvent *>(event)->key());
        QWidget *control = m_controls.value(c);
        if (!control || !m_menus.contains(c))
            break;
        if (watched != control && watched != m_window->menuBar())
            break;
        if (m_armed == c) {
            m_armed = QChar();
            pressControl(control);
        } else {
            openMenu(c);
        }
        return true;
    }
    case QEvent::KeyPress: {
        // Alt itself comes before every mnemonic; only other keys end the arming.
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key != Qt::Key_Alt && key != Qt::Key_Shift && key != Qt::Key_Control && key != Qt::Key_Meta &&
            key != Qt::Key_AltGr)
            m_armed = QChar();
        break;
    }
    case QEvent::MouseButtonPress:
        m_armed = QChar();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void MnemonicArbiter::openMenu(QChar letter)
{
    QAction *action = m_menus.value(letter);
    if (!action)
        return;
    m_window->menuBar()->setActiveAction(action);
}

void MnemonicArbiter::pressControl(QWidget *control)
{
    if (auto *b = qobject_cast<QAbstractButton *>(control)) {
        b->setFocus(Qt::ShortcutFocusReason);
        b->animateClick();
    } else if (auto *l = qobject_cast<QLabel *>(control)) {
        l->buddy()->setFocus(Qt::ShortcutFocusReason);
    } else {
        // A frame: its first control that takes the focus.
        for (QWidget *child : control->findChildren<QWidget *>()) {
            if (child->isVisible() && child->isEnabled() && (child->focusPolicy() & Qt::TabFocus)) {
                child->setFocus(Qt::ShortcutFocusReason);
                return;
            }
        }
    }
}

} // namespace tintwell
