#include "mainwindowfixture.h"
#include "mainwindow/sliderrow.h"
#include "core/schemefiles.h"
#include "platform/help.h"
#include "platform/settings.h"

#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QMenuBar>
#include <QTest>

#include <map>

namespace tintwell {
namespace {

QString clip() { return QGuiApplication::clipboard()->text(); }
void setClip(const QString &t) { QGuiApplication::clipboard()->setText(t); }

struct OutputsFixture : MainWindowFixture {
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        reg->SetLong(key(), QStringLiteral("Last Color"), rgb(255, 128, 0));
    }
    void chooseFormat(int f) { w->formatItem(f)->trigger(); }
    void click(QWidget *target) { QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(4, 4)); }
};

// ------------------------------------------------------------------ copying

TEST_F(OutputsFixture, EveryCopyItemPutsExactlyItsBoxTextOnTheClipboardInEveryScheme)
{
    open();
    const std::array<QString, kBoxCount> standard{"FF8000", "80FF", "33023", "255,128,0",
                                                  "30,100,50", "30,100,100", "0,50,100"};
    for (int f = 0; f < 4; ++f) {
        SCOPED_TRACE(f);
        chooseFormat(f);
        ASSERT_EQ(w->currentColor(), rgb(255, 128, 0));
        for (int i = 0; i < kBoxCount; ++i) {
            setClip(QStringLiteral("before"));
            w->mnuEditCopyValue(i)->trigger();
            EXPECT_EQ(clip(), w->txtCopyBox(i)->text()) << "box " << i;
            if (f == 0) {
                EXPECT_EQ(clip(), standard[std::size_t(i)]) << "box " << i;
            }
        }
        if (f == 3) {
            EXPECT_EQ(w->txtCopyBox(3)->text(), QStringLiteral("1.00,0.50,0.00"));
            EXPECT_EQ(w->txtCopyBox(4)->text(), QStringLiteral("0.08,1.00,0.50"));
            EXPECT_EQ(w->txtCopyBox(5)->text(), QStringLiteral("0.08,1.00,1.00"));
            EXPECT_EQ(w->txtCopyBox(6)->text(), QStringLiteral("0.00,0.50,1.00"));
        }
    }
    // The items carry F2 to F9 and the captions SetFormatNames wrote.
    for (int i = 0; i < kBoxCount; ++i) {
        EXPECT_EQ(w->mnuEditCopyValue(i)->shortcut(), QKeySequence(Qt::Key(Qt::Key_F2 + i)));
        EXPECT_EQ(w->mnuEditCopyValue(i)->text(), QStringLiteral("Copy ") + w->lblFormatNames(i)->text());
    }
    EXPECT_EQ(w->mnuEditCopySwatch()->shortcut(), QKeySequence(Qt::Key_F9));
}

TEST_F(OutputsFixture, FunctionKeysCopyWhenTheWindowIsActive)
{
    open();
    w->show();
    QApplication::setActiveWindow(w.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    QTest::keyClick(w.get(), Qt::Key_F5);
    EXPECT_EQ(clip(), QStringLiteral("255,128,0"));
    QTest::keyClick(w.get(), Qt::Key_F2);
    EXPECT_EQ(clip(), QStringLiteral("FF8000"));
}

TEST_F(OutputsFixture, CtrlCCopiesTheWholeBoxAndCtrlShiftCNothing)
{
    open();
    QLineEdit *box = w->txtCopyBox(3);
    box->setFocus();
    box->setSelection(0, 3); // only "255" selected: the whole text goes anyway
    setClip(QStringLiteral("before"));
    QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(clip(), QStringLiteral("before"));
    QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(clip(), QStringLiteral("before"));
    QTest::keyClick(box, Qt::Key_C);
    EXPECT_EQ(clip(), QStringLiteral("before"));
    EXPECT_EQ(box->text(), QStringLiteral("255,128,0")) << "the boxes take no typing";
    QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clip(), QStringLiteral("255,128,0"));

    w->CopyBoxText(w->txtCopyBox(0), Qt::Key_X, 2);
    EXPECT_EQ(clip(), QStringLiteral("255,128,0"));
}

