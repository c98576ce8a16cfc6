// The magnifier on a screen made of an image: gestures, Picker menu, drag area.
// Then the converter's controls: Ctrl+C, the messages, converter scripts.
#include "pickerfixture.h"

#include "picker/converter.h"
#include "picker/converterpanel.h"
#include "picker/frmdragarea.h"
#include "picker/frmwait.h"
#include "picker/sampling.h"
#include "picker/screengrabber.h"

#include "core/appcontext.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>

namespace tintwell {
namespace {

// A screen made of an image, a distinct colour for every pixel, with a pointer the test moves.
struct FakeScreen : ScreenGrabber {
    QRect virtualGeometry() const override { return QRect(origin, screen.size()); }
    QPoint cursorPos() const override { return pointer; }
    void settle() override { ++settled; }
    QImage grab(const QRect &rect) override
    {
        grabs.append({rect, settled});
        return reason.isEmpty() && !emptyGrabs ? screen.copy(rect.translated(-origin)) : QImage();
    }
    double logicalDpi() const override { return dpi; }
    QString unreadableReason() const override { return reason; }

    QImage screen{300, 200, QImage::Format_RGB32};
    QPoint origin, pointer;
    double dpi = 96;
    QString reason;
    bool emptyGrabs = false;
    int settled = 0;
    QList<std::pair<QRect, int>> grabs; // with how often settle() had run before
};

struct PickerPanelTest : testing::PickerFixture {
    FakeScreen screen;

