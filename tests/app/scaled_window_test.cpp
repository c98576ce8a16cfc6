// The windows on a screen of device pixel ratio 2 (this binary runs with
// QT_SCALE_FACTOR=2): the layout keeps its logical size, and the owner-drawn
// pictures have a pixel of their own for every device pixel instead of being
// drawn at 1x and stretched. Also the command line's start colour.

#include "app/application.h"
#include "mainwindow/frmmain.h"
#include "mainwindow/sliderrow.h"
#include "palette/frmpalette.h"
#include "platform/registry.h"
#include "platform/settings.h"

#include <QImage>
#include <QPixmap>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

namespace tintwell {
namespace {

std::int32_t rgb(int r, int g, int b) { return r | (g << 8) | (b << 16); }

struct ScaledWindows : ::testing::Test {
    QTemporaryDir dir;
    RecordingMessages messages;
    std::unique_ptr<Application> app;

    QString settingsPath() const { return dir.filePath(QStringLiteral("settings.ini")); }

    void open(std::optional<std::int32_t> startColor, std::int32_t lastColor = rgb(1, 2, 3))
    {
        ASSERT_TRUE(dir.isValid());
        app.reset();
        if (lastColor >= 0) {
            // Not a first run, so no modal terms window.
            clsRegistry reg(settingsPath());
            modRegistry::SetLastColor(reg, lastColor);
        }
        app = std::make_unique<Application>(Application::Options{dir.path(), settingsPath(), &messages});
        app->context().StartColor = startColor;
        app->start();
        w = &app->mainWindow();
        palette = &app->paletteTool();
    }

    frmMain *w = nullptr;
    frmPalette *palette = nullptr;

    // One device line of a row's track, inside the track and clear of the
    // new-style pointers (logical lines 5-8 of the strip are free of them).
    QImage rowPicture(int row)
    {
        const QPixmap pm = w->picColorBox(row)->grab();
        EXPECT_EQ(pm.devicePixelRatio(), 2.0);
        return pm.toImage();
    }
};

TEST_F(ScaledWindows, SliderTracksAreDrawnAtTheDeviceRatio)
{
    open(rgb(255, 128, 0));
    ASSERT_EQ(w->devicePixelRatioF(), 2.0) << "run with QT_SCALE_FACTOR=2";
    // The layout stays the fixed one in logical pixels.
    EXPECT_EQ(w->picColorBox(0)->size(), QSize(SliderRow::OuterWidth, SliderRow::OuterHeight));

    const QImage red = rowPicture(0);
    ASSERT_EQ(red.size(), QSize(2 * SliderRow::OuterWidth, 2 * SliderRow::OuterHeight));
    EXPECT_EQ(w->tracks().scale(), 2.0);
    const int y = 2 * (SliderRow::Border + 7);
    const int x0 = 2 * (SliderRow::Border + TrackStart);
    // Red runs 0 -> 255 over the track with green 128 and blue 0. Stretched
    // from 1x, device columns would come in equal pairs.
    int differing = 0;
    for (int d = 1; d < 2 * trackLength(0); ++d) {
        const QRgb here = red.pixel(x0 + d, y);
        ASSERT_EQ(qGreen(here), 128) << d;
        ASSERT_EQ(qBlue(here), 0) << d;
        differing += qRed(here) != qRed(red.pixel(x0 + d - 1, y));
    }
    EXPECT_GT(differing, 200);

    // A new colour redraws the gradients at the same ratio.
    app->session().setColor(rgb(0, 0, 255));
    const QImage again = rowPicture(0);
    EXPECT_EQ(again.pixel(x0 + 1, y), qRgb(0, 0, 255));
    EXPECT_GT(qRed(again.pixel(x0 + 2 * trackLength(0) - 1, y)), 250);
    EXPECT_EQ(qBlue(again.pixel(x0 + 2 * trackLength(0) - 1, y)), 255);
}

TEST_F(ScaledWindows, PaletteTableHasSharpEdges)
{
    open(std::nullopt);
    palette->show();
    const QImage table = palette->imgTable()->grab().toImage();
    ASSERT_EQ(table.size(), QSize(512, 512));
    EXPECT_EQ(palette->imgTable()->image().devicePixelRatio(), 2.0);
    // Along the middle of the first row of cells, only the three colours of
    // the picture: no blend that a smooth stretch would leave at the edges.
    const QRgb face = palette->palette().color(QPalette::Active, QPalette::Button).rgb();
    const QRgb text = palette->palette().color(QPalette::Active, QPalette::ButtonText).rgb();
    QSet<QRgb> seen;
    for (int x = 0; x < 512; ++x)
        seen.insert(table.pixel(x, 16));
    // Cell 0 is the current one: its frame on logical pixel 0, the face on
    // 1, the square's border on 2; each two device pixels wide.
    EXPECT_EQ(table.pixel(1, 16), text);
    EXPECT_EQ(table.pixel(2, 16), face);
    EXPECT_EQ(table.pixel(3, 16), face);
    EXPECT_EQ(table.pixel(4, 16), text);
    // Web 216's first row: 16 distinct cell colours, the face and the border;
    // a blend at any edge would add more.
    EXPECT_EQ(seen.size(), 18);

}

TEST_F(ScaledWindows, StartColourWinsOverTheStoredOne)
{
    open(rgb(0x12, 0x34, 0x56));
    EXPECT_EQ(w->currentColor(), rgb(0x12, 0x34, 0x56));
    // It becomes the last colour like any other change.
    w->close();
    EXPECT_EQ(modRegistry::GetLastColor(app->registry()), rgb(0x12, 0x34, 0x56));

    open(std::nullopt, -1);
    EXPECT_EQ(w->currentColor(), rgb(0x12, 0x34, 0x56));
}

} // namespace
} // namespace tintwell
