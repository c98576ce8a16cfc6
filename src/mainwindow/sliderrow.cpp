#include "mainwindow/sliderrow.h"

#include <QClipboard>
#include <QCursor>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace tintwell {

namespace {
constexpr int FirstRepeatMs = 400;
constexpr int NextRepeatMs = 40;
constexpr int FarZone = 50; // pixels off the track before a drag lets go
constexpr int LineEditMargin = 2; // QLineEdit's own space left and right of its text
} // namespace

QtRepeatTimer::QtRepeatTimer()
    : m_timer(std::make_unique<QTimer>())
{
    m_timer->setInterval(FirstRepeatMs);
    QObject::connect(m_timer.get(), &QTimer::timeout, [this] {
        if (onTimeout)
            onTimeout();
    });
}

QtRepeatTimer::~QtRepeatTimer() = default;
void QtRepeatTimer::start() { m_timer->start(); }
void QtRepeatTimer::stop() { m_timer->stop(); }
bool QtRepeatTimer::isActive() const { return m_timer->isActive(); }
void QtRepeatTimer::setInterval(int ms) { m_timer->setInterval(ms); }
int QtRepeatTimer::interval() const { return m_timer->interval(); }

Qt::MouseButtons PointerState::buttons() const { return QGuiApplication::mouseButtons(); }
QPoint PointerState::globalPos() const { return QCursor::pos(); }

// ---------------------------------------------------------------- StepButton

StepButton::StepButton(StepGlyph glyph, SliderRow *row)
    : QWidget(row)
    , m_glyph(glyph)
    , m_row(row)
{
    setFocusPolicy(Qt::NoFocus); // a click focuses the row, as the row owns the keys
    setFixedSize(ButtonWidth, ButtonHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setColours(SystemColors());
}

void StepButton::setColours(const SystemColors &colours)
{
    m_colours = colours;
    m_raised = DrawStepButton(m_glyph, false, colours, devicePixelRatioF());
    m_down = DrawStepButton(m_glyph, true, colours, devicePixelRatioF());
    update();
}

void StepButton::setShownPressed(bool pressed)
{
    if (pressed == m_pressed)
        return;
    m_pressed = pressed;
    update();
}

void StepButton::paintEvent(QPaintEvent *)
{
    // The window may have moved to a screen of another ratio since.
    if (m_raised.devicePixelRatio() != devicePixelRatioF()) {
        m_raised = DrawStepButton(m_glyph, false, m_colours, devicePixelRatioF());
        m_down = DrawStepButton(m_glyph, true, m_colours, devicePixelRatioF());
    }
    QPainter painter(this);
    painter.drawImage(QPointF(0, 0), m_pressed ? m_down : m_raised);
}

void StepButton::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        m_row->pressButton(m_glyph);
    } else if (event->button() == Qt::RightButton) {
        if (m_row->isButtonHeld())
            m_row->releaseButton();
        m_row->showMenu(event->globalPosition().toPoint());
    }
}

void StepButton::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The second click of a double click is one more step.
    mousePressEvent(event);
}

void StepButton::mouseMoveEvent(QMouseEvent *event)
{
    if (m_row->isButtonHeld())
        m_row->moveOnButton(event->position().toPoint());
}

void StepButton::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && m_row->isButtonHeld())
        m_row->releaseButton();
}

// ------------------------------------------------------------ SliderValueBox

SliderValueBox::SliderValueBox(QWidget *parent)
    : QLineEdit(parent)
{
    setMaxLength(4);
    setFrame(false);
    setText(QStringLiteral("0"));
    // The box is 24 pixels wide and must show four characters such as "0.07"
    // whole; QLineEdit keeps 2 pixels free on each side, which we give back.
    setTextMargins(-LineEditMargin, 0, -LineEditMargin, 0);
    fitFont();
}

int SliderValueBox::textRoom() const
{
    QStyleOptionFrame option;
    initStyleOption(&option);
    const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
    const QMargins margins = textMargins();
    constexpr int cursorWidth = 1;
    return contents.width() - margins.left() - margins.right() - 2 * LineEditMargin - cursorWidth;
}

