#pragma once
// A caption and a menu title on the same Alt+letter. Qt would hand such
// presses out in turn, starting with whichever registered first, and keep
// counting across unrelated key strokes. Here the rule is fixed: a press opens
// the menu; a press right after that menu closed without a choice (Escape)
// reaches the control. Anything else the user does in between starts afresh.

#include <QHash>
#include <QObject>
#include <QPointer>

class QAction;
class QMainWindow;
class QWidget;

namespace tintwell {

// The letter after a single "&", upper-cased; a null QChar when there is none.
QChar MnemonicLetter(const QString &text);

class MnemonicArbiter : public QObject
{
    Q_OBJECT
public:
    // Watches window from now on; call rescan() when its controls change.
    explicit MnemonicArbiter(QMainWindow *window);
    // Finds the colliding controls again (captions change with modes).
    void rescan();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void openMenu(QChar letter);
    void pressControl(QWidget *control);

    QMainWindow *m_window;
    QHash<QChar, QAction *> m_menus;            // title letter -> menu bar action
    QHash<QChar, QPointer<QWidget>> m_controls; // colliding letter -> control
    QChar m_armed;                              // a menu closed without a choice
    bool m_chosen = false;
};

} // namespace tintwell
