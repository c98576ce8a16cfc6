// The picker on a real X server (run through xvfb-run): a window of known
// colours is put on the screen, the pointer is moved over it, and the
// magnifier is pressed, moved and released.
#include "picker/frmdragarea.h"
#include "picker/pickerpanel.h"
#include "picker/screengrabber.h"

#include "core/usermessages.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <gtest/gtest.h>

namespace tintwell {
namespace {

std::int32_t Value(QColor c) { return c.red() | c.green() << 8 | c.blue() << 16; }

// Four quadrants of 50 x 40 pixels at kOrigin, one odd blue pixel in the red one.
const QPoint kOrigin(200, 150), kOdd = kOrigin + QPoint(10, 10);
const QColor kRed(250, 10, 20), kGreen(10, 240, 30), kBlack(0, 0, 0), kWhite(255, 255, 255), kBlue(0, 0, 255);

struct PickerOnX11 : ::testing::Test {
    std::unique_ptr<ScreenGrabber> grabber = MakeQtScreenGrabber();
    RecordingMessages messages;
    QLabel target{nullptr, Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint};
    QWidget frame{nullptr, Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint};
    std::array<QAction *, kSampleSizeCount> samples{};
    std::array<QAction *, kZoomCount> zooms{};
    std::unique_ptr<PickerPanel> panel;
    QList<std::int32_t> colours;

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
        frame.setGeometry(600, 400, 70, 121);
        auto *menu = new QMenu(&frame);
        for (auto &a : samples)
            a = menu->addAction(QStringLiteral("s"));
        for (auto &a : zooms)
            a = menu->addAction(QStringLiteral("z"));
        panel = std::make_unique<PickerPanel>(&frame, menu, samples, zooms, *grabber, messages);
        QObject::connect(panel.get(), &PickerPanel::colorChosen, [this](std::int32_t c) { colours.append(c); });
        frame.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame)) << "the picker's frame never came up";
        ASSERT_TRUE(waitForScreen(QRect(kOrigin + QPoint(75, 60), QSize(1, 1)), [](const QImage &img) {
            return img.pixel(0, 0) == kWhite.rgb();
        })) << "the target never appeared on the screen";
    }

    // Until the server has drawn, the screen still shows the old pixels.
    bool waitForScreen(const QRect &rect, const std::function<bool(const QImage &)> &ready)
    {
        return QTest::qWaitFor(
            [&] {
                const QImage img = grabber->grab(rect);
                return !img.isNull() && ready(img);
            },
            10000);
    }
    void pointTo(QPoint p)
    {
        QCursor::setPos(p);
        ASSERT_TRUE(QTest::qWaitFor([&] { return QCursor::pos() == p; }, 5000)) << "the pointer never moved";
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
    pointTo(kOdd);
    send(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton);
    ASSERT_EQ(colours, QList<std::int32_t>{Value(kBlue)});
    EXPECT_EQ(panel->lblXPos()->text(), QStringLiteral("X: %1").arg(kOdd.x()));
    const QImage view = panel->viewImage(); // the centre inverted, its neighbours as they are
    EXPECT_EQ(view.pixel(27, 27), kBlue.rgb() ^ 0x00FFFFFFu);
    EXPECT_EQ(view.pixel(26, 27), kRed.rgb());
    pointTo(kOrigin + QPoint(80, 60));
    send(QEvent::MouseMove, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(colours.last(), Value(kWhite));
    send(QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton);

    samples[1]->trigger(); // 3x3 around the odd pixel: eight red and one blue, remainders dropped
    pointTo(kOdd);
    send(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(colours.last(), (8 * 250) / 9 | (8 * 10) / 9 << 8 | (8 * 20 + 255) / 9 << 16);
    zooms[4]->trigger(); // 9x: the pointer pixel fills view cells 27-35, the crosshair aside
    EXPECT_EQ(panel->viewImage().pixel(28, 29), kBlue.rgb());
    EXPECT_EQ(panel->viewImage().pixel(36, 29), kRed.rgb());
}

TEST_F(PickerOnX11, DraggedAreaAcrossTwoQuadrants)
{
    samples[3]->trigger();
    // 40 x 20 pixels, half in the black quadrant, half in the white one.
    const QPoint a = kOrigin + QPoint(30, 50), b = kOrigin + QPoint(69, 69);
    pointTo(b);
    send(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseButtonPress, Qt::RightButton, Qt::LeftButton | Qt::RightButton);
    pointTo(a);
    send(QEvent::MouseMove, Qt::NoButton, Qt::LeftButton | Qt::RightButton);
    frmDragArea *area = panel->dragArea();
    EXPECT_EQ(area->geometry(), QRect(a, b));
    // On the screen the frame is its outline only, and it has not taken the focus.
    ASSERT_TRUE(waitForScreen(QRect(a, QSize(40, 1)), [](const QImage &edge) {
        return edge.pixel(5, 0) != kBlack.rgb();
    })) << "the frame's outline never appeared on the screen";
    const QImage inside = grabber->grab(QRect(a + QPoint(1, 1), QSize(38, 18)));
    EXPECT_EQ(inside.pixel(0, 0), kBlack.rgb());
    EXPECT_EQ(inside.pixel(37, 17), kWhite.rgb());
    EXPECT_NE(QGuiApplication::focusWindow(), area->windowHandle());
    send(QEvent::MouseButtonRelease, Qt::RightButton, Qt::LeftButton);
    EXPECT_FALSE(area->isVisible());
    EXPECT_EQ(colours, QList<std::int32_t>{0x7F7F7F});
    send(QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton);
}

// The whole gesture from the X server's own input (XTest through xdotool):
// the grab keeps the moves coming after the pointer leaves the window.
TEST_F(PickerOnX11, RealPressMoveAndReleaseThroughXTest)
{
    const QString xdotool = QStandardPaths::findExecutable(QStringLiteral("xdotool"));
    if (xdotool.isEmpty())
        GTEST_SKIP() << "xdotool is not installed";
    const QPoint from = panel->picZoom()->mapToGlobal(panel->picZoom()->rect().center());
    const QPoint green = kOrigin + QPoint(70, 20);
    QProcess p;
    p.start(xdotool, QStringLiteral("mousemove %1 %2 mousedown 1 sleep 0.2 mousemove %3 %4 sleep 0.2 mouseup 1")
                         .arg(from.x()).arg(from.y()).arg(green.x()).arg(green.y()).split(QLatin1Char(' ')));
    ASSERT_TRUE(p.waitForStarted()) << "xdotool did not start";
    EXPECT_TRUE(QTest::qWaitFor([&] { return p.state() == QProcess::NotRunning; }, 20000)) << "xdotool hangs";
    // The release outside the window reached the magnifier: its grab is over.
    EXPECT_TRUE(QTest::qWaitFor([&] { return QWidget::mouseGrabber() == nullptr && !colours.isEmpty(); }, 20000))
        << "the magnifier still holds the pointer";
    ASSERT_FALSE(colours.isEmpty());
    EXPECT_EQ(colours.last(), Value(kGreen));
    EXPECT_EQ(panel->lblXPos()->text(), QStringLiteral("X: %1").arg(green.x()));
}

} // namespace
} // namespace tintwell
