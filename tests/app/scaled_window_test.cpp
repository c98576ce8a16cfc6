// The main window on a screen of device pixel ratio 2: the layout keeps its
// logical size, and the tracks have a pixel of their own for every device
// pixel instead of being drawn at 1x and stretched. Also the command line's
// start colour.
#include "app/application.h"
#include "mainwindow/frmmain.h"
#include "mainwindow/sliderrow.h"
#include "platform/settings.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace tintwell {
namespace {

std::int32_t rgb(int r, int g, int b) { return r | (g << 8) | (b << 16); }

struct ScaledWindows : ::testing::Test {
    QTemporaryDir dir;
    RecordingMessages messages;
    std::unique_ptr<Application> app;

    // A stored "Last Color" means no first run, so no modal terms window.
    frmMain &open(std::optional<std::int32_t> startColor, std::int32_t lastColor = rgb(1, 2, 3))
    {
        const QString settings = dir.filePath(QStringLiteral("settings.ini"));
        app.reset();
        if (lastColor >= 0) {
            clsRegistry reg(settings);
            modRegistry::SetLastColor(reg, lastColor);
        }
        app = std::make_unique<Application>(Application::Options{dir.path(), settings, &messages});
        app->context().StartColor = startColor;
        app->start();
        return app->mainWindow();
    }
};

TEST_F(ScaledWindows, SliderTracksAreDrawnAtTheDeviceRatio)
{
    frmMain &w = open(rgb(255, 128, 0));
    ASSERT_EQ(w.devicePixelRatioF(), 2.0) << "run with QT_SCALE_FACTOR=2";
    EXPECT_EQ(w.picColorBox(0)->size(), QSize(SliderRow::OuterWidth, SliderRow::OuterHeight));
    // One device line of the red track, clear of the new-style pointers.
    const auto redRow = [&] { return w.picColorBox(0)->grab().toImage(); };
    const int y = 2 * (SliderRow::Border + 7);
    const int x0 = 2 * (SliderRow::Border + TrackStart);
    const int end = x0 + 2 * trackLength(0) - 1;
    QImage red = redRow();
    ASSERT_EQ(red.size(), QSize(2 * SliderRow::OuterWidth, 2 * SliderRow::OuterHeight));
    // Red runs up over the track with green 128 and blue 0. Stretched from
    // 1x, device columns would come in equal pairs.
    int differing = 0;
    for (int x = x0 + 1; x <= end; ++x) {
        ASSERT_EQ(red.pixel(x, y) & 0xFFFF, 0x8000u) << x;
        differing += qRed(red.pixel(x, y)) != qRed(red.pixel(x - 1, y));
    }
    EXPECT_GT(differing, 200);
    // A new colour redraws the gradients at the same ratio.
    app->session().setColor(rgb(0, 0, 255));
    red = redRow();
    EXPECT_EQ(red.pixel(x0 + 1, y), qRgb(0, 0, 255));
    EXPECT_GT(qRed(red.pixel(end, y)), 250);
}

TEST_F(ScaledWindows, StartColourWinsOverTheStoredOneAndBecomesTheLastColour)
{
    EXPECT_EQ(open(rgb(0x12, 0x34, 0x56)).currentColor(), rgb(0x12, 0x34, 0x56));
    app->mainWindow().close();
    EXPECT_EQ(modRegistry::GetLastColor(app->registry()), rgb(0x12, 0x34, 0x56));
    EXPECT_EQ(open(std::nullopt, -1).currentColor(), rgb(0x12, 0x34, 0x56));
}

} // namespace
} // namespace tintwell
