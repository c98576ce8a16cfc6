#include "fakes.h"
#include "mainwindow/sliderrow.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace tintwell {
namespace {

using testing::FakePointer;
using testing::FakeTimer;

// A row wired as the window wires it: every requested value is taken as the
// new slider value, as SetColors would do. A step is taken as it comes, past
// the ends too: limiting the repeat is the row's own business.
struct RowFixture : ::testing::Test {
    TrackImages tracks;
    SliderRow row{0, &tracks};
    FakeTimer *timer = nullptr;
    std::shared_ptr<FakePointer> pointer = std::make_shared<FakePointer>();
    QList<float> requested;
    QList<float> steps;

    void SetUp() override
    {
        auto t = std::make_unique<FakeTimer>();
        timer = t.get();
        row.setRepeatTimer(std::move(t));
        row.setPointerState(pointer);
        row.setScale(255.0f, 1.0f, 51.0f);
        QObject::connect(&row, &SliderRow::valueRequested, [this](int, float v) {
            requested.append(v);
            row.setSliderValue(v);
        });
        QObject::connect(&row, &SliderRow::stepPressed, [this](int, int, float v) {
            steps.append(v);
            row.setSliderValue(v);
        });
    }
    // Pointer over a point given in row coordinates.
    void pointAt(int x, int y) { pointer->pos = row.mapToGlobal(QPoint(x + SliderRow::Border, y + SliderRow::Border)); }
    void pointAtButton(StepButton *b, int x, int y) { pointer->pos = b->mapToGlobal(QPoint(x, y)); }
};

TEST_F(RowFixture, HeldPlusButtonStepsAtOnceThenAfter400ThenEvery40)
{
    row.setSliderValue(250.5f);
    QTest::mousePress(row.plusButton(), Qt::LeftButton, {}, QPoint(5, 5));
    ASSERT_EQ(steps, QList<float>{251.5f});
    EXPECT_TRUE(row.plusButton()->shownPressed());
    EXPECT_TRUE(timer->active);
    EXPECT_EQ(timer->interval(), 400);

    pointAtButton(row.plusButton(), 5, 5);
    timer->fire();
    EXPECT_EQ(requested, QList<float>{252.5f});
    EXPECT_EQ(timer->interval(), 40);
    timer->fire();
    timer->fire();
    // 255 is the limit: the step to 255.5 stops there, and the repeat ends
    // with its interval back at 400.
    timer->fire();
    EXPECT_EQ(requested, (QList<float>{252.5f, 253.5f, 254.5f, 255.0f}));
    EXPECT_FALSE(timer->active);
    EXPECT_EQ(timer->interval(), 400);
    QTest::mouseRelease(row.plusButton(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(row.plusButton()->shownPressed());
}

TEST_F(RowFixture, RepeatWaitsWhilePointerIsOffTheButtonAndStopsWithoutButtons)
{
    row.setSliderValue(100.0f);
    row.pressButton(StepGlyph::Minus);
    pointAtButton(row.minusButton(), 40, 5);
    timer->fire();
    EXPECT_TRUE(requested.isEmpty());
    EXPECT_TRUE(timer->active);
    pointAtButton(row.minusButton(), 3, 3);
    timer->fire();
    EXPECT_EQ(requested, QList<float>{98.0f});
    pointer->held = Qt::NoButton;
    timer->fire();
    EXPECT_EQ(requested.size(), 1);
    EXPECT_FALSE(timer->active);
    EXPECT_EQ(timer->interval(), 400);
}

TEST_F(RowFixture, HeldMinusButtonStopsAtZero)
{
    row.setSliderValue(2.5f);
    row.pressButton(StepGlyph::Minus);
    EXPECT_EQ(steps, QList<float>{1.5f});
    pointAtButton(row.minusButton(), 3, 3);
    timer->fire();
    timer->fire();
    EXPECT_EQ(requested, (QList<float>{0.5f, 0.0f}));
    EXPECT_FALSE(timer->active);
}

TEST_F(RowFixture, MovingOffAHeldButtonRaisesItAndBackPressesIt)
{
    row.pressButton(StepGlyph::Plus);
    row.moveOnButton(QPoint(20, 3));
    EXPECT_FALSE(row.plusButton()->shownPressed());
    row.moveOnButton(QPoint(12, 13));
    EXPECT_TRUE(row.plusButton()->shownPressed());
    row.releaseButton();
    EXPECT_FALSE(row.isButtonHeld());
    EXPECT_FALSE(timer->active);
}

TEST_F(RowFixture, HeldTrackPagesUntilTheThumbCoversThePointerWithoutOvershoot)
{
    row.setSliderValue(0.0f);
    row.pressTrack(QPoint(150, 7));
    EXPECT_TRUE(row.isPaging());
    ASSERT_EQ(requested, QList<float>{51.0f});
    pointAt(150, 7);
    for (int i = 0; i < 10; ++i)
        timer->fire();
    const float atPointer = 200.7759f; // 137 of the track's 174 pixels, of 255
    ASSERT_GE(requested.size(), 3);
    EXPECT_EQ(requested[1], 102.0f);
    EXPECT_EQ(requested[2], 153.0f);
    EXPECT_NEAR(requested.last(), atPointer, 1e-3);
    for (float v : requested)
        EXPECT_LE(v, atPointer + 1e-3f);
    EXPECT_EQ(requested.size(), 4);
    row.releaseTrack();
    EXPECT_FALSE(row.isPaging());
    EXPECT_EQ(row.repeatMode(), SliderRow::RepeatNone);
    EXPECT_FALSE(timer->active);
}

TEST_F(RowFixture, PagingLeftStopsAtZero)
{
    row.setOldThumbWidth(29);
    row.setSliderValue(60.0f);
    row.pressTrack(QPoint(2, 7));
    EXPECT_EQ(requested, QList<float>{9.0f});
    pointAt(13, 7);
    timer->fire();
    timer->fire();
    EXPECT_EQ(requested.last(), 0.0f);
    EXPECT_GE(row.sliderValue(), 0.0f);
}

TEST_F(RowFixture, ThumbDragFollowsAndLetsGoBeyondFiftyPixels)
{
    row.setSliderValue(100.0f);
    row.pressTrack(QPoint(81, 7)); // on the thumb: 100 of 255 is pixel 68 of 174, after 13
    ASSERT_TRUE(row.isDragging());
    EXPECT_TRUE(requested.isEmpty());

    row.moveTrack(QPoint(120, 5));
    EXPECT_NEAR(requested.last(), 156.81f, 1.0f); // 107 of 174 pixels
    row.moveTrack(QPoint(120, -60)); // far above: back to the start value
    EXPECT_EQ(requested.last(), 100.0f);
    row.moveTrack(QPoint(60, -30)); // back within 50 pixels: the drag resumes
    EXPECT_NEAR(requested.last(), 68.88f, 1.0f); // 47 of 174 pixels
    row.moveTrack(QPoint(0, 5));
    EXPECT_EQ(requested.last(), 0.0f);
    row.moveTrack(QPoint(-100, 5));
    EXPECT_EQ(requested.last(), 100.0f);
    row.moveTrack(QPoint(200, 5));
    EXPECT_EQ(requested.last(), 255.0f);
    row.moveTrack(QPoint(300, 5));
    EXPECT_EQ(requested.last(), 100.0f);
    // Staying out in the far zone changes nothing more.
    const auto count = requested.size();
    row.moveTrack(QPoint(320, 5));
    EXPECT_EQ(requested.size(), count);
    row.releaseTrack();
    EXPECT_FALSE(row.isDragging());
}

TEST_F(RowFixture, MouseDragThroughEvents)
{
    row.resize(SliderRow::OuterWidth, SliderRow::OuterHeight);
    row.setSliderValue(0.0f);
    QTest::mousePress(&row, Qt::LeftButton, {}, QPoint(SliderRow::Border + 14, 9));
    ASSERT_TRUE(row.isDragging());
    QMouseEvent move(QEvent::MouseMove, QPointF(SliderRow::Border + 100, 9), row.mapToGlobal(QPointF(SliderRow::Border + 100, 9)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&row, &move);
    ASSERT_FALSE(requested.isEmpty());
    EXPECT_NEAR(requested.last(), 126.03f, 1.0f); // 86 of 174 pixels
    QTest::mouseRelease(&row, Qt::LeftButton, {}, QPoint(SliderRow::Border + 100, 9));
    EXPECT_FALSE(row.isDragging());
}

TEST_F(RowFixture, RightClickEndsADragAndAsksForTheMenu)
{
    QSignalSpy menu(&row, &SliderRow::slidersMenuRequested);
    row.setSliderValue(0.0f);
    row.pressTrack(QPoint(14, 7));
    ASSERT_TRUE(row.isDragging());
    QTest::mousePress(&row, Qt::RightButton, {}, QPoint(50, 9));
    EXPECT_FALSE(row.isDragging());
    EXPECT_EQ(menu.count(), 1);
    QTest::mousePress(row.minusButton(), Qt::RightButton, {}, QPoint(3, 3));
    EXPECT_EQ(menu.count(), 2);
}

TEST_F(RowFixture, KeyboardTable)
{
    row.setSliderValue(10.0f);
    QTest::keyPress(&row, Qt::Key_Left);
    QTest::keyRelease(&row, Qt::Key_Left);
    EXPECT_EQ(steps, QList<float>{9.0f});
    QTest::keyPress(&row, Qt::Key_Down);
    EXPECT_EQ(steps.last(), 10.0f);
    QTest::keyRelease(&row, Qt::Key_Down);
    EXPECT_FALSE(row.isButtonHeld());
    QTest::keyClick(&row, Qt::Key_End);
    EXPECT_EQ(requested.last(), 255.0f);
    QTest::keyPress(&row, Qt::Key_PageUp);
    EXPECT_EQ(requested.last(), 204.0f);
    QTest::keyRelease(&row, Qt::Key_PageUp);
    EXPECT_FALSE(row.isPaging());
    QTest::keyClick(&row, Qt::Key_Home);
    EXPECT_EQ(requested.last(), 0.0f);
    QTest::keyPress(&row, Qt::Key_PageDown);
    EXPECT_EQ(requested.last(), 51.0f);
    QTest::keyRelease(&row, Qt::Key_PageDown);
    EXPECT_FALSE(timer->active);
}

TEST(SliderValueBox, PasteCheckEnterAndFocusLoss)
{
    SliderValueBox box;
    QSignalSpy rejected(&box, &SliderValueBox::pasteRejected);
    QSignalSpy commits(&box, &SliderValueBox::commitRequested);
    EXPECT_EQ(box.maxLength(), 4);
    EXPECT_EQ(box.text(), QStringLiteral("0"));

    QGuiApplication::clipboard()->setText(QStringLiteral("12a"));
    QTest::keyClick(&box, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(rejected.count(), 1);
    QGuiApplication::clipboard()->setText(QStringLiteral("1.5"));
    QTest::keyClick(&box, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(rejected.count(), 1);
    // Ctrl+Shift+V is not the paste check.
    QGuiApplication::clipboard()->setText(QStringLiteral("x"));
    QTest::keyClick(&box, Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(rejected.count(), 1);

    QTest::keyClick(&box, Qt::Key_Return);
    EXPECT_EQ(commits.count(), 1);
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(&box, &out);
    EXPECT_EQ(commits.count(), 2);
}

} // namespace
} // namespace tintwell