// Shrinks the inherited font until the widest text a scheme writes here (three
// digits and a point) fits without scrolling, which would hide its first digit.
void SliderValueBox::fitFont()
{
    m_fitting = true;
    QFont f = font();
    int pixels = QFontInfo(f).pixelSize();
    auto widest = [](const QFont &font) {
        const QFontMetricsF metrics(font);
        qreal digit = 0;
        for (char c = '0'; c <= '9'; ++c)
            digit = std::max(digit, metrics.horizontalAdvance(QLatin1Char(c)));
        return 3 * digit + metrics.horizontalAdvance(QLatin1Char('.'));
    };
    constexpr int smallestPixels = 7;
    while (pixels > smallestPixels && widest(f) > textRoom()) {
        f.setPixelSize(--pixels);
    }
    if (f != font())
        setFont(f);
    m_fitting = false;
}

void SliderValueBox::changeEvent(QEvent *event)
{
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange && !m_fitting)
        fitFont();
}

void SliderValueBox::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    selectAll();
    // A click that brought the focus would otherwise place the cursor and
    // drop the selection straight away.
    m_selectOnClick = event->reason() == Qt::MouseFocusReason;
}

void SliderValueBox::mousePressEvent(QMouseEvent *event)
{
    QLineEdit::mousePressEvent(event);
    if (m_selectOnClick) {
        m_selectOnClick = false;
        selectAll();
    }
}

void SliderValueBox::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    m_selectOnClick = false;
    emit commitRequested();
}

void SliderValueBox::keyReleaseEvent(QKeyEvent *event)
{
    QLineEdit::keyReleaseEvent(event);
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        emit commitRequested();
        return;
    }
    const auto mods = event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    if (event->key() == Qt::Key_V && mods == Qt::ControlModifier) {
        const QString pasted = QGuiApplication::clipboard()->text();
        const bool foreign = std::any_of(pasted.begin(), pasted.end(), [](QChar c) {
            return !(c.isDigit() && c.unicode() < 128) && c != QLatin1Char('.');
        });
        if (foreign)
            emit pasteRejected();
    }
}

// ----------------------------------------------------------------- SliderRow

SliderRow::SliderRow(int row, TrackImages *tracks, QWidget *parent)
    : QWidget(parent)
    , m_row(row)
    , m_tracks(tracks)
    , m_timer(std::make_unique<QtRepeatTimer>())
    , m_pointer(std::make_shared<PointerState>())
{
    setFixedSize(OuterWidth, OuterHeight);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);

    m_minus = new StepButton(StepGlyph::Minus, this);
    m_minus->move(Border, Border);
    m_plus = new StepButton(StepGlyph::Plus, this);
    m_plus->move(Border + plusX(row), Border);
    if (row != ShadeRow) {
        m_box = new SliderValueBox(this);
        m_box->setGeometry(Border + ValueBoxX, Border, ValueBoxWidth, TrackHeight);
        connect(m_box, &SliderValueBox::commitRequested, this, [this] { emit commitRequested(m_row); });
        connect(m_box, &SliderValueBox::pasteRejected, this, [this] { emit pasteRejected(m_row); });
    }
    m_timer->onTimeout = [this] { repeatTick(); };
}

SliderRow::~SliderRow() = default;

void SliderRow::setScale(float base, float step, float largeStep)
{
    m_base = base;
    m_step = step;
    m_largeStep = largeStep;
}

void SliderRow::setColours(const SystemColors &colours)
{
    m_colours = colours;
    m_minus->setColours(colours);
    m_plus->setColours(colours);
    update();
}

void SliderRow::setRepeatTimer(std::unique_ptr<RepeatTimer> timer)
{
    m_timer = std::move(timer);
    m_timer->setInterval(FirstRepeatMs);
    m_timer->onTimeout = [this] { repeatTick(); };
}

void SliderRow::drawThumb()
{
    composeThumb();
    update();
}

void SliderRow::composeThumb()
{
    ThumbLook look;
    look.oldThumbWidth = m_oldThumbWidth;
    look.focused = hasFocus();
    if (m_paging && m_oldThumbWidth > 0)
        look.pagingDirection = m_repeatStep > 0 ? 1 : -1;
    m_tracks->DrawThumb(m_row, m_value, m_base, look, m_colours);
    m_drawnGeneration = m_tracks->generation();
}

void SliderRow::redraw()
{
    m_tracks->CopyRowBackground(m_row);
    drawThumb();
}