TEST_F(OutputsFixture, ClickToCopyCopiesOnOneClickOnlyWhenChecked)
{
    open();
    setClip(QStringLiteral("before"));
    click(w->txtCopyBox(4));
    EXPECT_EQ(clip(), QStringLiteral("before"));
    EXPECT_EQ(w->lblCopySwatch()->text(), QStringLiteral("CTRL-C to Copy"));

    w->mnuOptionsClicktoCopy()->trigger();
    EXPECT_TRUE(w->mnuOptionsClicktoCopy()->isChecked());
    EXPECT_EQ(w->lblCopySwatch()->text(), QStringLiteral("Click to Copy"));
    EXPECT_EQ(stored("Click Copy"), 1);
    click(w->txtCopyBox(4));
    EXPECT_EQ(clip(), QStringLiteral("30,100,50"));

    setClip(QStringLiteral("before"));
    click(w->picCopySwatch());
    EXPECT_FALSE(QGuiApplication::clipboard()->image().isNull());

    w->mnuOptionsClicktoCopy()->trigger();
    EXPECT_EQ(stored("Click Copy"), 0);
    EXPECT_EQ(w->lblCopySwatch()->text(), QStringLiteral("CTRL-C to Copy"));
}

TEST_F(OutputsFixture, OctalOfTheColourValue)
{
    open();
    const std::pair<std::int32_t, const char *> cases[] = {
        {rgb(255, 0, 0), "377"}, {0, "0"}, {0xFFFFFF, "77777777"}, {rgb(255, 128, 0), "100377"}};
    for (const auto &[colour, octal] : cases) {
        w->SetColors(colour);
        w->mnuEditCopyOctal()->trigger();
        EXPECT_EQ(clip(), QString::fromLatin1(octal));
    }
}

