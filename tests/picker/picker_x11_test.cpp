// The picker on a real X server (run through xvfb-run): a window of known
// colours is put on the screen, the pointer is moved over it, and the
// magnifier is pressed, moved and released.
#include "picker/frmdragarea.h"
#include "picker/pickerpanel.h"
#include "picker/screengrabber.h"

#include "core/usermessages.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace tintwell {
namespace {

std::int32_t Value(QColor c) { return c.red() | c.green() << 8 | c.blue() << 16; }

// Four quadrants of 50 x 40 pixels with a single odd pixel in the first one.
class Target : public QWidget
{
public:
    static constexpr QPoint Origin{200, 150};
    static inline const QColor Colours[4] = {QColor(250, 10, 20), QColor(10, 240, 30), QColor(0, 0, 0),
                                             QColor(255, 255, 255)};
    static constexpr QPoint Odd{10, 10}; // relative to Origin
    static inline const QColor OddColour{0, 0, 255};

    Target() : QWidget(nullptr, Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint)
    {
        setGeometry(QRect(Origin, QSize(100, 80)));
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.fillRect(0, 0, 50, 40, Colours[0]);
        p.fillRect(50, 0, 50, 40, Colours[1]);
        p.fillRect(0, 40, 50, 40, Colours[2]);
        p.fillRect(50, 40, 50, 40, Colours[3]);
        p.fillRect(QRect(Odd, QSize(1, 1)), OddColour);
    }
};

struct PickerOnX11 : ::testing::Test {
    std::unique_ptr<ScreenGrabber> grabber = MakeQtScreenGrabber();
    RecordingMessages messages;
    std::unique_ptr<Target> target;
    std::unique_ptr<QWidget> frame;
    QMenu *menu = nullptr;
    std::array<QAction *, kSampleSizeCount> samples{};
    std::array<QAction *, kZoomCount> zooms{};
    std::unique_ptr<PickerPanel> panel;
    QList<std::int32_t> colours;

    void SetUp() override
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            GTEST_SKIP() << "needs an X server";
        target = std::make_unique<Target>();
        target->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(target.get()));
        frame = std::make_unique<QWidget>(nullptr, Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint);
        frame->setGeometry(600, 400, 70, 121);
        menu = new QMenu(frame.get());
        for (auto &a : samples)
            a = menu->addAction(QStringLiteral("s"));
        for (auto &a : zooms)
            a = menu->addAction(QStringLiteral("z"));
        panel = std::make_unique<PickerPanel>(frame.get(), menu, samples, zooms, *grabber, messages);
        QObject::connect(panel.get(), &PickerPanel::colorChosen, [this](std::int32_t c) { colours.append(c); });
        frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
        // Until the server shows the target, the screen still has the old pixels.
        const QPoint at = Target::Origin + QPoint(75, 60);
        ASSERT_TRUE(QTest::qWaitFor(
            [&] {
                const QImage img = grabber->grab(QRect(at, QSize(1, 1)));
                return !img.isNull() && img.pixel(0, 0) == Target::Colours[3].rgb();
            },
            10000));
    }

    void pointTo(QPoint p)
    {
        QCursor::setPos(p);
        ASSERT_TRUE(QTest::qWaitFor([&] { return QCursor::pos() == p; }, 5000));
    }
    void send(QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held)
    {
        QWidget *z = panel->picZoom();
        QMouseEvent e(type, QPointF(5, 5), z->mapToGlobal(QPointF(5, 5)), button, held, Qt::NoModifier);
        QApplication::sendEvent(z, &e);
    }
};

