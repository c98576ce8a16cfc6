#pragma once
// The screen picker in the main window's "Picker" frame: the magnifier
// picZoom, its labels, the behaviour of the Picker menu's two groups and of
// the S and Z keys, the drag-area frame and the progress window. It reads the
// screen through a ScreenGrabber and hands every sample out through
// colorChosen; the window that owns it decides what a colour change means.

#include "picker/pickergeometry.h"

#include <QImage>
#include <QObject>
#include <QPoint>
#include <QWidget>
#include <array>
#include <cstdint>
#include <memory>

class QAction;
class QActionGroup;
class QLabel;
class QMenu;

namespace tintwell {

class ScreenGrabber;
class UserMessages;
class frmDragArea;
class frmWait;

// The magnifier: shows the saved view and passes the mouse on.
class PicZoom : public QWidget
{
    Q_OBJECT
public:
    PicZoom(int viewSide, QWidget *parent);
    void setView(const QImage &view);
    const QImage &view() const { return m_view; }
    static constexpr int Border = 2;

signals:
    void pressed(Qt::MouseButton button);
    void moved(Qt::MouseButtons buttons);
    void released(Qt::MouseButton button);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QImage m_view;
};

class PickerPanel : public QObject
{
    Q_OBJECT
public:
    // frame: the "Picker" frame to fill. menu: the Picker menu, shown on a
    // right click; sampleItems and zoomItems are its two groups in menu
    // order, made exclusive here (1x1 and 1x checked at every start).
    PickerPanel(QWidget *frame, QMenu *menu, const std::array<QAction *, kSampleSizeCount> &sampleItems,
                const std::array<QAction *, kZoomCount> &zoomItems, ScreenGrabber &grabber,
                UserMessages &messages, QObject *parent = nullptr);
    ~PickerPanel() override;

    // The S and Z keys: the next item of the group, then a pass at the saved position.
    void cycleSampleSize();
    void cycleZoom();

    PicZoom *picZoom() const { return m_zoom; }
    QLabel *lblClick() const { return m_click; }
    QLabel *lblXPos() const { return m_xPos; }
    QLabel *lblYPos() const { return m_yPos; }
    frmDragArea *dragArea();
    frmWait *waitWindow();
    QImage viewImage() const;
    SampleSize sampleSize() const { return SampleSize(m_sample); }
    int zoomIndex() const { return m_zoomIndex; }
    int viewSide() const { return m_viewSide; }
    bool pickerUsed() const { return m_used; }
    QPoint savedPosition() const { return m_saved; }
    // The pointer image while the button is held: hot spot (7, 7), inverting arms.
    static QCursor pickerCursor();

signals:
    void colorChosen(std::int32_t colour);

private:
    void onPressed(Qt::MouseButton button);
    void onReleased(Qt::MouseButton button);
    void finishRelease();
    void reportUnreadable();
    void onSampleItem(int index);
    void onZoomItem(int index);
    void pass(Qt::MouseButtons button);
    // Lets the window repaint; passes that arrive meanwhile return at once.
    void yieldBusy();
    bool screenReadable();
    void sampleArea(const QRect &screen);
    void showView(const QImage &source, QPoint sourceOrigin, const QRect &screen);

    ScreenGrabber &m_grabber;
    UserMessages &m_messages;
    QMenu *m_menu;
    std::array<QAction *, kSampleSizeCount> m_sampleItems;
    std::array<QAction *, kZoomCount> m_zoomItems;
    PicZoom *m_zoom = nullptr;
    QLabel *m_click = nullptr;
    QLabel *m_xPos = nullptr;
    QLabel *m_yPos = nullptr;
    std::unique_ptr<frmDragArea> m_dragArea;
    std::unique_ptr<frmWait> m_wait;

    double m_twips = 15;
    int m_viewSide = 54;
    int m_sample = 0;
    int m_zoomIndex = 0;
    bool m_used = false;
    bool m_reuseSaved = false;
    bool m_leftHeld = false;
    bool m_areaDrag = false;
    bool m_busy = false;
    bool m_sampleAreaNow = false;
    bool m_warned = false;
    // A release that came while a pass was yielding: it runs when that pass ends.
    bool m_deferredRelease = false;
    // An area is being read: the release of the other button ends nothing more.
    bool m_finishingArea = false;
    // The left press yields once before it grabs the mouse; a release in
    // that moment must not leave a grab behind.
    bool m_pressing = false;
    bool m_releasedWhilePressing = false;
    QPoint m_saved;
    QPoint m_current;
    QPoint m_anchor;
};

} // namespace tintwell