void SliderRow::paintEvent(QPaintEvent *)
{
    // The track images follow the screen's ratio: the first row to paint
    // after a change redraws them, and each row then puts its own strip and
    // thumb back before it is shown.
    m_tracks->setScale(devicePixelRatioF());
    if (m_drawnGeneration != m_tracks->generation()) {
        m_tracks->CopyRowBackground(m_row);
        composeThumb();
    }
    QPainter p(this);
    const int w = width();
    const int h = height();
    p.fillRect(rect(), QColor::fromRgb(m_colours.face));
    // Sunken two-pixel border.
    p.setPen(QColor::fromRgb(m_colours.shadow));
    p.drawLine(0, 0, w - 2, 0);
    p.drawLine(0, 0, 0, h - 2);
    p.setPen(QColor::fromRgb(m_colours.darkShadow));
    p.drawLine(1, 1, w - 3, 1);
    p.drawLine(1, 1, 1, h - 3);
    p.setPen(QColor::fromRgb(m_colours.highlight));
    p.drawLine(0, h - 1, w - 1, h - 1);
    p.drawLine(w - 1, 0, w - 1, h - 1);
    const int length = trackLength(m_row);
    // The source rectangle is in the image's device pixels.
    const qreal scale = m_tracks->scale();
    const int top = DeviceEdge(stripY(m_row), scale);
    p.drawImage(QRectF(Border + TrackStart, Border, length, TrackHeight), m_tracks->TrackBuffer(),
                QRectF(0, top, DeviceEdge(length, scale), DeviceEdge(stripY(m_row) + TrackHeight, scale) - top));
}

// -------------------------------------------------------------- step buttons

void SliderRow::pressButton(StepGlyph glyph)
{
    StepButton *button = glyph == StepGlyph::Minus ? m_minus : m_plus;
    button->setShownPressed(true);
    m_buttonHeld = true;
    m_heldGlyph = glyph;
    const int direction = glyph == StepGlyph::Minus ? -1 : 1;
    emit stepPressed(m_row, direction, m_value + float(direction) * m_step);
    m_repeatStep = float(direction) * m_step;
    m_repeatMode = direction;
    m_timer->setInterval(FirstRepeatMs);
    m_timer->start();
}

void SliderRow::moveOnButton(const QPoint &pos)
{
    StepButton *button = m_heldGlyph == StepGlyph::Minus ? m_minus : m_plus;
    const bool inside = pos.x() >= 0 && pos.y() >= 0 && pos.x() < button->width() && pos.y() < button->height();
    button->setShownPressed(inside);
}

void SliderRow::releaseButton()
{
    m_minus->setShownPressed(false);
    m_plus->setShownPressed(false);
    m_buttonHeld = false;
    m_repeatMode = RepeatNone;
    stopRepeat();
}

void SliderRow::stopRepeat()
{
    m_timer->stop();
    m_timer->setInterval(FirstRepeatMs);
}

// ------------------------------------------------------- track and thumb drag

void SliderRow::pressTrack(const QPoint &pos)
{
    const ThumbSpan span = thumbSpan(m_row, m_value, m_base, m_oldThumbWidth);
    const float x = float(pos.x());
    if (span.pos < x && x < span.pos + float(span.width)) {
        m_dragging = true;
        const float grip = m_oldThumbWidth > 0 ? 1.0f : float(TrackStart);
        m_dragOffset = int(std::nearbyint(x - span.pos - grip));
        m_dragStartValue = m_value;
        m_dragZoneX = 0;
        m_dragZoneY = 0;
        return;
    }
    float v;
    if (x >= span.pos + float(span.width)) {
        v = std::min(m_value + m_largeStep, m_base);
        m_repeatStep = m_largeStep;
    } else {
        v = std::max(m_value - m_largeStep, 0.0f);
        m_repeatStep = -m_largeStep;
    }
    m_repeatMode = RepeatTrack;
    m_paging = true;
    emit valueRequested(m_row, v);
    m_timer->setInterval(FirstRepeatMs);
    m_timer->start();
}

int SliderRow::zone(int v, int low, int high)
{
    if (v < low)
        return v < low - FarZone ? -2 : -1;
    if (v >= high)
        return v > high + FarZone ? 2 : 1;
    return 0;
}

void SliderRow::moveTrack(const QPoint &pos)
{
    if (!m_dragging)
        return;
    const int x = pos.x() - m_dragOffset;
    const int zoneX = zone(x, TrackStart, trackEnd());
    const int zoneY = zone(pos.y(), 0, TrackHeight);
    const bool changed = zoneX != m_dragZoneX || zoneY != m_dragZoneY;
    m_dragZoneX = zoneX;
    m_dragZoneY = zoneY;
    if (!changed && !(zoneX == 0 && std::abs(zoneY) <= 1))
        return;
    float v;
    if (std::abs(zoneX) == 2 || std::abs(zoneY) == 2)
        v = m_dragStartValue;
    else if (zoneX == -1)
        v = 0.0f;
    else if (zoneX == 1)
        v = m_base;
    else
        v = std::clamp(valueAtX(m_row, float(x), m_base, m_oldThumbWidth), 0.0f, m_base);
    emit valueRequested(m_row, v);
}

