// The main window on a screen of device pixel ratio 2 (this binary sets
// QT_SCALE_FACTOR=2), started with a colour on the command line.
#include "app/application.h"
#include "mainwindow/frmmain.h"
#include "mainwindow/sliderrow.h"
#include "platform/settings.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace tintwell {
namespace {

std::int32_t rgb(int r, int g, int b) { return r | (g << 8) | (b << 16); }

TEST(ScaledWindow, TheStartColourWinsAndTheTracksHaveAPixelForEveryDevicePixel)
{
    QTemporaryDir dir;
    RecordingMessages messages;
    const QString settings = dir.filePath(QStringLiteral("settings.ini"));
    {
        clsRegistry reg(settings); // not a first run, so no modal terms window
        modRegistry::SetLastColor(reg, rgb(1, 2, 3));
    }
    Application app(Application::Options{dir.path(), settings, &messages});
    app.context().StartColor = rgb(255, 128, 0);
    app.start();
    frmMain &w = app.mainWindow();
    ASSERT_EQ(w.devicePixelRatioF(), 2.0) << "run with QT_SCALE_FACTOR=2";
    EXPECT_EQ(w.currentColor(), rgb(255, 128, 0));
    w.flushLastColor();
    EXPECT_EQ(modRegistry::GetLastColor(app.registry()), rgb(255, 128, 0)) << "it becomes the last colour";
    // The layout keeps its logical size.
    EXPECT_EQ(w.picColorBox(0)->size(), QSize(SliderRow::OuterWidth, SliderRow::OuterHeight));

    // One device line of the red track, clear of the pointers: red runs up
    // with green 128 and blue 0. Stretched from 1x, columns would come in pairs.
    const auto redRow = [&] { return w.picColorBox(0)->grab().toImage(); };
    const int y = 2 * (SliderRow::Border + 7);
    const int x0 = 2 * (SliderRow::Border + TrackStart);
    const int end = x0 + 2 * trackLength(0) - 1;
    QImage red = redRow();
    ASSERT_EQ(red.size(), QSize(2 * SliderRow::OuterWidth, 2 * SliderRow::OuterHeight));
    int differing = 0;
    for (int x = x0 + 1; x <= end; ++x) {
        ASSERT_EQ(red.pixel(x, y) & 0xFFFF, 0x8000u) << x;
        differing += qRed(red.pixel(x, y)) != qRed(red.pixel(x - 1, y));
    }
    EXPECT_GT(differing, 200);
    // A new colour redraws the gradients at the same ratio.
    app.session().setColor(rgb(0, 0, 255));
    red = redRow();
    EXPECT_EQ(red.pixel(x0 + 1, y), qRgb(0, 0, 255));
    EXPECT_GT(qRed(red.pixel(end, y)), 250);
}

} // namespace
} // namespace tintwell