TEST_F(OutputsFixture, TheSwatchCopiesAsASolidSquareByKeyMenuAndContextMenu)
{
    open();
    w->SetColors(rgb(17, 200, 99));
    auto solid = [] {
        const QImage img = QGuiApplication::clipboard()->image();
        if (img.isNull() || img.width() != 32 || img.height() != 32)
            return false;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if (QColor(img.pixel(x, y)) != QColor(17, 200, 99))
                    return false;
        return true;
    };
    setClip(QStringLiteral("x"));
    w->mnuEditCopySwatch()->trigger();
    EXPECT_TRUE(solid());

    setClip(QStringLiteral("x"));
    w->picCopySwatch()->setFocus();
    QTest::keyClick(w->picCopySwatch(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_FALSE(solid());
    QTest::keyClick(w->picCopySwatch(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_TRUE(solid());

    const QList<QAction *> items = w->mnuSwatchMenu()->actions();
    ASSERT_EQ(items.size(), 1);
    EXPECT_EQ(items[0]->text(), QStringLiteral("&Copy"));
    setClip(QStringLiteral("x"));
    items[0]->trigger();
    EXPECT_TRUE(solid());
}

TEST_F(OutputsFixture, TheSwatchShowsItsFocus)
{
    open();
    w->show();
    QApplication::setActiveWindow(w.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    const QPalette system = w->palette();
    // A click on the label gives the swatch the focus.
    QTest::mouseClick(w->picCopySwatch(), Qt::LeftButton, {}, w->lblCopySwatch()->geometry().center());
    EXPECT_TRUE(w->picCopySwatch()->hasFocus());
    EXPECT_EQ(w->picCopySwatch()->palette().color(QPalette::Base), system.color(QPalette::Highlight));
    EXPECT_EQ(w->lblCopySwatch()->palette().color(QPalette::WindowText), system.color(QPalette::HighlightedText));
    w->txtCopyBox(0)->setFocus();
    EXPECT_EQ(w->picCopySwatch()->palette().color(QPalette::Base), system.color(QPalette::Base));
}

// ------------------------------------------------------------- Format menu

TEST_F(OutputsFixture, AFormatSwitchCarriesTheSlidersIntoTheNewUnits)
{
    reg->SetLong(key(), QStringLiteral("Last Color"), rgb(128, 0, 255));
    open();
    chooseFormat(2);
    EXPECT_TRUE(w->formatItem(2)->isChecked());
    EXPECT_FALSE(w->formatItem(0)->isChecked());
    EXPECT_EQ(stored("Format"), 2);
    EXPECT_EQ(boxes(), (std::array<QString, 3>{"50", "0", "100"}));
    EXPECT_EQ(w->picColorBox(0)->base(), 100.0f);
    chooseFormat(3);
    EXPECT_EQ(boxes(), (std::array<QString, 3>{"0.50", "0.00", "1.00"}));
}

// A value the box cannot show whole scrolls, and the user reads "07" or ".07"
// for "0.07"; the first character must stay in view in every scheme and mode.
TEST_F(OutputsFixture, EveryValueBoxShowsItsWholeTextInEveryScheme)
{
    open();
    const std::int32_t colours[] = {rgb(18, 18, 18), rgb(255, 128, 0), rgb(0, 0, 0), rgb(255, 255, 255),
                            rgb(250, 251, 252)};
    for (int f = 0; f < 4; ++f) {
        chooseFormat(f);
        for (int mode = kSliderModeRGB; mode <= kSliderModeCMY; ++mode) {
            w->sliderModeItem(mode)->trigger();
            for (std::int32_t colour : colours) {
                w->SetColors(colour);
                for (int i = 0; i < 3; ++i) {
                    QLineEdit *box = w->txtRGBValue(i);
                    SCOPED_TRACE(QStringLiteral("scheme %1 mode %2 box %3 text %4")
                                     .arg(f).arg(mode).arg(i).arg(box->text()).toStdString());
                    const int length = int(box->text().size());
                    const int middle = box->height() / 2;
                    // With the cursor at either end, both ends of the text are in view.
                    for (int at : {0, length}) {
                        box->setCursorPosition(at);
                        box->grab(); // lays the text out as it is painted
                        EXPECT_EQ(box->cursorPositionAt(QPoint(0, middle)), 0) << "cursor " << at;
                        EXPECT_EQ(box->cursorPositionAt(QPoint(box->width() - 1, middle)), length)
                            << "cursor " << at;
                    }
                    box->setCursorPosition(0);
                }
            }
        }
    }
}

TEST_F(OutputsFixture, AFormatSwitchKeepsTheColourExactly)
{
    reg->SetLong(key(), QStringLiteral("Last Color"), rgb(17, 200, 99));
    open();
    const auto before = outputs();
    ASSERT_EQ(w->txtCopyBox(0)->text(), QStringLiteral("11C863"));
    chooseFormat(3);
    EXPECT_EQ(w->currentColor(), rgb(17, 200, 99));
    EXPECT_EQ(boxes(), (std::array<QString, 3>{"0.07", "0.78", "0.39"}));
    EXPECT_EQ(w->txtCopyBox(0)->text(), QStringLiteral("11C863"));
    chooseFormat(1);
    chooseFormat(2);
    chooseFormat(0);
    EXPECT_EQ(w->currentColor(), rgb(17, 200, 99));
    EXPECT_EQ(outputs(), before);
    // Typing a value afterwards still builds the colour from the boxes, in
    // their units: green 0.78 is 199.
    chooseFormat(3);
    typeInto(0, QStringLiteral("1"));
    EXPECT_EQ(w->currentColor(), rgb(255, 199, 99));
}

TEST_F(OutputsFixture, AHueHeldOnAGreySurvivesAFormatSwitch)
{
    reg->SetLong(key(), QStringLiteral("Sliders"), kSliderModeHSL);
    open();
    typeInto(0, QStringLiteral("120"));
    typeInto(1, QStringLiteral("0"));
    ASSERT_EQ(boxes()[0], QStringLiteral("120"));
    const std::int32_t grey = w->currentColor();
    chooseFormat(3);
    EXPECT_EQ(boxes()[0], QStringLiteral("0.33"));
    chooseFormat(0);
    EXPECT_EQ(boxes(), (std::array<QString, 3>{"120", "0", boxes()[2]}));
    EXPECT_EQ(w->currentColor(), grey);
}

TEST_F(OutputsFixture, ASaturationHeldOnBlackSurvivesAFormatSwitch)
{
    reg->SetLong(key(), QStringLiteral("Sliders"), kSliderModeHSB);
    reg->SetLong(key(), QStringLiteral("Format"), 1); // Byte: every box in internal units
    open();
    typeInto(2, QStringLiteral("0"));
    typeInto(0, QStringLiteral("200"));
    typeInto(1, QStringLiteral("178"));
    ASSERT_EQ(w->currentColor(), rgb(0, 0, 0));
    ASSERT_EQ(w->colorValues().HSBSaturation, 178);
    chooseFormat(2);
    EXPECT_EQ(boxes(), (std::array<QString, 3>{"200", "70", "0"}));
    EXPECT_EQ(w->colorValues().HSBHue, 200);
    EXPECT_EQ(w->colorValues().HSBSaturation, 178);
    chooseFormat(1);
    EXPECT_EQ(boxes(), (std::array<QString, 3>{"200", "178", "0"}));
    EXPECT_EQ(w->currentColor(), rgb(0, 0, 0));
}

TEST_F(OutputsFixture, ASlotNameWithoutALineBreakIsShownCutTo64Characters)
{
    QFile slot(SlotFilePath(dir.path(), 4));
    ASSERT_TRUE(slot.open(QIODevice::WriteOnly));
    slot.write(QByteArray(70, 'n'));
    slot.close();
    open();
    EXPECT_TRUE(w->formatItem(kFirstCustomScheme + 3)->isVisible());
    EXPECT_EQ(w->formatItem(kFirstCustomScheme + 3)->text(), QString(64, QLatin1Char('n')));
    EXPECT_FALSE(w->formatItem(kFirstCustomScheme)->isVisible());
    QFile::remove(SlotFilePath(dir.path(), 4));
    w->SetCustomFormatMenuNames();
    EXPECT_FALSE(w->formatItem(kFirstCustomScheme + 3)->isVisible());
}

TEST_F(OutputsFixture, ASlotFileWithLineFeedsAloneLoadsAsWithCrLf)
{
    FormatScheme mine;
    RecordingMessages messages;
    LoadScheme(mine, 2, messages, QString());
    mine.Info[TN_RGB].FormatName = QStringLiteral("&Mine");
    mine.OutputSeparators[TN_RGB].LeftEnd = QStringLiteral("rgb(");
    mine.Info[TN_HEX].ExportScript = QStringLiteral("line one\r\nline two");
    ASSERT_TRUE(WriteCustomScheme(mine, QStringLiteral("Unix"), 1, dir.path(), messages));
    ASSERT_TRUE(WriteCustomScheme(mine, QStringLiteral("Windows"), 2, dir.path(), messages));
    QFile slot(SlotFilePath(dir.path(), 1));
    ASSERT_TRUE(slot.open(QIODevice::ReadWrite));
    QByteArray bytes = slot.readAll();
    ASSERT_TRUE(bytes.contains("\r\n"));
    bytes.replace("\r\n", "\n");
    slot.resize(0);
    slot.write(bytes);
    slot.close();

    reg->SetLong(key(), QStringLiteral("Last Color"), rgb(17, 200, 99));
    open();
    chooseFormat(kFirstCustomScheme + 1);
    const auto withCrLf = outputs();
    const FormatScheme windows = ctx->Scheme;
    chooseFormat(kFirstCustomScheme);
    EXPECT_EQ(w->formatItem(kFirstCustomScheme)->text(), QStringLiteral("Unix"));
    EXPECT_EQ(outputs(), withCrLf);
    EXPECT_EQ(w->lblFormatNames(kBoxRGB)->text(), QStringLiteral("&Mine"));
    EXPECT_EQ(ctx->Scheme.Info[TN_HEX].ExportScript, windows.Info[TN_HEX].ExportScript);
    EXPECT_EQ(ctx->Scheme.OutputSeparators[TN_RGB].LeftEnd, QStringLiteral("rgb("));
}

TEST_F(OutputsFixture, ChoosingTheCheckedFormatChangesNothing)
{
    open();
    const int writes = reg->writeCount();
    chooseFormat(0);
    EXPECT_TRUE(w->formatItem(0)->isChecked());
    EXPECT_EQ(reg->writeCount(), writes);
}

TEST_F(OutputsFixture, CustomSlotsAppearByTheirFilesAndSwitchLikeTheBuiltIns)
{
    FormatScheme mine;
    RecordingMessages messages;
    LoadScheme(mine, 3, messages, QString());
    mine.Info[TN_RGB].FormatName = QStringLiteral("&Mine");
    ASSERT_TRUE(WriteCustomScheme(mine, QStringLiteral("My Decimal"), 2, dir.path(), messages));
    reg->SetLong(key(), QStringLiteral("Last Color"), rgb(17, 200, 99));
    open();
    for (int n = 1; n <= 5; ++n)
        EXPECT_EQ(w->formatItem(kFirstCustomScheme + n - 1)->isVisible(), n == 2) << n;
    EXPECT_EQ(w->formatItem(kFirstCustomScheme + 1)->text(), QStringLiteral("My Decimal"));

    chooseFormat(kFirstCustomScheme + 1);
    EXPECT_EQ(stored("Format"), kFirstCustomScheme + 1);
    EXPECT_EQ(w->currentColor(), rgb(17, 200, 99));
    EXPECT_EQ(boxes(), (std::array<QString, 3>{"0.07", "0.78", "0.39"}));
    EXPECT_EQ(w->lblFormatNames(3)->text(), QStringLiteral("&Mine"));
    EXPECT_EQ(w->mnuEditCopyValue(3)->text(), QStringLiteral("Copy &Mine"));

    // A slot file that went missing still counts as the choice; the scheme
    // in use stays as it was.
    QFile::remove(SlotFilePath(dir.path(), 2));
    chooseFormat(0);
    chooseFormat(kFirstCustomScheme + 1);
    EXPECT_TRUE(w->formatItem(kFirstCustomScheme + 1)->isChecked());
    EXPECT_EQ(stored("Format"), kFirstCustomScheme + 1);
    EXPECT_EQ(w->currentColor(), rgb(17, 200, 99));
    EXPECT_EQ(boxes(), (std::array<QString, 3>{"17", "200", "99"}));
}

// ------------------------------------------------------------------ options

TEST_F(OutputsFixture, OptionsAreStoredAndRestoredAndRewriteTheHexOutputs)
{
    open();
    w->mnuOptionsLowercaseHex()->trigger();
    EXPECT_EQ(w->txtCopyBox(0)->text(), QStringLiteral("ff8000"));
    w->mnuOptionsAddExtraZerosToHex()->trigger();
    EXPECT_EQ(w->txtCopyBox(1)->text(), QStringLiteral("000080ff"));
    w->mnuOptionsAlwaysonTop()->trigger();
    EXPECT_TRUE(w->windowFlags() & Qt::WindowStaysOnTopHint);
    w->mnuOptionsClicktoCopy()->trigger();
    EXPECT_EQ(stored("Lowercase Hex"), 1);
    EXPECT_EQ(stored("Extra Hex Zeros"), 1);
    EXPECT_EQ(stored("On Top"), 1);
    EXPECT_EQ(stored("Click Copy"), 1);

    open();
    EXPECT_TRUE(w->mnuOptionsLowercaseHex()->isChecked());
    EXPECT_TRUE(w->mnuOptionsAddExtraZerosToHex()->isChecked());
    EXPECT_TRUE(w->mnuOptionsAlwaysonTop()->isChecked());
    EXPECT_TRUE(w->mnuOptionsClicktoCopy()->isChecked());
    EXPECT_TRUE(w->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(w->txtCopyBox(1)->text(), QStringLiteral("000080ff"));

    for (QAction *a : {w->mnuOptionsLowercaseHex(), w->mnuOptionsAddExtraZerosToHex(), w->mnuOptionsAlwaysonTop(),
                       w->mnuOptionsClicktoCopy()})
        a->trigger();
    EXPECT_EQ(stored("Lowercase Hex"), 0);
    EXPECT_EQ(stored("Extra Hex Zeros"), 0);
    EXPECT_EQ(stored("On Top"), 0);
    EXPECT_EQ(stored("Click Copy"), 0);
    EXPECT_FALSE(w->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(w->txtCopyBox(0)->text(), QStringLiteral("FF8000"));
    EXPECT_EQ(w->txtCopyBox(1)->text(), QStringLiteral("80FF"));
}

TEST_F(OutputsFixture, AHexOptionInACoarseSchemeKeepsTheColour)
{
    reg->SetLong(key(), QStringLiteral("Last Color"), rgb(17, 200, 99));
    reg->SetLong(key(), QStringLiteral("Format"), 3);
    open();
    w->mnuOptionsLowercaseHex()->trigger();
    EXPECT_EQ(w->currentColor(), rgb(17, 200, 99));
    EXPECT_EQ(w->txtCopyBox(0)->text(), QStringLiteral("11c863"));
}

// --------------------------------------------- preview, lock, colour dialog

TEST_F(OutputsFixture, ThePreviewSnapsToTheNearestPaletteEntry)
{
    open();
    ctx->Palette.PaletteColors.fill(0);
    ctx->Palette.PaletteColors[5] = rgb(250, 130, 10);
    ctx->Palette.PaletteColors[9] = rgb(0, 0, 255);
    ctx->Palette.AutoSelect = true;
    int selected = -1;
    QObject::connect(session.get(), &ColorSession::paletteEntryChosen, [&](int i) { selected = i; });
    w->SetColors(rgb(255, 128, 0));
    EXPECT_FALSE(w->imgLock()->isVisible());
    click(w->picPreview());
    EXPECT_EQ(w->currentColor(), rgb(250, 130, 10));
    EXPECT_EQ(selected, 5);
    EXPECT_FALSE(w->imgLock()->isHidden());

    click(w->imgLock());
    EXPECT_EQ(peers.paletteShown, 1);
    w->cmdPaletteTool()->click();
    EXPECT_EQ(peers.paletteShown, 2);
}

TEST_F(OutputsFixture, TheColourDialogStartsAtTheColourAndACancelChangesNothing)
{
    open();
    peers.colorAnswer = rgb(1, 2, 3);
    w->cmdColorDialog()->click();
    ASSERT_EQ(peers.colorsOffered.size(), 1);
    EXPECT_EQ(peers.colorsOffered[0], rgb(255, 128, 0));
    EXPECT_EQ(w->currentColor(), rgb(1, 2, 3));
    EXPECT_EQ(w->txtCopyBox(3)->text(), QStringLiteral("1,2,3"));
}

// --------------------------------------------------------------------- help

TEST_F(OutputsFixture, HelpContentsAndTheTopicsOfMenusAndControls)
{
    open();
    w->mnuHelpContents()->trigger();
    ASSERT_TRUE(help.hasWindow());
    EXPECT_TRUE(help.window()->isVisible());
    EXPECT_EQ(help.window()->currentTopic(), 0);
    EXPECT_EQ(w->mnuHelpContents()->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_H));

    const std::map<QString, int> topics{{"&Copy", 17}, {"&Sliders", 7}, {"&Picker", 1001},
                                        {"&Format", 10}, {"&Options", 11}, {"&Help", 18}};
    for (QAction *a : w->menuBar()->actions()) {
        ASSERT_TRUE(topics.count(a->text())) << a->text().toStdString();
        EXPECT_EQ(w->menuHelpTopic(a->menu()), topics.at(a->text())) << a->text().toStdString();
        EXPECT_TRUE(HasHelpTopic(topics.at(a->text())));
    }

    w->show();
    QApplication::setActiveWindow(w.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    w->txtCopyBox(2)->setFocus();
    EXPECT_EQ(w->showContextHelp(), 6011);
    w->picColorBox(3)->setFocus();
    EXPECT_EQ(w->showContextHelp(), 6002);
    w->cmdAdvanced()->setFocus();
    EXPECT_EQ(w->showContextHelp(), 6012);
    EXPECT_FALSE(w->txtRGBValue(1)->whatsThis().isEmpty());
    EXPECT_EQ(w->txtRGBValue(1)->whatsThis(), WhatsThisText(6001));
}

} // namespace
} // namespace tintwell
