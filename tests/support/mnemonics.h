#pragma once
// Checks a window's Alt+letter mnemonics: every menu title and every control
// caption (buttons, frames, labels with a buddy). Two controls may not share
// a letter; a control may share one with a menu title only if the menu wins
// the first press. Each window's own test checks that its control is reached
// by the press right after the menu was closed.
#include "platform/mnemonics.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <gtest/gtest.h>

#include <map>

namespace tintwell::test {

inline QChar mnemonicOf(const QString &text) { return MnemonicLetter(text); }

struct Caption {
    QString text;
    QWidget *widget = nullptr;
};

inline std::multimap<QChar, Caption> controlMnemonics(QWidget *window)
{
    std::multimap<QChar, Caption> found;
    auto add = [&](const QString &text, QWidget *w) {
        const QChar c = mnemonicOf(text);
        if (!c.isNull() && w->isEnabled())
            found.insert({c, {text, w}});
    };
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (qobject_cast<QMenu *>(w->window()) || w->window() != window)
            continue;
        if (auto *b = qobject_cast<QAbstractButton *>(w))
            add(b->text(), b);
        else if (auto *g = qobject_cast<QGroupBox *>(w))
            add(g->title(), g);
        else if (auto *l = qobject_cast<QLabel *>(w); l && l->buddy())
            add(l->text(), l);
    }
    return found;
}

// Runs every check on a shown, active window.
inline void expectMnemonicsUnique(QMainWindow *window)
{
    std::map<QChar, QAction *> menus;
    for (QAction *a : window->menuBar()->actions()) {
        const QChar c = mnemonicOf(a->text());
        if (c.isNull())
            continue;
        EXPECT_EQ(menus.count(c), 0u) << "two menus on Alt+" << QString(c).toStdString();
        menus[c] = a;
    }
    const auto controls = controlMnemonics(window);
    for (auto it = controls.begin(); it != controls.end(); ++it) {
        const QChar c = it->first;
        EXPECT_EQ(controls.count(c), 1u) << "controls share Alt+" << QString(c).toStdString() << ": "
                                         << it->second.text.toStdString();
        if (!menus.count(c))
            continue;
        // The menu takes the first press ...
        const Qt::Key key = Qt::Key(c.unicode());
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : window, key, Qt::AltModifier);
        auto *popup = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        EXPECT_TRUE(popup && popup == menus[c]->menu())
            << "Alt+" << QString(c).toStdString() << " went to \"" << it->second.text.toStdString()
            << "\" instead of the menu \"" << menus[c]->text().toStdString() << "\"";
        if (popup)
            popup->close();
        window->menuBar()->setActiveAction(nullptr);
        // Anything else the user does ends the chance of a second press.
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : window, Qt::Key_Shift);
    }
}

} // namespace tintwell::test
