// The magnifier's gestures, the Picker menu and the drag area, on a screen
// made of an image.
#include "fakescreen.h"
#include "picker/frmdragarea.h"
#include "picker/frmwait.h"
#include "picker/pickerpanel.h"
#include "picker/sampling.h"

#include "core/usermessages.h"

#include <QAction>
#include <QLabel>
#include <QMouseEvent>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <memory>

namespace tintwell {
namespace {

using testing::FakeScreen;

std::int32_t Value(QRgb c) { return qRed(c) | qGreen(c) << 8 | qBlue(c) << 16; }

QImage PatternScreen(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, qRgb(x & 0xFF, y & 0xFF, (x * 7 + y * 3) & 0xFF));
    return img;
}

struct PickerPanelTest : ::testing::Test {
    std::unique_ptr<FakeScreen> screen = std::make_unique<FakeScreen>(PatternScreen(300, 200));
    RecordingMessages messages;
    std::unique_ptr<QWidget> frame;
    QMenu *menu = nullptr;
    std::array<QAction *, kSampleSizeCount> samples{};
    std::array<QAction *, kZoomCount> zooms{};
    std::unique_ptr<PickerPanel> panel;
    QList<std::int32_t> colours;

    void SetUp() override { build(); }

    void build()
    {
        panel.reset();
        frame = std::make_unique<QWidget>();
        frame->resize(70, 121);
        frame->show();
        menu = new QMenu(frame.get());
        for (auto &a : samples)
            a = menu->addAction(QStringLiteral("s"));
        menu->addSeparator();
        for (auto &a : zooms)
            a = menu->addAction(QStringLiteral("z"));
        panel = std::make_unique<PickerPanel>(frame.get(), menu, samples, zooms, *screen, messages);
        colours.clear();
        QObject::connect(panel.get(), &PickerPanel::colorChosen, [this](std::int32_t c) { colours.append(c); });
    }

