#include "mainwindowfixture.h"
#include "core/schemefiles.h"

#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

namespace tintwell {
namespace {

QString clip() { return QGuiApplication::clipboard()->text(); }
void setClip(const QString &t) { QGuiApplication::clipboard()->setText(t); }

struct OutputsFixture : MainWindowFixture {
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        setAll({{"Last Color", rgb(255, 128, 0)}});
    }
    void chooseFormat(int f) { w->formatItem(f)->trigger(); }
    void click(QWidget *target) { QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(4, 4)); }
    // A copy of built-in scheme `from` in slot n; `edit` changes it first.
    void writeSlot(int from, const QString &name, int n, const std::function<void(FormatScheme &)> &edit = {})
    {
        FormatScheme scheme;
        RecordingMessages messages;
        LoadScheme(scheme, from, messages, QString());
        if (edit)
            edit(scheme);
        ASSERT_TRUE(WriteCustomScheme(scheme, name, n, dir.path(), messages));
    }
};

// ------------------------------------------------------------------ copying

TEST_F(OutputsFixture, EveryCopyItemPutsExactlyItsBoxTextOnTheClipboardInEveryScheme)
{
    open();
    const std::array<QString, kBoxCount> standard{"FF8000", "80FF", "33023", "255,128,0",
                                                  "30,100,50", "30,100,100", "0,50,100"};
    for (int f = 3; f >= 0; --f) {
        chooseFormat(f);
        for (int i = 0; i < kBoxCount; ++i) {
            setClip(QStringLiteral("before"));
            w->mnuEditCopyValue(i)->trigger();
            EXPECT_EQ(clip(), f == 0 ? standard[std::size_t(i)] : w->txtCopyBox(i)->text()) << f << " " << i;
        }
    }
    // Keys reach the items when the window is active.
    ASSERT_TRUE(activate());
    QTest::keyClick(w.get(), Qt::Key_F5);
    EXPECT_EQ(clip(), QStringLiteral("255,128,0"));
    QTest::keyClick(w.get(), Qt::Key_F2);
    EXPECT_EQ(clip(), QStringLiteral("FF8000"));
}

TEST_F(OutputsFixture, CtrlCCopiesTheWholeBoxAndOtherKeysNothing)
{
    open();
    QLineEdit *box = w->txtCopyBox(3);
    box->setFocus();
    box->setSelection(0, 3); // only "255" selected: the whole text goes anyway
    setClip(QStringLiteral("before"));
    for (auto mods : {Qt::ControlModifier | Qt::ShiftModifier, Qt::ControlModifier | Qt::AltModifier,
                      Qt::KeyboardModifiers(Qt::NoModifier)})
        QTest::keyClick(box, Qt::Key_C, mods);
    EXPECT_EQ(clip(), QStringLiteral("before"));
    EXPECT_EQ(box->text(), QStringLiteral("255,128,0")) << "the boxes take no typing";
    QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clip(), QStringLiteral("255,128,0"));
}

TEST_F(OutputsFixture, ClickToCopyCopiesOnOneClickOnlyWhenChecked)
{
    open();
    setClip(QStringLiteral("before"));
    click(w->txtCopyBox(4));
    EXPECT_EQ(clip(), QStringLiteral("before"));
    w->mnuOptionsClicktoCopy()->trigger();
    EXPECT_EQ(w->lblCopySwatch()->text(), QStringLiteral("Click to Copy"));
    click(w->txtCopyBox(4));
    EXPECT_EQ(clip(), QStringLiteral("30,100,50"));
    click(w->picCopySwatch());
    EXPECT_FALSE(QGuiApplication::clipboard()->image().isNull());
    w->mnuOptionsClicktoCopy()->trigger();
    EXPECT_EQ(w->lblCopySwatch()->text(), QStringLiteral("CTRL-C to Copy"));
}