TEST_F(PickerOnX11, OnePixelThreeByThreeAndTheView)
{
    const QPoint odd = Target::Origin + Target::Odd;
    pointTo(odd);
    send(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton);
    ASSERT_EQ(colours.size(), 1);
    EXPECT_EQ(colours.last(), Value(Target::OddColour));
    EXPECT_EQ(panel->lblXPos()->text(), QStringLiteral("X: %1").arg(odd.x()));

    // The view: the pointer pixel under the inverted centre, its neighbours as they are.
    const QImage view = panel->viewImage();
    EXPECT_EQ(view.pixel(27, 27), Target::OddColour.rgb() ^ 0x00FFFFFFu);
    EXPECT_EQ(view.pixel(26, 27), Target::Colours[0].rgb());
    EXPECT_EQ(view.pixel(27, 26), Target::Colours[0].rgb());

    // A move to the white quadrant follows at once.
    const QPoint white = Target::Origin + QPoint(80, 60);
    pointTo(white);
    send(QEvent::MouseMove, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(colours.last(), Value(Target::Colours[3]));
    send(QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton);

    // 3x3 around the odd pixel: eight red and one blue, remainders dropped.
    samples[1]->trigger();
    pointTo(odd);
    send(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton);
    const QColor r = Target::Colours[0];
    const int red = (8 * r.red()) / 9, green = (8 * r.green()) / 9, blue = (8 * r.blue() + 255) / 9;
    EXPECT_EQ(colours.last(), red | green << 8 | blue << 16);
    // 9x: the pointer pixel fills view cells 27-35 (the crosshair aside).
    zooms[4]->trigger();
    EXPECT_EQ(panel->viewImage().pixel(28, 29), Target::OddColour.rgb());
    EXPECT_EQ(panel->viewImage().pixel(36, 29), Target::Colours[0].rgb());
}

TEST_F(PickerOnX11, DraggedAreaAcrossTwoQuadrants)
{
    samples[3]->trigger();
    // 40 x 20 pixels, half in the black quadrant, half in the white one.
    const QPoint a = Target::Origin + QPoint(30, 50), b = Target::Origin + QPoint(69, 69);
    pointTo(b);
    send(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseButtonPress, Qt::RightButton, Qt::LeftButton | Qt::RightButton);
    pointTo(a);
    send(QEvent::MouseMove, Qt::NoButton, Qt::LeftButton | Qt::RightButton);
    frmDragArea *frame = panel->dragArea();
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(frame->geometry(), QRect(a, b));
    EXPECT_TRUE(colours.isEmpty());
    // On the screen the frame is its outline only: the pixels inside show
    // through, and it has not taken the focus.
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            const QImage edge = grabber->grab(QRect(a, QSize(40, 1)));
            return !edge.isNull() && edge.pixel(5, 0) != Target::Colours[2].rgb();
        },
        10000));
    const QImage inside = grabber->grab(QRect(a + QPoint(1, 1), QSize(38, 18)));
    EXPECT_EQ(inside.pixel(0, 0), Target::Colours[2].rgb());
    EXPECT_EQ(inside.pixel(37, 17), Target::Colours[3].rgb());
    EXPECT_NE(QGuiApplication::focusWindow(), frame->windowHandle());
    send(QEvent::MouseButtonRelease, Qt::RightButton, Qt::LeftButton);
    EXPECT_FALSE(frame->isVisible());
    ASSERT_EQ(colours.size(), 1);
    EXPECT_EQ(colours.last(), 127 | 127 << 8 | 127 << 16);
    send(QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton);
}

// The whole gesture from the X server's own input (XTest through xdotool):
// the grab keeps the moves coming after the pointer leaves the window.
TEST_F(PickerOnX11, RealPressMoveAndReleaseThroughXTest)
{
    const QString xdotool = QStandardPaths::findExecutable(QStringLiteral("xdotool"));
    if (xdotool.isEmpty())
        GTEST_SKIP() << "xdotool is not installed";
    const QPoint zoomCentre = panel->picZoom()->mapToGlobal(panel->picZoom()->rect().center());
    const QPoint green = Target::Origin + QPoint(70, 20);
    QProcess p;
    p.start(xdotool, {QStringLiteral("mousemove"), QString::number(zoomCentre.x()), QString::number(zoomCentre.y()),
                      QStringLiteral("mousedown"), QStringLiteral("1"), QStringLiteral("sleep"), QStringLiteral("0.2"),
                      QStringLiteral("mousemove"), QString::number(green.x()), QString::number(green.y()),
                      QStringLiteral("sleep"), QStringLiteral("0.2"), QStringLiteral("mouseup"), QStringLiteral("1")});
    ASSERT_TRUE(p.waitForStarted());
    // Wait for the outcome, not for a time: the last sample is the green quadrant.
    EXPECT_TRUE(QTest::qWaitFor([&] { return !colours.isEmpty() && colours.last() == Value(Target::Colours[1]); },
                                20000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return p.state() == QProcess::NotRunning; }, 20000));
    QTest::qWait(50);
    EXPECT_EQ(colours.last(), Value(Target::Colours[1]));
    EXPECT_EQ(panel->lblXPos()->text(), QStringLiteral("X: %1").arg(green.x()));
    // The release outside the window reached the magnifier: its grab is over.
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
}

} // namespace
} // namespace tintwell