void SliderRow::releaseTrack()
{
    m_dragging = false;
    m_paging = false;
    m_repeatMode = RepeatNone;
    stopRepeat();
    redraw();
}

void SliderRow::repeatTick()
{
    const Qt::MouseButtons held = m_pointer->buttons() & (Qt::LeftButton | Qt::RightButton | Qt::MiddleButton);
    if (!held) {
        stopRepeat();
        return;
    }
    const QPoint global = m_pointer->globalPos();
    float target = -1.0f;
    if (m_repeatMode == RepeatPlus || m_repeatMode == RepeatMinus) {
        const StepButton *button = m_repeatMode == RepeatMinus ? m_minus : m_plus;
        const QPoint p = button->mapFromGlobal(global);
        if (p.x() < 0 || p.x() > ButtonWidth || p.y() < 0 || p.y() > ButtonHeight)
            return;
    } else if (m_repeatMode == RepeatTrack) {
        const QPoint p = toRow(mapFromGlobal(global));
        const int xt = p.x() - TrackStart;
        if (xt < 0 || xt > trackLength(m_row) - 1 || p.y() < 0 || p.y() > TrackHeight)
            return;
        const ThumbSpan span = thumbSpan(m_row, m_value, m_base, m_oldThumbWidth);
        const float xr = float(p.x());
        const float end = span.pos + float(span.width);
        if (xr >= span.pos && xr <= end)
            return;
        if ((m_repeatStep > 0 && span.pos > xr) || (m_repeatStep < 0 && end < xr))
            return;
        // The value whose thumb sits centred under the pointer: a page never
        // carries the thumb past it.
        const float centre = m_oldThumbWidth > 0 ? xr - float(m_oldThumbWidth) / 2.0f + 1.0f : xr;
        target = std::clamp(valueAtX(m_row, centre, m_base, m_oldThumbWidth), 0.0f, m_base);
    } else {
        stopRepeat();
        return;
    }

    float v = m_value + m_repeatStep;
    if (target >= 0.0f)
        v = m_repeatStep > 0 ? std::min(v, target) : std::max(v, target);
    bool ended = false;
    if (v < 0.0f) {
        v = 0.0f;
        ended = true;
    }
    if (v >= m_base) {
        v = m_base;
        ended = true;
    }
    emit valueRequested(m_row, v);
    if (ended)
        stopRepeat();
    else
        m_timer->setInterval(NextRepeatMs);
}

// ----------------------------------------------------------- events of the row

void SliderRow::showMenu(const QPoint &globalPos)
{
    if (m_dragging || m_paging)
        releaseTrack();
    emit slidersMenuRequested(globalPos);
}

void SliderRow::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::RightButton) {
        showMenu(event->globalPosition().toPoint());
        return;
    }
    if (event->button() == Qt::LeftButton)
        pressTrack(toRow(event->position().toPoint()));
}

void SliderRow::mouseDoubleClickEvent(QMouseEvent *event)
{
    mousePressEvent(event);
}

void SliderRow::mouseMoveEvent(QMouseEvent *event)
{
    if (m_dragging)
        moveTrack(toRow(event->position().toPoint()));
}

void SliderRow::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        releaseTrack();
}

void SliderRow::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Up:
        pressButton(StepGlyph::Minus);
        break;
    case Qt::Key_Right:
    case Qt::Key_Down:
        pressButton(StepGlyph::Plus);
        break;
    case Qt::Key_PageUp:
        pressTrack(QPoint(0, 0));
        break;
    case Qt::Key_PageDown:
        pressTrack(QPoint(trackEnd(), 0));
        break;
    case Qt::Key_Home:
        emit valueRequested(m_row, 0.0f);
        break;
    case Qt::Key_End:
        emit valueRequested(m_row, m_base);
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void SliderRow::keyReleaseEvent(QKeyEvent *event)
{
    if (event->isAutoRepeat()) {
        // Held keys repeat by their press events alone.
        return;
    }
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_Right:
    case Qt::Key_Down:
        releaseButton();
        break;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        releaseTrack();
        break;
    default:
        QWidget::keyReleaseEvent(event);
    }
}

void SliderRow::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    redraw();
    emit focusChanged(m_row, true);
}

void SliderRow::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    redraw();
    emit focusChanged(m_row, false);
}

} // namespace tintwell