TEST_F(OutputsFixture, TheSwatchCopiesAsASolidSquareByKeyMenuAndContextMenu)
{
    open();
    w->SetColors(rgb(17, 200, 99));
    auto copied = [](const std::function<void()> &how) {
        setClip(QStringLiteral("x"));
        how();
        const QImage img = QGuiApplication::clipboard()->image();
        if (img.size() != QSize(32, 32))
            return false;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if (QColor(img.pixel(x, y)) != QColor(17, 200, 99))
                    return false;
        return true;
    };
    EXPECT_TRUE(copied([&] { w->mnuEditCopySwatch()->trigger(); }));
    QWidget *swatch = w->picCopySwatch();
    EXPECT_FALSE(copied([&] { QTest::keyClick(swatch, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier); }));
    EXPECT_TRUE(copied([&] { QTest::keyClick(swatch, Qt::Key_C, Qt::ControlModifier); }));
    ASSERT_EQ(w->mnuSwatchMenu()->actions().size(), 1);
    EXPECT_TRUE(copied([&] { w->mnuSwatchMenu()->actions()[0]->trigger(); }));
}

// ------------------------------------------------------------- Format menu

TEST_F(OutputsFixture, AFormatSwitchCarriesTheSlidersIntoTheNewUnitsAndKeepsTheColourExactly)
{
    setAll({{"Last Color", rgb(17, 200, 99)}});
    open();
    const auto before = outputs();
    chooseFormat(2);
    EXPECT_EQ(stored("Format"), 2);
    EXPECT_EQ(boxes(), (Boxes{"7", "78", "39"}));
    EXPECT_EQ(w->picColorBox(0)->base(), 100.0f);
    chooseFormat(3);
    EXPECT_EQ(boxes(), (Boxes{"0.07", "0.78", "0.39"}));
    EXPECT_EQ(w->txtCopyBox(0)->text(), QStringLiteral("11C863"));
    chooseFormat(1);
    chooseFormat(0);
    EXPECT_EQ(w->currentColor(), rgb(17, 200, 99));
    EXPECT_EQ(outputs(), before);
    // Typing afterwards still builds the colour in the boxes' units: green 0.78 is 199.
    chooseFormat(3);
    typeInto(0, QStringLiteral("1"));
    EXPECT_EQ(w->currentColor(), rgb(255, 199, 99));
}

// A value the box cannot show whole scrolls, and the user reads "07" or ".07"
// for "0.07"; the first character must stay in view in every scheme and mode.
TEST_F(OutputsFixture, EveryValueBoxShowsItsWholeTextInEveryScheme)
{
    open();
    for (int f = 0; f < 4; ++f) {
        chooseFormat(f);
        for (int mode = kSliderModeRGB; mode <= kSliderModeCMY; ++mode) {
            w->sliderModeItem(mode)->trigger();
            for (std::int32_t colour : {rgb(18, 18, 18), rgb(255, 128, 0), 0, 0xFFFFFF, rgb(250, 251, 252)}) {
                w->SetColors(colour);
                for (int i = 0; i < 3; ++i) {
                    QLineEdit *box = w->txtRGBValue(i);
                    SCOPED_TRACE(QStringLiteral("scheme %1 mode %2 box %3 text %4")
                                     .arg(f).arg(mode).arg(i).arg(box->text()).toStdString());
                    const int length = int(box->text().size());
                    const int middle = box->height() / 2;
                    for (int at : {0, length}) {
                        box->setCursorPosition(at);
                        box->grab(); // lays the text out as it is painted
                        EXPECT_EQ(box->cursorPositionAt(QPoint(0, middle)), 0) << "cursor " << at;
                        EXPECT_EQ(box->cursorPositionAt(QPoint(box->width() - 1, middle)), length) << "cursor " << at;
                    }
                    box->setCursorPosition(0);
                }
            }
        }
    }
}

