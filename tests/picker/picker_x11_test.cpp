// The picker on a real X server (run through xvfb-run), over a window of
// known colours; the last case presses, moves and releases through XTest.
#include "pickerfixture.h"

#include "picker/frmdragarea.h"
#include "picker/screengrabber.h"

#include <QLabel>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>

namespace tintwell {
namespace {

std::int32_t Value(QColor c) { return c.red() | c.green() << 8 | c.blue() << 16; }

// Four quadrants of 50 x 40 pixels at kOrigin, one odd blue pixel in the red one.
const QPoint kOrigin(200, 150), kOdd = kOrigin + QPoint(10, 10);
const QColor kRed(250, 10, 20), kGreen(10, 240, 30), kBlack(0, 0, 0), kWhite(255, 255, 255), kBlue(0, 0, 255);

struct PickerOnX11 : testing::PickerFixture {
    std::unique_ptr<ScreenGrabber> grabber = MakeQtScreenGrabber();
    QLabel target{nullptr, Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint};

    void SetUp() override
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            GTEST_SKIP() << "needs an X server";
        QPixmap quadrants(100, 80);
        QPainter p(&quadrants);
        for (auto [x, y, c] : {std::tuple{0, 0, kRed}, {50, 0, kGreen}, {0, 40, kBlack}, {50, 40, kWhite}})
            p.fillRect(x, y, 50, 40, c);
        p.fillRect(10, 10, 1, 1, kBlue);
        p.end();
        target.setPixmap(quadrants);
        target.setGeometry(QRect(kOrigin, quadrants.size()));
        target.show();
        build(*grabber);
        // Until the server has drawn, the screen still shows the old pixels.
        ASSERT_TRUE(QTest::qWaitFor([&] { return pixel(kOrigin + QPoint(75, 60)) == kWhite.rgb(); }, 10000))
            << "the target window never appeared on the screen";
    }
    // A failed grab reads as black, which no wait here accepts.
    QRgb pixel(QPoint p)
    {
        const QImage img = grabber->grab(QRect(p, QSize(1, 1)));
        return img.isNull() ? kBlack.rgb() : img.pixel(0, 0);
    }
    void pointTo(QPoint p) override
    {
        QCursor::setPos(p);
        ASSERT_TRUE(QTest::qWaitFor([&] { return QCursor::pos() == p; }, 5000)) << "the pointer never moved";
    }
};

TEST_F(PickerOnX11, OnePixelAndItsView)
{
    click(kOdd);
    EXPECT_EQ(colours, QList<std::int32_t>{Value(kBlue)});
    EXPECT_EQ(panel->viewImage().pixel(27, 27), kBlue.rgb() ^ 0x00FFFFFFu);
}

TEST_F(PickerOnX11, DraggedAreaAcrossTwoQuadrants)
{
    samples[3]->trigger();
    // 40 x 20 pixels, half in the black quadrant, half in the white one.
    const QPoint a = kOrigin + QPoint(30, 50), b = kOrigin + QPoint(69, 69);
    startArea(b, a);
    EXPECT_EQ(panel->dragArea()->geometry(), QRect(a, b));
    // On the screen the frame is its outline only, and it has not taken the focus.
    ASSERT_TRUE(QTest::qWaitFor([&] { return pixel(a + QPoint(5, 0)) != kBlack.rgb(); }, 10000))
        << "the frame's outline never appeared on the screen";
    EXPECT_EQ(pixel(b - QPoint(1, 1)), kWhite.rgb());
    EXPECT_NE(QGuiApplication::focusWindow(), panel->dragArea()->windowHandle());
    release(Qt::RightButton);
    release(Qt::LeftButton);
    EXPECT_FALSE(panel->dragArea()->isVisible());
    EXPECT_EQ(colours, QList<std::int32_t>{0x7F7F7F}); // without the frame's pixels
}

// The whole gesture from the X server's own input (XTest through xdotool):
// the grab keeps the moves coming after the pointer leaves the window.
TEST_F(PickerOnX11, RealPressMoveAndReleaseThroughXTest)
{
    const QString xdotool = QStandardPaths::findExecutable(QStringLiteral("xdotool"));
    if (xdotool.isEmpty())
        GTEST_SKIP() << "xdotool is not installed";
    const QPoint from = zoom()->mapToGlobal(zoom()->rect().center()), green = kOrigin + QPoint(70, 20);
    QProcess p;
    p.start(xdotool, QStringLiteral("mousemove %1 %2 mousedown 1 sleep 0.2 mousemove %3 %4 sleep 0.2 mouseup 1")
                         .arg(from.x()).arg(from.y()).arg(green.x()).arg(green.y()).split(QLatin1Char(' ')));
    ASSERT_TRUE(p.waitForStarted()) << "xdotool did not start";
    EXPECT_TRUE(QTest::qWaitFor([&] { return p.state() == QProcess::NotRunning; }, 20000)) << "xdotool hangs";
    // The release outside the window reached the magnifier: its grab is over.
    EXPECT_TRUE(QTest::qWaitFor([&] { return QWidget::mouseGrabber() == nullptr && !colours.isEmpty(); }, 20000))
        << "no press came through, or the magnifier still holds the pointer";
    ASSERT_FALSE(colours.isEmpty());
    EXPECT_EQ(colours.last(), Value(kGreen));
}

} // namespace
} // namespace tintwell
