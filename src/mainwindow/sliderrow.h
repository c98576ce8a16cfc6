#pragma once
// One owner-drawn slider row: minus button, track, plus button and (rows 0-2)
// a value box, with every mouse and keyboard gesture of the row. The row knows
// its range and steps as plain numbers and says what it wants through signals;
// the main window turns those into colour changes and calls setSliderValue()
// and redraw() back. Pointer coordinates are in logical pixels, which are the
// fixed 1x layout; the images are drawn at the screen's device pixel ratio
// (sliderdrawing.h), so a high-DPI screen gets sharp tracks, not stretched ones.

#include "mainwindow/sliderdrawing.h"

#include <QLineEdit>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>

class QTimer;

namespace tintwell {

// The auto-repeat timer, replaceable so tests can tick it by hand.
class RepeatTimer
{
public:
    virtual ~RepeatTimer() = default;
    virtual void start() = 0;
    virtual void stop() = 0;
    virtual bool isActive() const = 0;
    virtual void setInterval(int ms) = 0;
    virtual int interval() const = 0;
    std::function<void()> onTimeout;
};

class QtRepeatTimer : public RepeatTimer
{
public:
    QtRepeatTimer();
    ~QtRepeatTimer() override;
    void start() override;
    void stop() override;
    bool isActive() const override;
    void setInterval(int ms) override;
    int interval() const override;

private:
    std::unique_ptr<QTimer> m_timer;
};

// Where the pointer is and which buttons are down, asked by each repeat tick.
class PointerState
{
public:
    virtual ~PointerState() = default;
    virtual Qt::MouseButtons buttons() const;
    virtual QPoint globalPos() const;
};

class SliderRow;

// picMinusColor(i) / picPlusColor(i): draws itself from its raised or pressed
// image and hands every gesture to its row.
class StepButton : public QWidget
{
    Q_OBJECT
public:
    StepButton(StepGlyph glyph, SliderRow *row);
    StepGlyph glyph() const { return m_glyph; }
    bool shownPressed() const { return m_pressed; }
    void setShownPressed(bool pressed);
    void setColours(const SystemColors &colours);

protected:
    void paintEvent(QPaintEvent *) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    StepGlyph m_glyph;
    SliderRow *m_row;
    bool m_pressed = false;
    SystemColors m_colours;
    QImage m_raised;
    QImage m_down;
};

// txtRGBValue(i): four characters, all selected on focus, committed on focus
// loss and Enter; a Ctrl+V that brought in anything but digits and periods
// is reported so the window can put the old value back.
class SliderValueBox : public QLineEdit
{
    Q_OBJECT
public:
    explicit SliderValueBox(QWidget *parent = nullptr);

    // Pixels left for the text itself once the line edit's own margins and
    // its cursor are taken off.
    int textRoom() const;

signals:
    void commitRequested();
    void pasteRejected();

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void fitFont();

    bool m_selectOnClick = false;
    bool m_fitting = false;
};

// picColorBox(i).
class SliderRow : public QWidget
{
    Q_OBJECT
public:
    // Layout at 1x, in pixels.
    static constexpr int Border = 2;
    static constexpr int OuterWidth = 229;
    static constexpr int OuterHeight = 18;
    static constexpr int ValueBoxX = 201;
    static constexpr int ValueBoxWidth = 24;
    static int plusX(int row) { return row == ShadeRow ? 212 : 188; }

    // RepeatMode values.
    static constexpr int RepeatPlus = 1;
    static constexpr int RepeatMinus = -1;
    static constexpr int RepeatTrack = 0;
    static constexpr int RepeatNone = 99;

    SliderRow(int row, TrackImages *tracks, QWidget *parent = nullptr);
    ~SliderRow() override;

    int row() const { return m_row; }
    StepButton *minusButton() const { return m_minus; }
    StepButton *plusButton() const { return m_plus; }
    SliderValueBox *valueBox() const { return m_box; } // null for the shade row

    // Range and steps in the scheme's input units.
    void setScale(float base, float step, float largeStep);
    float base() const { return m_base; }
    float step() const { return m_step; }
    float largeStep() const { return m_largeStep; }
    // 0 for the new style.
    void setOldThumbWidth(int width) { m_oldThumbWidth = width; }
    int oldThumbWidth() const { return m_oldThumbWidth; }

    void setSliderValue(float value) { m_value = value; }
    float sliderValue() const { return m_value; }

    void setColours(const SystemColors &colours);
    // Puts this row's background strip and thumb into TrackBuffer and
    // schedules a repaint: CopyRowBackground, DrawRow and BlitTracks for one row.
    void redraw();
    // Only the thumb, over whatever the strip holds (callers that copied the
    // background themselves).
    void drawThumb();

    void setRepeatTimer(std::unique_ptr<RepeatTimer> timer);
    RepeatTimer *repeatTimer() const { return m_timer.get(); }
    void setPointerState(std::shared_ptr<PointerState> pointer) { m_pointer = std::move(pointer); }

    bool isDragging() const { return m_dragging; }
    bool isPaging() const { return m_paging; }
    bool isButtonHeld() const { return m_buttonHeld; }
    int repeatMode() const { return m_repeatMode; }

    // Gestures, in row coordinates (0, 0 = the inner top-left corner).
    void pressButton(StepGlyph glyph);
    void moveOnButton(const QPoint &buttonPos);
    void releaseButton();
    void pressTrack(const QPoint &pos);
    void moveTrack(const QPoint &pos);
    void releaseTrack();
    void repeatTick();

signals:
    // A step button went down; value is SliderValue plus or minus one step.
    void stepPressed(int row, int direction, float value);
    // Page, drag, repeat, Home and End: make this the row's value.
    void valueRequested(int row, float value);
    void commitRequested(int row);
    void pasteRejected(int row);
    void slidersMenuRequested(const QPoint &globalPos);
    void focusChanged(int row, bool focused);

protected:
    void paintEvent(QPaintEvent *) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    friend class StepButton;
    QPoint toRow(const QPoint &widgetPos) const { return widgetPos - QPoint(Border, Border); }
    int trackEnd() const { return TrackStart + trackLength(m_row) - 1; }
    void stopRepeat();
    void showMenu(const QPoint &globalPos);
    // The thumb into TrackBuffer without scheduling a repaint.
    void composeThumb();
    static int zone(int v, int low, int high);

    int m_row;
    TrackImages *m_tracks;
    SystemColors m_colours;
    StepButton *m_minus = nullptr;
    StepButton *m_plus = nullptr;
    SliderValueBox *m_box = nullptr;

    float m_base = 255.0f;
    float m_step = 1.0f;
    float m_largeStep = 51.0f;
    int m_oldThumbWidth = 0;
    float m_value = 0.0f;
    int m_drawnGeneration = 0; // TrackImages::generation() this row last drew for

    bool m_dragging = false;
    int m_dragOffset = 0;
    float m_dragStartValue = 0.0f;
    int m_dragZoneX = 0;
    int m_dragZoneY = 0;
    bool m_buttonHeld = false;
    StepGlyph m_heldGlyph = StepGlyph::Plus;
    bool m_paging = false;
    float m_repeatStep = 0.0f;
    int m_repeatMode = RepeatNone;

    std::unique_ptr<RepeatTimer> m_timer;
    std::shared_ptr<PointerState> m_pointer;
};

} // namespace tintwell