TEST_F(OutputsFixture, AHueHeldOnAGreyAndASaturationOnBlackSurviveAFormatSwitch)
{
    setAll({{"Sliders", kSliderModeHSL}});
    open();
    typeInto(0, QStringLiteral("120"));
    typeInto(1, QStringLiteral("0"));
    const std::int32_t grey = w->currentColor();
    chooseFormat(3);
    EXPECT_EQ(boxes()[0], QStringLiteral("0.33"));
    chooseFormat(0);
    EXPECT_EQ(boxes(), (Boxes{"120", "0", boxes()[2]}));
    EXPECT_EQ(w->currentColor(), grey);

    w->sliderModeItem(kSliderModeHSB)->trigger();
    chooseFormat(1); // Byte: every box in internal units
    typeInto(2, QStringLiteral("0"));
    typeInto(0, QStringLiteral("200"));
    typeInto(1, QStringLiteral("178"));
    ASSERT_EQ(w->currentColor(), 0);
    chooseFormat(2);
    EXPECT_EQ(boxes(), (Boxes{"200", "70", "0"}));
    chooseFormat(1);
    EXPECT_EQ(boxes(), (Boxes{"200", "178", "0"}));
    EXPECT_EQ(w->currentColor(), 0);
}

TEST_F(OutputsFixture, CustomSlotsAppearByTheirFilesAndSwitchLikeTheBuiltIns)
{
    writeSlot(3, QStringLiteral("My Decimal"), 2, [](FormatScheme &s) { s.Info[TN_RGB].FormatName = QStringLiteral("&Mine"); });
    QFile longName(SlotFilePath(dir.path(), 4));
    ASSERT_TRUE(longName.open(QIODevice::WriteOnly));
    longName.write(QByteArray(70, 'n')); // no line break: the name is cut to 64
    longName.close();
    setAll({{"Last Color", rgb(17, 200, 99)}});
    open();
    for (int n = 1; n <= 5; ++n)
        EXPECT_EQ(w->formatItem(kFirstCustomScheme + n - 1)->isVisible(), n == 2 || n == 4) << n;
    EXPECT_EQ(w->formatItem(kFirstCustomScheme + 1)->text(), QStringLiteral("My Decimal"));
    EXPECT_EQ(w->formatItem(kFirstCustomScheme + 3)->text(), QString(64, QLatin1Char('n')));
    QFile::remove(SlotFilePath(dir.path(), 4));
    w->SetCustomFormatMenuNames();
    EXPECT_FALSE(w->formatItem(kFirstCustomScheme + 3)->isVisible());

    chooseFormat(kFirstCustomScheme + 1);
    EXPECT_EQ(stored("Format"), kFirstCustomScheme + 1);
    EXPECT_EQ(boxes(), (Boxes{"0.07", "0.78", "0.39"}));
    EXPECT_EQ(w->mnuEditCopyValue(3)->text(), QStringLiteral("Copy &Mine"));

    // A slot file that went missing still counts as the choice; the scheme
    // in use stays as it was.
    QFile::remove(SlotFilePath(dir.path(), 2));
    chooseFormat(0);
    chooseFormat(kFirstCustomScheme + 1);
    EXPECT_TRUE(w->formatItem(kFirstCustomScheme + 1)->isChecked());
    EXPECT_EQ(stored("Format"), kFirstCustomScheme + 1);
    EXPECT_EQ(w->currentColor(), rgb(17, 200, 99));
    EXPECT_EQ(boxes(), (Boxes{"17", "200", "99"}));
}

