#include "picker/frmdragarea.h"

#include "picker/sampling.h"

#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <QTimer>

namespace tintwell {

frmDragArea::frmDragArea(QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                          Qt::WindowDoesNotAcceptFocus | Qt::X11BypassWindowManagerHint),
      m_timer(new QTimer(this))
{
    setWindowTitle(QStringLiteral("Drag Area"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    m_timer->setInterval(AnimateIntervalMs);
    connect(m_timer, &QTimer::timeout, this, [this] { animate(true); });
    hide();
}

void frmDragArea::SetSize(int Width, int Height, int Left, int Top)
{
    Width = std::max(Width, 1);
    Height = std::max(Height, 1);
    setGeometry(Left, Top, Width, Height);
    // Only the outline belongs to the window (an X11 shape), so the pixels
    // inside stay visible and readable.
    const QRegion outer(0, 0, Width, Height);
    const QRegion inner = Width > 2 && Height > 2 ? QRegion(1, 1, Width - 2, Height - 2) : QRegion();
    setMask(outer.subtracted(inner));
    if (m_image.size() != QSize(Width, Height))
        m_image = QImage(Width, Height, QImage::Format_RGB32);
    animate(false);
}

void frmDragArea::ShowArea()
{
    show();
    raise();
    m_timer->start();
}

void frmDragArea::HideArea()
{
    m_timer->stop();
    hide();
}

void frmDragArea::animate(bool advance)
{
    if (advance)
        m_phase = (m_phase + 1) % 8;
    if (m_image.isNull())
        m_image = QImage(std::max(width(), 1), std::max(height(), 1), QImage::Format_RGB32);
    DrawAreaFrame(m_image, m_phase);
    update(mask().isEmpty() ? QRegion(rect()) : mask());
}

void frmDragArea::paintEvent(QPaintEvent *event)
{
    QPainter p(this);
    for (const QRect &r : event->region())
        p.drawImage(r.topLeft(), m_image, r);
}

void frmDragArea::keyReleaseEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape)
        HideArea();
    QWidget::keyReleaseEvent(event);
}

} // namespace tintwell
