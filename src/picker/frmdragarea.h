#pragma once
// The crawling frame around a dragged area. It is shaped to its one-pixel
// outline, so it covers none of the pixels it outlines, stays above other
// windows and never takes the focus.

#include <QImage>
#include <QWidget>

class QTimer;

namespace tintwell {

class frmDragArea : public QWidget
{
    Q_OBJECT
public:
    explicit frmDragArea(QWidget *parent = nullptr);

    // Screen pixels; the frame's outline is exactly this rectangle.
    void SetSize(int Width, int Height, int Left, int Top);
    void ShowArea();
    void HideArea();

    int phase() const { return m_phase; }
    // One animation step; the timer advances the phase first.
    void animate(bool advance);
    QTimer *tmrAnimate() const { return m_timer; }
    const QImage &frameImage() const { return m_image; }

    static constexpr int AnimateIntervalMs = 40;

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;

private:
    QTimer *m_timer;
    QImage m_image;
    int m_phase = 0;
};

} // namespace tintwell