TEST_F(OutputsFixture, ASlotFileWithLineFeedsAloneLoadsAsWithCrLf)
{
    const auto edit = [](FormatScheme &s) {
        s.Info[TN_RGB].FormatName = QStringLiteral("&Mine");
        s.OutputSeparators[TN_RGB].LeftEnd = QStringLiteral("rgb(");
        s.Info[TN_HEX].ExportScript = QStringLiteral("line one\r\nline two");
    };
    writeSlot(2, QStringLiteral("Unix"), 1, edit);
    writeSlot(2, QStringLiteral("Windows"), 2, edit);
    QFile slot(SlotFilePath(dir.path(), 1));
    ASSERT_TRUE(slot.open(QIODevice::ReadWrite));
    QByteArray bytes = slot.readAll();
    ASSERT_TRUE(bytes.contains("\r\n"));
    slot.resize(0);
    slot.write(bytes.replace("\r\n", "\n"));
    slot.close();

    setAll({{"Last Color", rgb(17, 200, 99)}});
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

// ------------------------------------------------------------------ options

TEST_F(OutputsFixture, OptionsAreStoredAndRestoredAndRewriteTheHexOutputs)
{
    open();
    const std::pair<QAction *(frmMain::*)() const, const char *> options[] = {
        {&frmMain::mnuOptionsLowercaseHex, "Lowercase Hex"}, {&frmMain::mnuOptionsAddExtraZerosToHex, "Extra Hex Zeros"},
        {&frmMain::mnuOptionsAlwaysonTop, "On Top"},         {&frmMain::mnuOptionsClicktoCopy, "Click Copy"},
        {&frmMain::mnuOptionsUseOldSliders, "Old Sliders"}};
    const QRgb newStyle = w->tracks().TrackBackground().pixel(174, 0);
    for (const bool on : {true, false}) {
        for (const auto &[item, name] : options) {
            (w.get()->*item)()->trigger();
            EXPECT_EQ(stored(name), on ? 1 : 0) << name;
        }
        EXPECT_EQ(w->currentColor(), rgb(255, 128, 0));
        EXPECT_EQ(bool(w->windowFlags() & Qt::WindowStaysOnTopHint), on);
        EXPECT_EQ(w->txtCopyBox(0)->text(), on ? QStringLiteral("ff8000") : QStringLiteral("FF8000"));
        EXPECT_EQ(w->txtCopyBox(1)->text(), on ? QStringLiteral("000080ff") : QStringLiteral("80FF"));
        if (on) {
            open();
            for (const auto &[item, name] : options)
                EXPECT_TRUE((w.get()->*item)()->isChecked()) << name;
        }
    }
    EXPECT_EQ(w->tracks().TrackBackground().pixel(174, 0), newStyle) << "the new style is drawn again";
}

// A hex option once changed the colour in a scheme coarser than bytes.
TEST_F(OutputsFixture, AHexOptionInACoarseSchemeKeepsTheColour)
{
    setAll({{"Last Color", rgb(17, 200, 99)}, {"Format", 3}});
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
    EXPECT_TRUE(w->imgLock()->isHidden());
    click(w->picPreview());
    EXPECT_EQ(w->currentColor(), rgb(250, 130, 10));
    EXPECT_EQ(selected, 5);
    EXPECT_FALSE(w->imgLock()->isHidden());
    click(w->imgLock());
    EXPECT_EQ(peers.paletteShown, 1);
    w->cmdPaletteTool()->click();
    EXPECT_EQ(peers.paletteShown, 2);
}

TEST_F(OutputsFixture, TheColourDialogStartsAtTheColourAndItsAnswerIsTaken)
{
    open();
    peers.colorAnswer = rgb(1, 2, 3);
    w->cmdColorDialog()->click();
    EXPECT_EQ(peers.colorsOffered, QList<std::int32_t>{rgb(255, 128, 0)});
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
    for (QAction *a : w->menuBar()->actions())
        EXPECT_TRUE(HasHelpTopic(w->menuHelpTopic(a->menu()))) << a->text().toStdString();
    ASSERT_TRUE(activate());
    w->txtCopyBox(2)->setFocus();
    EXPECT_EQ(w->showContextHelp(), 6011);
    EXPECT_EQ(w->txtRGBValue(1)->whatsThis(), WhatsThisText(6001));
    EXPECT_FALSE(w->txtRGBValue(1)->whatsThis().isEmpty());
}

} // namespace
} // namespace tintwell