    void SetUp() override
    {
        for (int y = 0; y < screen.screen.height(); ++y)
            for (int x = 0; x < screen.screen.width(); ++x)
                screen.screen.setPixel(x, y, qRgb(x & 0xFF, y, (x * 7 + y * 3) & 0xFF));
        build(screen);
    }
    void pointTo(QPoint p) override { screen.pointer = p; }
    // A release already queued when the panel next yields to the event loop.
    void queueLeftRelease()
    {
        QCoreApplication::postEvent(zoom(), new QMouseEvent(QEvent::MouseButtonRelease, QPointF(5, 5),
                                                            zoom()->mapToGlobal(QPointF(5, 5)), Qt::LeftButton,
                                                            Qt::NoButton, Qt::NoModifier));
    }
    QRgb at(int x, int y) const { return screen.screen.pixel(x, y); }
};

TEST_F(PickerPanelTest, AClickSamplesAtOnceAndEveryMoveFollows)
{
    pointTo(QPoint(100, 60));
    press(Qt::LeftButton);
    moveTo(QPoint(150, 90), Qt::LeftButton);
    EXPECT_EQ(colours, (QList<std::int32_t>{ColorAt(screen.screen, {100, 60}), ColorAt(screen.screen, {150, 90})}));
    EXPECT_EQ(panel->lblYPos()->text(), QStringLiteral("Y: 90"));
    // The view at 1x: the screen around the pointer, the crosshair inverted.
    const QImage view = panel->viewImage();
    EXPECT_EQ(view.pixel(0, 0), at(150 - 27, 90 - 27));
    EXPECT_EQ(view.pixel(27, 27), at(150, 90) ^ 0x00FFFFFFu);
    release(Qt::LeftButton);
    moveTo(QPoint(10, 10), Qt::NoButton); // no button held: no sample
    EXPECT_EQ(colours.size(), 2);
    press(Qt::RightButton); // the menu; with the left button held it starts an area instead
    EXPECT_TRUE(menu->isVisible());
    release(Qt::RightButton);
}

// A release already queued when the panel yields to the event loop, during a
// press or during the read of a dragged area.
TEST_F(PickerPanelTest, AQueuedReleaseLeavesNoGrabOrFrameBehind)
{
    pointTo(QPoint(30, 40));
    queueLeftRelease();
    press(Qt::LeftButton);
    EXPECT_EQ(colours, QList<std::int32_t>{ColorAt(screen.screen, {30, 40})});
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    EXPECT_FALSE(zoom()->testAttribute(Qt::WA_SetCursor));
    samples[3]->trigger();
    startArea(QPoint(10, 10), QPoint(60, 60));
    EXPECT_EQ(QWidget::mouseGrabber(), zoom());
    queueLeftRelease();
    release(Qt::RightButton);
    QCoreApplication::processEvents();
    EXPECT_FALSE(panel->dragArea()->isVisible());
    EXPECT_EQ(colours.last(), AverageColor(screen.screen, QRect(10, 10, 51, 51)));
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
}

TEST_F(PickerPanelTest, ThreeByThreeAtTheCornerAveragesTheFourPixelsOnScreen)
{
    samples[1]->trigger(); // before any use: nothing sampled
    click(QPoint(0, 0));
    // (0 + 1 + 0 + 1) / 4 red, (0 + 0 + 1 + 1) / 4 green, (0 + 7 + 3 + 10) / 4 blue.
    EXPECT_EQ(colours, QList<std::int32_t>{5 << 16});
    // The crosshair moved up and left by 27 and still marks pixel 0, 0; the
    // block outline lies one pixel outside the 2 x 2 block's cells.
    const QImage view = panel->viewImage();
    EXPECT_EQ(view.pixel(0, 0), at(0, 0) ^ 0x00FFFFFFu);
    EXPECT_EQ(view.pixel(2, 1), at(2, 1) ^ 0x00FFFFFFu);
    EXPECT_EQ(view.pixel(1, 1), at(1, 1));
}

TEST_F(PickerPanelTest, MenuAndKeysResampleAtTheSavedPositionAfterFirstUse)
{
    click(QPoint(120, 80));
    pointTo(QPoint(5, 5));
    zooms[4]->trigger(); // 9x: the pointer pixel fills view cells 27-35
    EXPECT_EQ(panel->viewImage().pixel(28, 28), at(120, 80));
    EXPECT_EQ(panel->viewImage().pixel(26, 28), at(119, 80));
    for (int i = 0; i < 3; ++i) // 3x3, 5x5, and the drag area, which waits for a drag
        panel->cycleSampleSize();
    const std::int32_t one = ColorAt(screen.screen, {120, 80});
    EXPECT_EQ(colours, (QList<std::int32_t>{one, one, AverageColor(screen.screen, {119, 79, 3, 3}),
                                            AverageColor(screen.screen, {118, 78, 5, 5})}));
}

TEST_F(PickerPanelTest, DragAreaOutlinesAndThenAveragesTheRectangle)
{
    for (int y = 100; y < 132; ++y) // 32 x 32: white left half, black right half
        for (int x = 40; x < 72; ++x)
            screen.screen.setPixel(x, y, x < 56 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
    QStringList progress;
    QObject::connect(panel->waitWindow(), &frmWait::progressShown, [&](const QString &t) { progress.append(t); });
    samples[3]->trigger();
    startArea(QPoint(71, 131), QPoint(40, 100));
    // In logical pixels, which differ from the screen's under a scale factor (QT_SCALE_FACTOR=2).
    const int r = qRound(zoom()->devicePixelRatioF());
    EXPECT_EQ(panel->dragArea()->geometry(), QRect(40 / r, 100 / r, 32 / r, 32 / r));
    EXPECT_TRUE(panel->dragArea()->isVisible() && !menu->isVisible() && colours.isEmpty());
    release(Qt::RightButton);
    EXPECT_FALSE(panel->dragArea()->isVisible());
    // One copy of the area, after the display had taken the frame away; 1024 pixels show no progress.
    EXPECT_TRUE(screen.grabs.contains(std::pair{QRect(40, 100, 32, 32), 1}));
    EXPECT_TRUE(progress.isEmpty());
    release(Qt::LeftButton);
    // The left button's release ends the drag just the same; no size is the pixel.
    startArea(QPoint(44, 100), QPoint(44, 100));
    release(Qt::LeftButton);
    release(Qt::RightButton);
    startArea(QPoint(72, 131), QPoint(40, 100)); // 33 x 32
    release(Qt::RightButton);
    release(Qt::LeftButton);
    EXPECT_EQ(progress.value(0), QStringLiteral("0% Done"));
    EXPECT_FALSE(panel->waitWindow()->isVisible());
    EXPECT_EQ(colours, (QList<std::int32_t>{0x7F7F7F, 0xFFFFFF, AverageColor(screen.screen, QRect(40, 100, 33, 32))}));
}

TEST_F(PickerPanelTest, AnUnreadableScreenIsSaidOnceAndNeverSampledBlack)
{
    for (bool wayland : {true, false}) {
        screen.reason = wayland ? QStringLiteral("no screen here") : QString();
        screen.emptyGrabs = !wayland;
        messages.shown.clear();
        build(screen);
        click(QPoint(3, 3));
        click(QPoint(4, 4));
        ASSERT_EQ(messages.shown.size(), 1) << wayland;
        EXPECT_TRUE(messages.shown[0].text.contains(wayland ? "no screen here" : "QT_QPA_PLATFORM=xcb"));
        EXPECT_TRUE(colours.isEmpty());
    }
}

TEST_F(PickerPanelTest, ViewSizeFollowsTheDpiAndNegativeDesktopsWork)
{
    screen.origin = QPoint(-300, -100);
    screen.dpi = 120;
    build(screen);
    EXPECT_EQ(zoom()->width(), 68 + 4); // 67.5 halves to even, and the border
    click(QPoint(-300, -100));
    EXPECT_EQ(colours, QList<std::int32_t>{ColorAt(screen.screen, {0, 0})});
    EXPECT_EQ(panel->viewImage().pixel(0, 0), at(0, 0) ^ 0x00FFFFFFu);
    EXPECT_EQ(PickerPanel::pickerCursor().hotSpot(), QPoint(7, 7)); // on the cursor's crosshair centre
}

struct ConverterPanelTest : ::testing::Test, ConverterScriptRunner {
    AppContext ctx;
    RecordingMessages messages;
    QWidget frame;
    std::unique_ptr<ConverterPanel> panel;
    QList<std::int32_t> colours;
    bool scriptFound = false;
    QList<std::pair<int, QString>> scriptsRun;

    bool RunConverterScript(int type, const QString &text) override
    {
        scriptsRun.append({type, text});
        return scriptFound;
    }
    void SetUp() override
    {
        ctx.Messages = &messages;
        ctx.loadScheme(0);
        panel = std::make_unique<ConverterPanel>(&frame, ctx, *this);
        QObject::connect(panel.get(), &ConverterPanel::colorChosen, [this](std::int32_t c) { colours.append(c); });
    }
    void convert(int index, const QString &text)
    {
        panel->cboConvertType()->setCurrentIndex(index);
        panel->txtConvert()->setText(text);
        panel->cmdConvert_Click();
    }
};

TEST_F(ConverterPanelTest, BadValuesShowTheirMessageAndKeepTheColour)
{
    convert(ConvertDecimal, QStringLiteral("16777216"));
    convert(ConvertRGB, QStringLiteral("10,,30"));
    EXPECT_TRUE(colours.isEmpty());
    ASSERT_EQ(messages.shown.size(), 2);
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("Conversion value is too large."));
    EXPECT_EQ(messages.shown[1].text, QStringLiteral("Invalid conversion value."));
    for (const auto &m : messages.shown) {
        EXPECT_EQ(m.title, QStringLiteral("Conversion Error"));
        EXPECT_EQ(m.icon, MsgIcon::Exclamation);
        EXPECT_EQ(m.buttons, MsgButtons::OkHelp);
        EXPECT_EQ(m.helpTopic, 9);
    }
}

TEST_F(ConverterPanelTest, CtrlCCopiesTheWholeBox)
{
    panel->txtConvert()->setText(QStringLiteral("0080FF"));
    panel->txtConvert()->setSelection(0, 2);
    QApplication::clipboard()->setText(QStringLiteral("before"));
    QTest::keyClick(panel->txtConvert(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("0080FF"));
}

// The format's name, access keys taken out, names the list item and the script.
TEST_F(ConverterPanelTest, AFormatWithAScriptNeverReachesTheBuiltInRule)
{
    ctx.Scheme.Info[TN_RGB].FormatName = QStringLiteral("R&G&&B");
    panel->SetFormatNames();
    EXPECT_EQ(panel->cboConvertType()->itemText(ConvertRGB), QStringLiteral("RGB"));
    scriptFound = true;
    convert(ConvertRGB, QStringLiteral("10,,30")); // invalid for the built-in rule
    convert(ConvertOctal, QStringLiteral("7"));    // belongs to no format: never a script
    EXPECT_EQ(scriptsRun, (QList<std::pair<int, QString>>{{ConvertRGB, QStringLiteral("10,,30")}}));
    EXPECT_EQ(ctx.Script.ScriptName, QStringLiteral("RGB Format Converter"));
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_EQ(colours, QList<std::int32_t>{7});
}

} // namespace
} // namespace tintwell
