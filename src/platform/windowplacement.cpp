#include "platform/windowplacement.h"

#include <QElapsedTimer>
#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace tintwell {

namespace {

// Watches the window for a short while after it is shown. The window
// manager's placement and the frame's size arrive as separate X events, in
// no fixed order and with no Qt event for the frame, so this looks every 20 ms
// until the frame has stood where it belongs for a moment. It corrects only
// the one misplacement it is for, the client standing where the frame
// belongs; a window moved anywhere else is left alone.
class FrameCorrection : public QObject
{
public:
    FrameCorrection(QWidget *window, QPoint framePos)
        : QObject(window)
        , m_window(window)
        , m_framePos(framePos)
    {
        window->installEventFilter(this);
        m_timer.setInterval(20);
        connect(&m_timer, &QTimer::timeout, this, &FrameCorrection::look);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_window && event->type() == QEvent::Show && !m_timer.isActive()) {
            m_clock.start();
            m_timer.start();
        }
        return false;
    }

private:
    void look()
    {
        // Without a window manager there is never a frame, and the position
        // was right from the start.
        if (m_clock.elapsed() > kWatchMs || m_corrections > kMaxCorrections) {
            finish();
            return;
        }
        const bool framed = m_window->frameGeometry().size() != m_window->geometry().size();
        if (!framed || !m_window->isVisible())
            return;
        if (m_window->pos() == m_framePos) {
            if (++m_settledLooks >= kSettledLooks)
                finish();
        } else if (m_window->geometry().topLeft() == m_framePos) {
            // The creep: the client, not the frame, went where the frame belongs.
            m_window->move(m_framePos);
            ++m_corrections;
            m_settledLooks = 0;
        } else {
            // Moved elsewhere, by the user or the program: theirs to decide.
            finish();
        }
    }

    void finish()
    {
        m_timer.stop();
        m_window->removeEventFilter(this);
        deleteLater();
    }

    static constexpr qint64 kWatchMs = 3000;
    static constexpr int kMaxCorrections = 3;
    static constexpr int kSettledLooks = 5;

    QWidget *m_window;
    QPoint m_framePos;
    QTimer m_timer;
    QElapsedTimer m_clock;
    int m_corrections = 0;
    int m_settledLooks = 0;
};

} // namespace

void PlaceFrameAt(QWidget *window, QPoint framePos)
{
    window->move(framePos);
    if (!window->isVisible())
        new FrameCorrection(window, framePos);
}

} // namespace tintwell