    QWidget *zoom() const { return panel->picZoom(); }
    void press(Qt::MouseButton b) { QTest::mousePress(zoom(), b, {}, QPoint(5, 5)); }
    void release(Qt::MouseButton b) { QTest::mouseRelease(zoom(), b, {}, QPoint(5, 5)); }
    void moveTo(QPoint p, Qt::MouseButtons held)
    {
        screen->pointer = p;
        emit panel->picZoom()->moved(held);
    }
    QRgb at(int x, int y) const { return screen->screen.pixel(x, y); }
};

TEST_F(PickerPanelTest, AClickSamplesAtOnceAndEveryMoveFollows)
{
    EXPECT_EQ(panel->lblXPos()->text(), QStringLiteral("X:"));
    screen->pointer = QPoint(100, 60);
    press(Qt::LeftButton);
    ASSERT_EQ(colours.size(), 1);
    EXPECT_EQ(colours.last(), Value(at(100, 60)));
    EXPECT_EQ(panel->lblXPos()->text(), QStringLiteral("X: 100"));
    EXPECT_EQ(panel->lblYPos()->text(), QStringLiteral("Y: 60"));
    // One copy from the screen per pass.
    EXPECT_EQ(screen->grabs.size(), 1);

    moveTo(QPoint(150, 90), Qt::LeftButton);
    ASSERT_EQ(colours.size(), 2);
    EXPECT_EQ(colours.last(), Value(at(150, 90)));
    EXPECT_EQ(screen->grabs.size(), 2);
    // The view at 1x: the screen around the pointer, the centre inverted.
    const QImage view = panel->viewImage();
    ASSERT_EQ(view.size(), QSize(54, 54));
    EXPECT_EQ(view.pixel(26, 27), at(149, 90));
    EXPECT_EQ(view.pixel(0, 0), at(150 - 27, 90 - 27));
    EXPECT_EQ(view.pixel(27, 27), at(150, 90) ^ 0x00FFFFFFu);
    EXPECT_EQ(view.pixel(27 + 5, 27), at(155, 90) ^ 0x00FFFFFFu);

    release(Qt::LeftButton);
    // A move with no button only remembers the position.
    moveTo(QPoint(10, 10), Qt::NoButton);
    EXPECT_EQ(colours.size(), 2);
}

TEST_F(PickerPanelTest, AQuickClickLeavesNoGrabBehind)
{
    // The release is already queued when the press yields to the event loop.
    screen->pointer = QPoint(30, 40);
    QCoreApplication::postEvent(zoom(), new QMouseEvent(QEvent::MouseButtonRelease, QPointF(5, 5),
                                                        zoom()->mapToGlobal(QPointF(5, 5)), Qt::LeftButton,
                                                        Qt::NoButton, Qt::NoModifier));
    press(Qt::LeftButton);
    ASSERT_EQ(colours.size(), 1);
    EXPECT_EQ(colours.last(), Value(at(30, 40)));
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    EXPECT_FALSE(zoom()->testAttribute(Qt::WA_SetCursor));
    // The next press is an ordinary one.
    press(Qt::LeftButton);
    EXPECT_EQ(QWidget::mouseGrabber(), zoom());
    release(Qt::LeftButton);
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
}

TEST_F(PickerPanelTest, ThreeByThreeAtTheCornerAveragesTheFourPixelsOnScreen)
{
    samples[1]->trigger(); // before any use: only the check moves
    EXPECT_TRUE(samples[1]->isChecked());
    EXPECT_FALSE(samples[0]->isChecked());
    EXPECT_TRUE(colours.isEmpty());
    EXPECT_TRUE(screen->grabs.isEmpty());

    screen->pointer = QPoint(0, 0);
    press(Qt::LeftButton);
    ASSERT_EQ(colours.size(), 1);
    ColorSums sums;
    for (QPoint p : {QPoint(0, 0), QPoint(1, 0), QPoint(0, 1), QPoint(1, 1)}) {
        sums.red += qRed(at(p.x(), p.y()));
        sums.green += qGreen(at(p.x(), p.y()));
        sums.blue += qBlue(at(p.x(), p.y()));
    }
    sums.count = 4;
    EXPECT_EQ(colours.last(), sums.average());
    // The crosshair moved up and left by 27 and still marks screen pixel 0, 0;
    // the block outline lies one pixel outside the 2 x 2 block's cells.
    const QImage view = panel->viewImage();
    EXPECT_EQ(view.pixel(0, 0), at(0, 0) ^ 0x00FFFFFFu);
    EXPECT_EQ(view.pixel(2, 1), at(2, 1) ^ 0x00FFFFFFu); // the outline's right edge: -7 + 9
    EXPECT_EQ(view.pixel(1, 1), at(1, 1));
    release(Qt::LeftButton);
}

TEST_F(PickerPanelTest, MenuAndKeysResampleAtTheSavedPositionAfterFirstUse)
{
    screen->pointer = QPoint(120, 80);
    press(Qt::LeftButton);
    release(Qt::LeftButton);
    ASSERT_EQ(colours.size(), 1);
    screen->pointer = QPoint(5, 5); // the pointer is elsewhere now

    zooms[4]->trigger(); // 9x
    ASSERT_EQ(colours.size(), 2);
    EXPECT_EQ(colours.last(), Value(at(120, 80)));
    EXPECT_EQ(panel->lblXPos()->text(), QStringLiteral("X: 120"));
    // 9x: each screen pixel is 9 x 9 view pixels; the pointer pixel's cells are 27-35.
    EXPECT_EQ(panel->viewImage().pixel(28, 28), at(120, 80));
    EXPECT_EQ(panel->viewImage().pixel(26, 28), at(119, 80));

    zooms[4]->trigger(); // already checked: nothing
    EXPECT_EQ(colours.size(), 2);

    panel->cycleSampleSize(); // 3x3
    EXPECT_TRUE(samples[1]->isChecked());
    ASSERT_EQ(colours.size(), 3);
    QImage s = screen->screen;
    EXPECT_EQ(colours.last(), AverageColor(s, QRect(119, 79, 3, 3)));

    panel->cycleZoom(); // 9x -> 1x
    EXPECT_TRUE(zooms[0]->isChecked());
    EXPECT_EQ(colours.size(), 4);
    for (int i = 0; i < 2; ++i)
        panel->cycleSampleSize();
    EXPECT_TRUE(samples[3]->isChecked()); // drag area: no colour without a drag
    EXPECT_EQ(colours.size(), 5);
    panel->cycleSampleSize();
    EXPECT_TRUE(samples[0]->isChecked());
    EXPECT_FALSE(samples[3]->isChecked());
}

TEST_F(PickerPanelTest, DragAreaOutlinesAndThenAveragesTheRectangle)
{
    // A known area: white left half, black right half.
    QImage &img = screen->screen;
    for (int y = 100; y < 110; ++y)
        for (int x = 40; x < 50; ++x)
            img.setPixel(x, y, x < 45 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
    samples[3]->trigger();
    screen->pointer = QPoint(49, 109);
    press(Qt::LeftButton);
    EXPECT_TRUE(colours.isEmpty()); // no area yet
    press(Qt::RightButton);         // the anchor
    moveTo(QPoint(40, 100), Qt::LeftButton | Qt::RightButton);
    frmDragArea *frame = panel->dragArea();
    EXPECT_TRUE(frame->isVisible());
    // In logical pixels, which differ from the screen's under a scale factor (QT_SCALE_FACTOR=2).
    const int r = qRound(zoom()->devicePixelRatioF());
    EXPECT_EQ(frame->geometry(), QRect(40 / r, 100 / r, 10 / r, 10 / r));
    EXPECT_TRUE(frame->tmrAnimate()->isActive());
    // Only the outline belongs to the window.
    EXPECT_TRUE(frame->mask().contains(QPoint(0, 0)));
    EXPECT_TRUE(frame->mask().contains(QPoint(10 / r - 1, 5 / r)));
    EXPECT_FALSE(frame->mask().contains(QPoint(5 / r, 5 / r)));
    EXPECT_TRUE(colours.isEmpty());

    EXPECT_EQ(screen->settled, 0);
    release(Qt::RightButton);
    EXPECT_FALSE(frame->isVisible());
    EXPECT_FALSE(frame->tmrAnimate()->isActive());
    ASSERT_EQ(colours.size(), 1);
    EXPECT_EQ(colours.last(), 127 | 127 << 8 | 127 << 16);
    // The area was read in one copy, after the display had taken the frame away.
    const qsizetype areaGrab = screen->grabs.indexOf(QRect(40, 100, 10, 10));
    ASSERT_GE(areaGrab, 0);
    EXPECT_EQ(screen->settledAtGrab[areaGrab], 1);
    // The left button's release after that samples nothing more.
    release(Qt::LeftButton);
    EXPECT_EQ(colours.size(), 1);

    // Releasing the left button first ends the drag just the same; a
    // zero-size drag is the pixel under the pointer.
    screen->pointer = QPoint(44, 100);
    press(Qt::LeftButton);
    press(Qt::RightButton);
    release(Qt::LeftButton);
    ASSERT_EQ(colours.size(), 2);
    EXPECT_EQ(colours.last(), 0xFFFFFF);
    release(Qt::RightButton);
    EXPECT_EQ(colours.size(), 2);
}

TEST_F(PickerPanelTest, TheOtherReleaseDuringTheAreaReadBringsNoFrameBack)
{
    samples[3]->trigger();
    screen->pointer = QPoint(10, 10);
    press(Qt::LeftButton);
    press(Qt::RightButton);
    moveTo(QPoint(60, 60), Qt::LeftButton | Qt::RightButton);
    ASSERT_TRUE(panel->dragArea()->isVisible());
    // The left button comes up while the right button's release reads the area.
    QCoreApplication::postEvent(zoom(), new QMouseEvent(QEvent::MouseButtonRelease, QPointF(5, 5),
                                                        zoom()->mapToGlobal(QPointF(5, 5)), Qt::LeftButton,
                                                        Qt::NoButton, Qt::NoModifier));
    release(Qt::RightButton);
    EXPECT_FALSE(panel->dragArea()->isVisible());
    ASSERT_EQ(colours.size(), 1);
    EXPECT_EQ(colours.last(), AverageColor(screen->screen, QRect(10, 10, 51, 51)));
    QCoreApplication::processEvents();
    EXPECT_FALSE(panel->dragArea()->isVisible());
    EXPECT_EQ(colours.size(), 1);
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
}

TEST_F(PickerPanelTest, ProgressOnlyForAreasAboveAThousandAndTwentyFourPixels)
{
    samples[3]->trigger();
    auto drag = [this](QPoint from, QPoint to) {
        screen->pointer = from;
        press(Qt::LeftButton);
        press(Qt::RightButton);
        moveTo(to, Qt::LeftButton | Qt::RightButton);
        release(Qt::RightButton);
        release(Qt::LeftButton);
    };
    QStringList shown;
    frmWait *wait = panel->waitWindow();
    QObject::connect(wait, &frmWait::progressShown, [&shown](const QString &t) { shown.append(t); });
    drag(QPoint(10, 10), QPoint(41, 41)); // 32 x 32
    EXPECT_TRUE(shown.isEmpty());
    EXPECT_EQ(colours.last(), AverageColor(screen->screen, QRect(10, 10, 32, 32)));
    drag(QPoint(42, 41), QPoint(10, 10)); // 33 x 32, dragged up and left
    ASSERT_FALSE(shown.isEmpty());
    EXPECT_EQ(shown.first(), QStringLiteral("0% Done"));
    EXPECT_FALSE(wait->isVisible());
    EXPECT_EQ(colours.last(), AverageColor(screen->screen, QRect(10, 10, 33, 32)));
    // One row of 2000 pixels: "0% Done" once.
    shown.clear();
    screen->screen = PatternScreen(2100, 50);
    drag(QPoint(2050, 20), QPoint(51, 20));
    EXPECT_EQ(shown, QStringList{QStringLiteral("0% Done")});
    EXPECT_EQ(colours.last(), AverageColor(screen->screen, QRect(51, 20, 2000, 1)));
}

TEST_F(PickerPanelTest, AnUnreadableScreenIsSaidOnceAndNeverSampledBlack)
{
    screen->reason = QStringLiteral("no screen here");
    press(Qt::LeftButton);
    release(Qt::LeftButton);
    press(Qt::LeftButton);
    release(Qt::LeftButton);
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("no screen here"));
    EXPECT_TRUE(colours.isEmpty());
    EXPECT_TRUE(screen->grabs.isEmpty());

    // A grab that comes back empty says the same once.
    screen = std::make_unique<FakeScreen>(PatternScreen(50, 50));
    screen->emptyGrabs = true;
    messages.shown.clear();
    build();
    press(Qt::LeftButton);
    moveTo(QPoint(3, 3), Qt::LeftButton);
    release(Qt::LeftButton);
    EXPECT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("QT_QPA_PLATFORM=xcb")));
    EXPECT_TRUE(colours.isEmpty());
}

