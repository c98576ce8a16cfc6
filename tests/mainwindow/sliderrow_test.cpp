#include "mainwindow/sliderrow.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace tintwell {
namespace {

// The repeat timer and the pointer, driven by hand.
struct FakeTimer : RepeatTimer {
    void start() override { active = true; }
    void stop() override { active = false; }
    bool isActive() const override { return active; }
    void setInterval(int ms) override { ms_ = ms; }
    int interval() const override { return ms_; }
    void fire(int times = 1) { while (times-- > 0) onTimeout(); }
    bool active = false;
    int ms_ = 0;
};

struct FakePointer : PointerState {
    Qt::MouseButtons buttons() const override { return held; }
    QPoint globalPos() const override { return pos; }
    Qt::MouseButtons held = Qt::LeftButton;
    QPoint pos;
};

// A row wired as SetColors would: every value requested is taken, a step past
// the ends too, since limiting the repeat is the row's own business.
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

TEST_F(RowFixture, HeldStepButtonsRepeatAfter400ThenEvery40AndStopAtTheEnds)
{
    row.setSliderValue(250.5f);
    QTest::mousePress(row.plusButton(), Qt::LeftButton, {}, QPoint(5, 5));
    ASSERT_EQ(steps, QList<float>{251.5f});
    EXPECT_EQ(timer->interval(), 400);
    pointAtButton(row.plusButton(), 5, 5);
    timer->fire();
    EXPECT_EQ(timer->interval(), 40);
    timer->fire(3);
    EXPECT_EQ(requested, (QList<float>{252.5f, 253.5f, 254.5f, 255.0f}));
    EXPECT_FALSE(timer->active) << "the repeat ends at the limit";
    EXPECT_EQ(timer->interval(), 400);
    QTest::mouseRelease(row.plusButton(), Qt::LeftButton, {}, QPoint(5, 5));

    requested.clear();
    row.setSliderValue(2.5f);
    row.pressButton(StepGlyph::Minus);
    EXPECT_EQ(steps.last(), 1.5f);
    pointAtButton(row.minusButton(), 3, 3);
    timer->fire(2);
    EXPECT_EQ(requested, (QList<float>{0.5f, 0.0f}));
    EXPECT_FALSE(timer->active);
}

TEST_F(RowFixture, RepeatWaitsWhilePointerIsOffTheButtonAndStopsWithoutButtons)
{
    row.setSliderValue(100.0f);
    row.pressButton(StepGlyph::Minus);
    pointAtButton(row.minusButton(), 40, 5);
    timer->fire();
    EXPECT_TRUE(requested.isEmpty());
    EXPECT_TRUE(timer->active);
    // Moving off the held button raises it; back on, it is pressed again.
    row.moveOnButton(QPoint(20, 3));
    EXPECT_FALSE(row.minusButton()->shownPressed());
    row.moveOnButton(QPoint(12, 13));
    EXPECT_TRUE(row.minusButton()->shownPressed());
    pointAtButton(row.minusButton(), 3, 3);
    timer->fire();
    EXPECT_EQ(requested, QList<float>{98.0f});
    pointer->held = Qt::NoButton;
    timer->fire();
    EXPECT_EQ(requested.size(), 1);
    EXPECT_FALSE(timer->active);
}

TEST_F(RowFixture, HeldTrackPagesUntilTheThumbCoversThePointerWithoutOvershoot)
{
    row.setSliderValue(0.0f);
    row.pressTrack(QPoint(150, 7));
    ASSERT_EQ(requested, QList<float>{51.0f});
    pointAt(150, 7);
    timer->fire(10);
    // 137 of the track's 174 pixels, of 255, and no page beyond it.
    ASSERT_EQ(requested.size(), 4);
    EXPECT_EQ(requested[1], 102.0f);
    EXPECT_EQ(requested[2], 153.0f);
    EXPECT_NEAR(requested[3], 200.7759f, 1e-3);
    row.releaseTrack();
    EXPECT_FALSE(row.isPaging());
    EXPECT_FALSE(timer->active);

    // Paging left with the old thumb stops at zero.
    requested.clear();
    row.setOldThumbWidth(29);
    row.setSliderValue(60.0f);
    row.pressTrack(QPoint(2, 7));
    EXPECT_EQ(requested, QList<float>{9.0f});
    pointAt(13, 7);
    timer->fire(2);
    EXPECT_EQ(requested.last(), 0.0f);
}

// Through the mouse events: pointer -> value at pixel 107 and 47 of 174; far
// above or beyond either end by more than 50 pixels, back to the start value.
TEST_F(RowFixture, ThumbDragFollowsLetsGoBeyondFiftyPixelsAndEndsOnARightClick)
{
    QSignalSpy menu(&row, &SliderRow::slidersMenuRequested);
    row.resize(SliderRow::OuterWidth, SliderRow::OuterHeight);
    row.setSliderValue(100.0f);
    const QPoint border(SliderRow::Border, SliderRow::Border);
    QTest::mousePress(&row, Qt::LeftButton, {}, QPoint(81, 7) + border); // 100 of 255 is pixel 68, after 13
    ASSERT_TRUE(row.isDragging());
    EXPECT_TRUE(requested.isEmpty());
    const std::pair<QPoint, float> moves[] = {{{120, 5}, 156.81f}, {{120, -60}, 100.0f}, {{60, -30}, 68.88f},
                                              {{0, 5}, 0.0f},      {{-100, 5}, 100.0f},  {{200, 5}, 255.0f},
                                              {{300, 5}, 100.0f},  {{320, 5}, 100.0f}};
    for (const auto &[at, value] : moves) {
        const QPointF to = at + border;
        QMouseEvent move(QEvent::MouseMove, to, row.mapToGlobal(to), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&row, &move);
        EXPECT_NEAR(requested.last(), value, 1.0f) << at.x() << "," << at.y();
    }
    EXPECT_EQ(requested.size(), 7) << "staying out in the far zone changes nothing more";
    QTest::mousePress(&row, Qt::RightButton, {}, QPoint(50, 9));
    EXPECT_FALSE(row.isDragging());
    EXPECT_EQ(menu.count(), 1);
    QTest::mousePress(row.minusButton(), Qt::RightButton, {}, QPoint(3, 3));
    EXPECT_EQ(menu.count(), 2);
}

TEST_F(RowFixture, KeyboardTable)
{
    row.setSliderValue(10.0f);
    QTest::keyClick(&row, Qt::Key_Left);
    EXPECT_EQ(steps, QList<float>{9.0f});
    QTest::keyPress(&row, Qt::Key_Down);
    EXPECT_EQ(steps.last(), 10.0f);
    QTest::keyRelease(&row, Qt::Key_Down);
    EXPECT_FALSE(row.isButtonHeld());
    const std::pair<Qt::Key, float> keys[] = {
        {Qt::Key_End, 255.0f}, {Qt::Key_PageUp, 204.0f}, {Qt::Key_Home, 0.0f}, {Qt::Key_PageDown, 51.0f}};
    for (const auto &[key, value] : keys) {
        QTest::keyClick(&row, key);
        EXPECT_EQ(requested.last(), value) << key;
    }
    EXPECT_FALSE(row.isPaging());
    EXPECT_FALSE(timer->active);
}

} // namespace
} // namespace tintwell
