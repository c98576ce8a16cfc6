#include "platform/windowplacement.h"

#include <QEvent>
#include <QWidget>

namespace tintwell {

namespace {

// Lives until the first look at the framed window, then goes.
class FrameCorrection : public QObject
{
public:
    FrameCorrection(QWidget *window, QPoint framePos)
        : QObject(window)
        , m_window(window)
        , m_framePos(framePos)
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched != m_window || !m_window->isVisible())
            return false;
        const QEvent::Type type = event->type();
        if (type != QEvent::Move && type != QEvent::Show && type != QEvent::Resize &&
            type != QEvent::WindowActivate)
            return false;
        // Framed: the frame is larger than the client. Without a window
        // manager it never is, and the position was right from the start.
        if (m_window->frameGeometry().size() == m_window->geometry().size()) {
            if (++m_unframedLooks > 8)
                deleteLater();
            return false;
        }
        if (m_window->pos() != m_framePos)
            m_window->move(m_framePos);
        m_window->removeEventFilter(this);
        deleteLater();
        return false;
    }

private:
    QWidget *m_window;
    QPoint m_framePos;
    int m_unframedLooks = 0;
};

} // namespace

void PlaceFrameAt(QWidget *window, QPoint framePos)
{
    window->move(framePos);
    if (!window->isVisible())
        new FrameCorrection(window, framePos);
}

} // namespace tintwell
