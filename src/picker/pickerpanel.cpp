#include "picker/pickerpanel.h"

#include "core/usermessages.h"
#include "picker/frmdragarea.h"
#include "picker/frmwait.h"
#include "picker/sampling.h"
#include "picker/screengrabber.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QBitmap>
#include <QCursor>
#include <QElapsedTimer>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include <cmath>

namespace tintwell {

// ------------------------------------------------------------------ PicZoom

PicZoom::PicZoom(int viewSide, QWidget *parent) : QWidget(parent)
{
    setFixedSize(viewSide + 2 * Border, viewSide + 2 * Border);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PicZoom::setView(const QImage &view)
{
    m_view = view;
    update();
}

void PicZoom::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    // A sunken picture box: shadow above and left, highlight below and right.
    const QPalette &pal = palette();
    const int w = width(), h = height();
    p.fillRect(rect(), pal.color(QPalette::Window));
    p.setPen(pal.color(QPalette::Dark));
    p.drawLine(0, 0, w - 2, 0);
    p.drawLine(0, 0, 0, h - 2);
    p.setPen(pal.color(QPalette::Shadow));
    p.drawLine(1, 1, w - 3, 1);
    p.drawLine(1, 1, 1, h - 3);
    p.setPen(pal.color(QPalette::Light));
    p.drawLine(0, h - 1, w - 1, h - 1);
    p.drawLine(w - 1, 0, w - 1, h - 1);
    p.drawImage(Border, Border, m_view);
}

void PicZoom::mousePressEvent(QMouseEvent *event)
{
    emit pressed(event->button());
}

void PicZoom::mouseMoveEvent(QMouseEvent *event)
{
    emit moved(event->buttons());
}

void PicZoom::mouseReleaseEvent(QMouseEvent *event)
{
    emit released(event->button());
}

// -------------------------------------------------------------- PickerPanel

PickerPanel::PickerPanel(QWidget *frame, QMenu *menu, const std::array<QAction *, kSampleSizeCount> &sampleItems,
                         const std::array<QAction *, kZoomCount> &zoomItems, ScreenGrabber &grabber,
                         UserMessages &messages, QObject *parent)
    : QObject(parent), m_grabber(grabber), m_messages(messages), m_menu(menu), m_sampleItems(sampleItems),
      m_zoomItems(zoomItems)
{
    m_twips = TwipsPerPixel(grabber.logicalDpi());
    m_viewSide = ViewSize(m_twips);

    auto *samples = new QActionGroup(this);
    auto *zooms = new QActionGroup(this);
    for (int i = 0; i < kSampleSizeCount; ++i) {
        QAction *a = m_sampleItems[std::size_t(i)];
        a->setCheckable(true);
        a->setChecked(i == 0);
        samples->addAction(a);
        connect(a, &QAction::triggered, this, [this, i] { onSampleItem(i); });
    }
    for (int i = 0; i < kZoomCount; ++i) {
        QAction *a = m_zoomItems[std::size_t(i)];
        a->setCheckable(true);
        a->setChecked(i == 0);
        zooms->addAction(a);
        connect(a, &QAction::triggered, this, [this, i] { onZoomItem(i); });
    }

    m_zoom = new PicZoom(m_viewSide, frame);
    m_zoom->setObjectName(QStringLiteral("picZoom"));
    m_zoom->move(std::max(0, (frame->width() - m_zoom->width()) / 2), 16);
    m_zoom->setView(BlankView(m_viewSide, m_zoom->palette().color(QPalette::Window).rgb()));
    connect(m_zoom, &PicZoom::pressed, this, &PickerPanel::onPressed);
    connect(m_zoom, &PicZoom::moved, this, [this](Qt::MouseButtons b) { pass(b); });
    connect(m_zoom, &PicZoom::released, this, &PickerPanel::onReleased);

    const int below = m_zoom->y() + m_zoom->height() + 2;
    auto label = [frame](const QString &text, const QString &tip, int y) {
        auto *l = new QLabel(text, frame);
        l->setGeometry(3, y, std::max(frame->width() - 6, 10), 14);
        l->setToolTip(tip);
        return l;
    };
    // No buddy: the "&" is shown, it is no access key.
    m_click = label(QStringLiteral("Click & Drag"), QStringLiteral("Click & Drag Box To Use Color Picker"), below);
    m_click->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    // The frame is narrow: the whole width, and a smaller font if even that is short.
    m_click->setGeometry(0, below, frame->width(), 14);
    QFont small = m_click->font();
    while (small.pixelSize() > 8 && QFontMetrics(small).horizontalAdvance(m_click->text()) > frame->width() - 2)
        small.setPixelSize(small.pixelSize() - 1);
    m_click->setFont(small);
    m_xPos = label(QStringLiteral("X:"), QStringLiteral("Screen Coordinates of Pixel"), below + 16);
    m_yPos = label(QStringLiteral("Y:"), QStringLiteral("Screen Coordinates of Pixel"), below + 30);
}

PickerPanel::~PickerPanel() = default;

frmDragArea *PickerPanel::dragArea()
{
    if (!m_dragArea)
        m_dragArea = std::make_unique<frmDragArea>();
    return m_dragArea.get();
}

frmWait *PickerPanel::waitWindow()
{
    if (!m_wait)
        m_wait = std::make_unique<frmWait>();
    return m_wait.get();
}

QImage PickerPanel::viewImage() const
{
    return m_zoom->view();
}

QCursor PickerPanel::pickerCursor()
{
    // Bitmap 1 with mask 0 inverts the screen under it.
    QBitmap bits(32, 32), mask(32, 32);
    bits.fill(Qt::color0);
    mask.fill(Qt::color0);
    QImage shape(32, 32, QImage::Format_RGB32);
    shape.fill(Qt::black);
    DrawPickerCrosshair(shape, QPoint(0, 0));
    QImage monoBits = shape.convertToFormat(QImage::Format_Mono);
    bits = QBitmap::fromImage(monoBits);
    return QCursor(bits, mask, 7, 7);
}

bool PickerPanel::screenReadable()
{
    const QString reason = m_grabber.unreadableReason();
    if (reason.isEmpty())
        return true;
    if (!m_warned) {
        m_warned = true;
        m_messages.show(QStringLiteral("Tintwell"), reason, MsgIcon::Exclamation);
    }
    return false;
}

void PickerPanel::onPressed(Qt::MouseButton button)
{
    if (button == Qt::LeftButton) {
        if (!screenReadable())
            return;
        m_zoom->setCursor(pickerCursor());
        m_used = true;
        m_reuseSaved = false;
        m_pressing = true;
        m_releasedWhilePressing = false;
        yieldBusy();
        m_pressing = false;
        if (m_releasedWhilePressing) {
            // A quick click whose release came during the yield: sample once,
            // and take no grab that no release would end.
            m_zoom->unsetCursor();
            pass(Qt::LeftButton);
            return;
        }
        // Moves outside the window still reach the magnifier.
        m_zoom->grabMouse(pickerCursor());
        pass(Qt::LeftButton);
        m_leftHeld = true;
    } else if (button == Qt::RightButton) {
        if (m_leftHeld) {
            m_anchor = m_grabber.cursorPos();
            m_areaDrag = true;
            pass(Qt::RightButton);
        } else if (m_menu) {
            m_menu->popup(QCursor::pos());
        }
    }
}

void PickerPanel::onReleased(Qt::MouseButton button)
{
    if (button != Qt::LeftButton && button != Qt::RightButton)
        return;
    if (button == Qt::LeftButton && m_pressing) {
        m_releasedWhilePressing = true;
        return;
    }
    if (button == Qt::RightButton && !m_leftHeld && !m_areaDrag)
        return; // the end of a right click that opened the menu
    m_zoom->unsetCursor();
    m_leftHeld = false;
    m_zoom->releaseMouse();
    if (m_dragArea)
        m_dragArea->HideArea();
    if (!m_areaDrag && button != Qt::RightButton)
        return;
    if (m_finishingArea)
        return; // the other button of a drag whose area is being read now
    m_sampleAreaNow = true;
    if (m_busy) {
        m_deferredRelease = true;
        return;
    }
    finishRelease();
}

void PickerPanel::finishRelease()
{
    m_finishingArea = true;
    pass(Qt::LeftButton);
    m_areaDrag = false;
    m_sampleAreaNow = false;
    m_finishingArea = false;
}

void PickerPanel::reportUnreadable()
{
    if (m_warned)
        return;
    m_warned = true;
    m_messages.show(QStringLiteral("Tintwell"), WaylandPickerMessage(), MsgIcon::Exclamation);
}

void PickerPanel::onSampleItem(int index)
{
    if (index == m_sample)
        return;
    m_sample = index;
    m_reuseSaved = true;
    pass(Qt::LeftButton);
}

void PickerPanel::onZoomItem(int index)
{
    if (index == m_zoomIndex)
        return;
    m_zoomIndex = index;
    m_reuseSaved = true;
    pass(Qt::LeftButton);
}

void PickerPanel::cycleSampleSize()
{
    m_sample = (m_sample + 1) % kSampleSizeCount;
    m_sampleItems[std::size_t(m_sample)]->setChecked(true);
    m_reuseSaved = true;
    pass(Qt::LeftButton);
}

void PickerPanel::cycleZoom()
{
    m_zoomIndex = (m_zoomIndex + 1) % kZoomCount;
    m_zoomItems[std::size_t(m_zoomIndex)]->setChecked(true);
    m_reuseSaved = true;
    pass(Qt::LeftButton);
}

void PickerPanel::yieldBusy()
{
    const bool was = m_busy;
    m_busy = true;
    QCoreApplication::processEvents();
    m_busy = was;
}

void PickerPanel::pass(Qt::MouseButtons button)
{
    if (!m_used || m_busy)
        return;
    if (button == Qt::NoButton) {
        m_saved = m_current;
        return;
    }
    if (m_reuseSaved) {
        m_current = m_saved;
        m_reuseSaved = false;
    } else {
        m_current = m_grabber.cursorPos();
    }
    m_xPos->setText(QStringLiteral("X: %1").arg(m_current.x()));
    m_yPos->setText(QStringLiteral("Y: %1").arg(m_current.y()));

    const QRect screen = m_grabber.virtualGeometry();
    const ZoomStep step = ZoomStepFor(m_zoomIndex, m_twips);
    const ViewGeometry view = MagnifyGeometry(m_current, step, screen);
    const SampleSize size = sampleSize();

    if (size == SampleSize::DragArea) {
        if (m_areaDrag) {
            const QRect area = AreaRect(m_anchor, m_current);
            if (!m_sampleAreaNow) {
                frmDragArea *frame = dragArea();
                // Windows are placed in logical pixels; the area is in device pixels.
                const qreal ratio = m_zoom->devicePixelRatioF();
                const QRect shown = ratio == 1.0 ? area
                                                 : QRect(QPoint(int(std::floor(area.left() / ratio)),
                                                                int(std::floor(area.top() / ratio))),
                                                         QPoint(int(std::ceil((area.right() + 1) / ratio)) - 1,
                                                                int(std::ceil((area.bottom() + 1) / ratio)) - 1));
                frame->SetSize(shown.width(), shown.height(), shown.left(), shown.top());
                frame->ShowArea();
            } else {
                sampleArea(screen);
                m_sampleAreaNow = false;
            }
        }
        const QImage source = m_grabber.grab(view.source);
        if (source.isNull()) {
            reportUnreadable();
            return;
        }
        showView(source, view.source.topLeft(), screen);
    } else {
        // One copy from the screen serves the sample and the view.
        const QRect block = SampleBlock(m_current, SampleSide(size), screen);
        const QRect needed = view.source.united(block);
        const QImage shot = m_grabber.grab(needed);
        if (shot.isNull()) {
            reportUnreadable(); // never a silent black sample
            return;
        }
        const std::int32_t colour = AverageColor(shot, block.translated(-needed.topLeft()));
        emit colorChosen(colour);
        showView(shot, needed.topLeft(), screen);
    }

    yieldBusy();
    m_saved = m_current;
    if (m_deferredRelease) {
        m_deferredRelease = false;
        finishRelease();
    }
}

void PickerPanel::showView(const QImage &source, QPoint sourceOrigin, const QRect &screen)
{
    const ZoomStep step = ZoomStepFor(m_zoomIndex, m_twips);
    const ViewGeometry view = MagnifyGeometry(m_current, step, screen);
    QImage image = MagnifiedView(source, sourceOrigin, view.source, m_viewSide, step.side);
    DrawInvertedOutline(image, FrameOutline(view, step, sampleSize()));
    DrawPickerCrosshair(image, view.reference);
    m_zoom->setView(image);
}

void PickerPanel::sampleArea(const QRect &screen)
{
    QRect area = AreaRect(m_anchor, m_current).intersected(screen);
    if (area.isEmpty())
        area = SampleBlock(m_current, 1, screen);
    // The frame has just been hidden over the area's edge: let the windows
    // under it repaint before their pixels are read.
    m_grabber.settle();
    yieldBusy();
    const QImage shot = m_grabber.grab(area);
    if (shot.isNull()) {
        reportUnreadable();
        return;
    }

    const bool progress = AreaShowsProgress(area);
    frmWait *wait = progress ? waitWindow() : nullptr;
    if (wait) {
        if (const QScreen *at = QGuiApplication::screenAt(area.center())) {
            QRect r = wait->frameGeometry();
            r.moveCenter(at->geometry().center());
            wait->move(r.topLeft());
        }
        wait->show();
        yieldBusy();
    }
    // The label repaints at most once a screen refresh: letting the event
    // loop run after every row of a large area would cost more than the sums.
    const QScreen *primary = QGuiApplication::primaryScreen();
    const double refresh = primary && primary->refreshRate() > 1 ? primary->refreshRate() : 60.0;
    const qint64 frameNs = qint64(1e9 / refresh);
    QElapsedTimer clock;
    clock.start();
    ColorSums sums;
    const int height = shot.height();
    for (int row = 0; row < height; ++row) {
        sums.add(SumRow(shot, row, 0, shot.width()));
        if (wait && (row == 0 || clock.nsecsElapsed() >= frameNs)) {
            wait->setProgress(ProgressText(row, height));
            yieldBusy();
            clock.restart();
        }
    }
    if (wait)
        wait->hide();
    emit colorChosen(sums.average());
}

} // namespace tintwell