TEST_F(PickerPanelTest, RightClickOpensTheMenuUnlessTheLeftIsHeld)
{
    press(Qt::RightButton);
    EXPECT_TRUE(menu->isVisible());
    menu->hide();
    release(Qt::RightButton);
    EXPECT_TRUE(colours.isEmpty());
    press(Qt::LeftButton);
    press(Qt::RightButton);
    EXPECT_FALSE(menu->isVisible());
    release(Qt::RightButton);
    release(Qt::LeftButton);
}

TEST_F(PickerPanelTest, ViewSizeFollowsTheDpiAndNegativeDesktopsWork)
{
    screen = std::make_unique<FakeScreen>(PatternScreen(300, 200), QPoint(-300, -100));
    screen->dpi = 120;
    build();
    EXPECT_EQ(panel->viewSide(), 68);
    EXPECT_EQ(zoom()->width(), 72);
    screen->pointer = QPoint(-300, -100);
    press(Qt::LeftButton);
    release(Qt::LeftButton);
    ASSERT_EQ(colours.size(), 1);
    EXPECT_EQ(colours.last(), Value(screen->screen.pixel(0, 0)));
    EXPECT_EQ(panel->viewImage().pixel(0, 0), screen->screen.pixel(0, 0) ^ 0x00FFFFFFu);
}

TEST(PickerCursor, HotSpotOnTheCentre)
{
    const QCursor c = PickerPanel::pickerCursor();
    EXPECT_EQ(c.hotSpot(), QPoint(7, 7));
    const QImage bits = c.bitmap().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(bits.size(), QSize(32, 32));
    auto on = [&bits](int x, int y) { return bits.pixel(x, y) != bits.pixel(31, 31); };
    EXPECT_TRUE(on(7, 7));
    EXPECT_TRUE(on(7 + 5, 7));
    EXPECT_TRUE(on(7, 7 - 7));
    EXPECT_FALSE(on(7 + 4, 7));
    EXPECT_FALSE(on(8, 8));
}

} // namespace
} // namespace tintwell
