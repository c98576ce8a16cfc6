#include "core/colorsession.h"
#include "support/files.h"
#include "support/mnemonics.h"
#include "palette/frmpalette.h"
#include "palette/paletteedit.h"
#include "palette/paletteexport.h"
#include "palette/palettefile.h"
#include "platform/help.h"
#include "platform/registry.h"
#include "platform/settings.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QHelpEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QWhatsThis>
#include <gtest/gtest.h>

#include <deque>
#include <memory>

namespace tintwell {
namespace {

std::int32_t rgb(int r, int g, int b) { return r | (g << 8) | (b << 16); }

QString testData(const char *name) { return QStringLiteral(TINTWELL_PALETTE_TESTDATA "/") + QLatin1String(name); }

using test::fileBytes;
const auto writeFile = test::writeBytes;

// What the fake file dialog answers: a file and a filter, or cancel.
struct DialogAnswer {
    QString fileName;
    int filterIndex = 1;
    bool accept = true;
};

struct PaletteWindowFixture : ::testing::Test {
    QTemporaryDir dir;
    std::unique_ptr<clsRegistry> reg;
    std::unique_ptr<AppContext> ctx;
    std::unique_ptr<frmPalette> w;
    RecordingMessages messages;
    std::deque<DialogAnswer> answers;
    QList<clsCommonFileDialog> dialogsShown;
    HelpService help;
    std::unique_ptr<ColorSession> session;
    QList<std::int32_t> selected;

    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        reg = std::make_unique<clsRegistry>(dir.filePath(QStringLiteral("settings.ini")));
    }

    QString path(const char *name) const { return dir.filePath(QLatin1String(name)); }
    QString folder() const { return dir.path() + QLatin1Char('/'); }

    void open()
    {
        w.reset();
        session.reset();
        ctx = std::make_unique<AppContext>();
        ctx->Messages = &messages;
        session = std::make_unique<ColorSession>(*ctx);
        w = std::make_unique<frmPalette>(*ctx, *reg, *session, help);
        wire(*w);
        w->Load();
    }

    // The colour Set Color takes, as the main window would have shown it.
    void setMainColor(std::int32_t colour)
    {
        const bool autoSelect = ctx->Palette.AutoSelect;
        ctx->Palette.AutoSelect = false;
        session->setColor(colour);
        ctx->Palette.AutoSelect = autoSelect;
        selected.clear();
    }

    void wire(frmPalette &window)
    {
        QObject::connect(session.get(), &ColorSession::colorChanged, [this](std::int32_t c) { selected.append(c); });
        window.runFileDialog = [this](clsCommonFileDialog &d, bool) {
            dialogsShown.append(d);
            if (answers.empty())
                return false;
            const DialogAnswer a = answers.front();
            answers.pop_front();
            d.FileName = a.fileName;
            d.FilterIndex = a.filterIndex;
            d.Canceled = !a.accept;
            return a.accept;
        };
    }

    PaletteState &pal() { return ctx->Palette; }
    std::int32_t entry(int i) { return pal().PaletteColors[std::size_t(i)]; }
    void click(int index, bool shift = false)
    {
        QTest::mouseClick(w->imgTable(), Qt::LeftButton, shift ? Qt::ShiftModifier : Qt::NoModifier,
                          QPoint((index % 16) * 16 + 5, (index / 16) * 16 + 5));
    }
    void setLastPath(const QString &value) { modRegistry::SetLastPath(*reg, value); }
    QString lastPath() { return modRegistry::GetLastPath(*reg); }
};

// ------------------------------------------------------------ start-up

TEST_F(PaletteWindowFixture, FirstRunShowsWeb216Untitled)
{
    open();
    EXPECT_EQ(w->cboTable()->currentIndex(), 3);
    EXPECT_EQ(w->cboTable()->count(), 5);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Palette Tool - Untitled"));
    EXPECT_EQ(entry(0), rgb(255, 255, 255));
    EXPECT_EQ(entry(5), rgb(255, 255, 0));
    EXPECT_EQ(w->lblIndex()->text(), QStringLiteral("Index: 0"));
    EXPECT_EQ(w->lblRGB()->text(), QStringLiteral("RGB: 255,255,255"));
    EXPECT_EQ(lastPath(), QStringLiteral("%3"));
    EXPECT_FALSE(pal().AutoSelect);
    EXPECT_FALSE(pal().PaletteChanged);
    EXPECT_TRUE(w->isHidden());
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(PaletteWindowFixture, LastPathDigitChoosesTheTable)
{
    setLastPath(folder() + QStringLiteral("%1"));
    open();
    EXPECT_EQ(w->cboTable()->currentIndex(), 1);
    EXPECT_EQ(entry(215), rgb(238, 0, 0));
    EXPECT_EQ(pal().PalettePath, folder());

    // A stored 5 without a file to offer falls back to "Custom", all black.
    setLastPath(folder() + QStringLiteral("%5"));
    open();
    EXPECT_EQ(w->cboTable()->currentIndex(), 0);
    EXPECT_EQ(entry(0), 0);

    // A value that does not end in "%" and a digit: "Web 216".
    setLastPath(folder() + QStringLiteral("%x"));
    open();
    EXPECT_EQ(w->cboTable()->currentIndex(), 3);
}

TEST_F(PaletteWindowFixture, LastPathFileIsReadAndOptionsRestored)
{
    const QString sample = path("sample.pal");
    writeFile(sample, fileBytes(testData("bayleef_palette.pal")));
    setLastPath(sample + QStringLiteral("%5"));
    modRegistry::SetLastPalette(*reg, sample);
    modRegistry::SetFlag(*reg, SettingId::AutoSelect, true);
    modRegistry::SetSetting(*reg, SettingId::AutoIncrement, 7);
    open();
    EXPECT_EQ(w->cboTable()->currentIndex(), 5);
    EXPECT_EQ(w->cboTable()->itemText(5), QStringLiteral("sample.pal"));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Palette Tool - sample.pal"));
    EXPECT_EQ(pal().PaletteColors, ParsePalette(fileBytes(sample), PaletteKind::Pal).colors);
    EXPECT_NE(entry(1), 0);
    EXPECT_EQ(entry(16), 0);
    EXPECT_TRUE(pal().AutoSelect);
    EXPECT_TRUE(pal().AutoIncrement);
    EXPECT_TRUE(w->mnuOptionsAutoSelect()->isChecked());
    EXPECT_TRUE(w->mnuOptionsAutoIncrement()->isChecked());
}

TEST_F(PaletteWindowFixture, UnreadableLastFileFallsBackToUntitled)
{
    const QString bad = path("short.act");
    writeFile(bad, QByteArray(769, '\x7f'));
    setLastPath(bad + QStringLiteral("%5"));
    open();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].title, QStringLiteral("Error"));
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("Invalid ACT File"));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Palette Tool - Untitled"));
    EXPECT_EQ(pal().PalettePath, folder());
    EXPECT_EQ(lastPath(), folder() + QStringLiteral("%5"));
    for (int i = 0; i < 256; ++i)
        ASSERT_EQ(entry(i), 0) << i;
}

// ------------------------------------------------------------ table

TEST_F(PaletteWindowFixture, TablePictureCellsAndFrames)
{
    open();
    PaletteTableColours c{qRgb(200, 200, 200), qRgb(1, 2, 3), qRgb(90, 90, 90)};
    PaletteState p;
    p.PaletteColors[17] = rgb(10, 20, 30);
    PaletteClick(p, 17, false);
    PaletteClick(p, 19, true);
    QImage img;
    DrawPaletteTable(img, p, c);
    ASSERT_EQ(img.size(), QSize(256, 256));
    const auto px = [&](int x, int y) { return img.pixel(x, y) & 0xFFFFFF; };
    const QRgb face = c.face & 0xFFFFFF, text = c.text & 0xFFFFFF, shadow = c.shadow & 0xFFFFFF;
    // Cell 0: border at 2 and 13, colour inside, face around it.
    EXPECT_EQ(px(1, 1), face);
    EXPECT_EQ(px(2, 2), text);
    EXPECT_EQ(px(13, 13), text);
    EXPECT_EQ(px(14, 14), face);
    EXPECT_EQ(px(3, 3), qRgb(0, 0, 0) & 0xFFFFFF);
    // Cell 17 (column 1, row 1) is in the run: a two-pixel shadow frame.
    EXPECT_EQ(px(16 + 8, 16 + 8), qRgb(10, 20, 30) & 0xFFFFFF);
    EXPECT_EQ(px(16, 16 + 8), shadow);
    EXPECT_EQ(px(17, 16 + 8), shadow);
    EXPECT_EQ(px(31, 16 + 8), shadow);
    // Cell 19 is current: its outer line is the text colour, the inner one the run's.
    EXPECT_EQ(px(48, 16 + 8), text);
    EXPECT_EQ(px(49, 16 + 8), shadow);
    // Cell 20 is outside the run.
    EXPECT_EQ(px(64, 16 + 8), face);
    EXPECT_EQ(px(0, 0), face);
}

TEST_F(PaletteWindowFixture, MouseClickShiftClickAndDrag)
{
    open();
    click(2);
    EXPECT_EQ(pal().PaletteIndex, 2);
    EXPECT_EQ(w->lblIndex()->text(), QStringLiteral("Index: 2"));
    EXPECT_EQ(w->lblRGB()->text(), QStringLiteral("RGB: 255,255,153"));
    click(18, true);
    EXPECT_EQ(pal().PaletteAnchor, 2);
    EXPECT_EQ(pal().PaletteRangeCount, 17);

    click(40);
    QMouseEvent move(QEvent::MouseMove, QPointF(5 * 16 + 3, 2 * 16 + 3), QPointF(), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w->imgTable(), &move);
    EXPECT_EQ(pal().PaletteIndex, 37);
    EXPECT_EQ(pal().PaletteAnchor, 40);
    EXPECT_EQ(pal().PaletteRangeCount, 4);

    // The main window's way in: a cell by its index.
    w->selectEntry(200);
    EXPECT_EQ(pal().PaletteIndex, 200);
    EXPECT_EQ(pal().PaletteRangeCount, 0);
}

TEST_F(PaletteWindowFixture, SetColorSwitchesBuiltInToCustomOnlyOnChange)
{
    open();
    click(4);
    setMainColor(entry(4));
    w->cmdSetColor()->click();
    EXPECT_FALSE(pal().PaletteChanged);
    EXPECT_EQ(w->cboTable()->currentIndex(), 3);

    setMainColor(rgb(1, 2, 3));
    w->cmdSetColor()->click();
    EXPECT_TRUE(pal().PaletteChanged);
    EXPECT_EQ(entry(4), rgb(1, 2, 3));
    EXPECT_EQ(w->cboTable()->currentIndex(), 0);
    EXPECT_EQ(w->lblRGB()->text(), QStringLiteral("RGB: 1,2,3"));
    EXPECT_EQ(lastPath(), QStringLiteral("%0"));

    // Auto Increment moves on to the next cell.
    w->mnuOptionsAutoIncrement()->trigger();
    EXPECT_TRUE(modRegistry::GetFlag(*reg, SettingId::AutoIncrement));
    w->cmdSetColor()->click();
    EXPECT_EQ(pal().PaletteIndex, 5);
    EXPECT_EQ(w->lblIndex()->text(), QStringLiteral("Index: 5"));

    w->cmdSelectColor()->click();
    ASSERT_EQ(selected.size(), 1);
    EXPECT_EQ(selected[0], entry(5));
}

TEST_F(PaletteWindowFixture, EditsOfAnOpenedFileKeepItsItem)
{
    const QString file = path("mine.act");
    writeFile(file, QByteArray(768, '\x10'));
    open();
    answers.push_back({file, 1});
    w->mnuFileOpen_Click();
    ASSERT_EQ(w->cboTable()->currentIndex(), 5);
    QGuiApplication::clipboard()->setText(QStringLiteral("9 9 9"));
    w->mnuEditPaste()->trigger();
    EXPECT_EQ(entry(0), rgb(9, 9, 9));
    EXPECT_TRUE(pal().PaletteChanged);
    EXPECT_EQ(w->cboTable()->currentIndex(), 5);
    EXPECT_EQ(pal().PalettePath, file);

    // Save writes over it without asking for a name.
    const int dialogs = dialogsShown.size();
    EXPECT_TRUE(w->mnuFileSave_Click());
    EXPECT_EQ(dialogsShown.size(), dialogs);
    EXPECT_EQ(fileBytes(file).left(6), QByteArray("\x09\x09\x09\x10\x10\x10", 6));
    EXPECT_FALSE(pal().PaletteChanged);
}

TEST_F(PaletteWindowFixture, CopyPasteAndDeleteThroughTheWindow)
{
    open();
    EXPECT_EQ(w->mnuEditCopy()->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_C));
    EXPECT_EQ(w->mnuEditPaste()->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_V));
    EXPECT_EQ(w->deleteKey()->shortcut(), QKeySequence(Qt::Key_Delete));
    click(0);
    click(1, true);
    w->mnuEditCopy()->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("255 255 255\r\n255 255 204"));

    // Delete on cells already black marks nothing.
    click(220);
    click(223, true);
    w->deleteKey()->trigger();
    EXPECT_FALSE(pal().PaletteChanged);
    EXPECT_EQ(w->cboTable()->currentIndex(), 3);

    click(10);
    w->deleteKey()->trigger();
    EXPECT_EQ(entry(10), 0);
    EXPECT_TRUE(pal().PaletteChanged);
    EXPECT_EQ(w->cboTable()->currentIndex(), 0);

    // Paste into a built-in table switches to "Custom" as well.
    pal().PaletteChanged = false;
    messages.answers = {MsgResult::No};
    w->cboTable_Click(4);
    ASSERT_EQ(w->cboTable()->currentIndex(), 4);
    click(254);
    QGuiApplication::clipboard()->setText(QStringLiteral("1 1 1\r\n2 2 2\r\n3 3 3\r\n4 4 4"));
    w->mnuEditPaste()->trigger();
    EXPECT_EQ(entry(255), rgb(2, 2, 2));
    EXPECT_EQ(entry(0), 0);
    EXPECT_EQ(w->cboTable()->currentIndex(), 0);
}

// ------------------------------------------------------------ prompts

TEST_F(PaletteWindowFixture, ChangedTablePromptOnSwitching)
{
    open();
    click(0);
    setMainColor(rgb(7, 7, 7));
    w->cmdSetColor()->click();
    ASSERT_TRUE(pal().PaletteChanged);
    ASSERT_EQ(w->cboTable()->currentIndex(), 0);

    messages.answers = {MsgResult::Cancel};
    w->cboTable_Click(1);
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].title, QStringLiteral("Palette Changed"));
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("Save current palette?"));
    EXPECT_EQ(messages.shown[0].buttons, MsgButtons::YesNoCancel);
    EXPECT_EQ(w->cboTable()->currentIndex(), 0);
    EXPECT_EQ(entry(0), rgb(7, 7, 7));

    // Yes, but the save dialog is cancelled: the changes stay.
    messages.answers = {MsgResult::Yes};
    answers.push_back({QString(), 1, false});
    w->cboTable_Click(1);
    EXPECT_EQ(w->cboTable()->currentIndex(), 0);
    EXPECT_EQ(entry(0), rgb(7, 7, 7));
    EXPECT_TRUE(pal().PaletteChanged);

    // Yes and a name: saved, then the table is switched.
    messages.answers = {MsgResult::Yes};
    answers.push_back({path("kept"), 1});
    w->cboTable_Click(1);
    EXPECT_EQ(w->cboTable()->currentIndex(), 1);
    EXPECT_FALSE(pal().PaletteChanged);
    EXPECT_EQ(ParsePalette(fileBytes(path("kept.pal")), PaletteKind::Pal).colors[0], rgb(7, 7, 7));
    EXPECT_EQ(entry(0), rgb(255, 255, 255));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Palette Tool - Untitled"));
    EXPECT_EQ(lastPath(), folder() + QStringLiteral("%1"));

    // New: No throws the changes away.
    setMainColor(rgb(8, 8, 8));
    w->cmdSetColor()->click();
    messages.answers = {MsgResult::No};
    w->mnuFileNew_Click();
    EXPECT_FALSE(pal().PaletteChanged);
    EXPECT_EQ(w->cboTable()->currentIndex(), 0);
    for (int i = 0; i < 256; ++i)
        ASSERT_EQ(entry(i), 0);
}

// ------------------------------------------------------------ files

TEST_F(PaletteWindowFixture, OpenUsesExtensionThenFilter)
{
    open();
    answers.push_back({testData("magick_8bit.bmp"), 1});
    w->mnuFileOpen_Click();
    ASSERT_EQ(dialogsShown.size(), 1);
    EXPECT_EQ(dialogsShown[0].DialogTitle, QStringLiteral("Open Palette"));
    EXPECT_EQ(dialogsShown[0].Filter, frmPalette::OpenFilter);
    EXPECT_EQ(dialogsShown[0].flags, 0x1004);
    EXPECT_EQ(pal().PaletteColors,
              ParsePalette(fileBytes(testData("magick_8bit.bmp")), PaletteKind::Bmp).colors);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Palette Tool - magick_8bit.bmp"));
    EXPECT_EQ(w->cboTable()->itemText(5), QStringLiteral("magick_8bit.bmp"));
    EXPECT_EQ(modRegistry::GetLastPalette(*reg), testData("magick_8bit.bmp"));
    EXPECT_EQ(lastPath(), testData("magick_8bit.bmp") + QStringLiteral("%5"));

    // An unknown extension: filter 4 reads ACT bytes.
    QByteArray act(768, '\0');
    act[0] = char(0x12);
    act[1] = char(0x34);
    act[2] = char(0x56);
    writeFile(path("table.dat"), act);
    answers.push_back({path("table.dat"), 4});
    w->mnuFileOpen_Click();
    EXPECT_EQ(entry(0), rgb(0x12, 0x34, 0x56));
    EXPECT_EQ(w->cboTable()->itemText(5), QStringLiteral("table.dat"));
    EXPECT_EQ(w->cboTable()->count(), 6);
    // "All Files" reads nothing.
    answers.push_back({path("table.dat"), 6});
    pal().PaletteColors[0] = rgb(1, 1, 1);
    w->mnuFileOpen_Click();
    EXPECT_EQ(entry(0), rgb(1, 1, 1));
    EXPECT_TRUE(messages.shown.isEmpty());

    // Cancelled: nothing changes.
    w->mnuFileOpen_Click();
    EXPECT_EQ(pal().PalettePath, path("table.dat"));
}

TEST_F(PaletteWindowFixture, SaveAsNamesFormatsAndBytes)
{
    open();
    answers.push_back({path("plain"), 1});
    EXPECT_TRUE(w->mnuFileSaveAs_Click());
    ASSERT_EQ(dialogsShown.size(), 1);
    EXPECT_EQ(dialogsShown[0].DialogTitle, QStringLiteral("Save Palette As"));
    EXPECT_EQ(dialogsShown[0].Filter, frmPalette::SaveFilter);
    EXPECT_EQ(dialogsShown[0].flags, 0x806);
    EXPECT_EQ(fileBytes(path("plain.pal")), WriteJasc(pal().PaletteColors));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Palette Tool - plain.pal"));
    EXPECT_EQ(w->cboTable()->currentIndex(), 5);
    EXPECT_EQ(modRegistry::GetLastPalette(*reg), path("plain.pal"));

    answers.push_back({path("riff"), 2});
    EXPECT_TRUE(w->mnuFileSaveAs_Click());
    EXPECT_EQ(fileBytes(path("riff.pal")), WriteRiff(pal().PaletteColors));
    // Save keeps the format the Save As list last chose.
    EXPECT_TRUE(w->mnuFileSave_Click());
    EXPECT_EQ(fileBytes(path("riff.pal")).size(), RiffFileBytes);

    answers.push_back({path("photo"), 3});
    EXPECT_TRUE(w->mnuFileSaveAs_Click());
    EXPECT_EQ(fileBytes(path("photo.act")), WriteAct(pal().PaletteColors));

    // A name with an extension keeps it; "x.txt" is written as JASC.
    answers.push_back({path("x.txt"), 3});
    EXPECT_TRUE(w->mnuFileSaveAs_Click());
    EXPECT_EQ(fileBytes(path("x.txt")), WriteJasc(pal().PaletteColors));

    // The Open list's second entry is "Paint Shop Pro": opening through it
    // must not make the next Save write RIFF.
    answers.push_back({path("plain.pal"), 2});
    w->mnuFileOpen_Click();
    pal().PaletteColors[3] = rgb(3, 3, 3);
    EXPECT_TRUE(w->mnuFileSave_Click());
    EXPECT_TRUE(fileBytes(path("plain.pal")).startsWith("JASC-PAL\r\n"));
}

TEST_F(PaletteWindowFixture, FailedSaveKeepsChangesAndSaysSo)
{
    open();
    writeFile(path("blocker"), "x");
    click(0);
    setMainColor(rgb(4, 4, 4));
    w->cmdSetColor()->click();
    answers.push_back({path("blocker") + QStringLiteral("/sub.pal"), 1});
    EXPECT_FALSE(w->mnuFileSaveAs_Click());
    EXPECT_TRUE(pal().PaletteChanged);
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].title, QStringLiteral("Error"));
    EXPECT_NE(w->cboTable()->currentIndex(), 5);
}

// ------------------------------------------------------------ GIMP palettes and export

TEST_F(PaletteWindowFixture, GimpPalettesComeLastInBothListsAndOpenAndSave)
{
    // Appended, so the stored indices of the older kinds keep their meaning.
    const QList<FileFilterPair> openPairs = ParseFilter(frmPalette::OpenFilter);
    ASSERT_EQ(openPairs.size(), 7);
    EXPECT_EQ(openPairs[0].patterns, QStringList({"*.pal", "*.act", "*.bmp", "*.gpl"}));
    EXPECT_EQ(openPairs[6], (FileFilterPair{QStringLiteral("GIMP Palette (*.gpl)"), {QStringLiteral("*.gpl")}}));
    EXPECT_EQ(ParseFilter(frmPalette::SaveFilter).value(3), openPairs[6]);

    open();
    answers.push_back({testData("handwritten.gpl"), 1});
    w->mnuFileOpen_Click();
    EXPECT_EQ(entry(2), rgb(17, 34, 51));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Palette Tool - handwritten.gpl"));

    // Save As through the fourth filter names and writes a GIMP palette; Save
    // keeps writing one.
    answers.push_back({path("warm"), 4});
    ASSERT_TRUE(w->mnuFileSaveAs_Click());
    click(40);
    setMainColor(rgb(1, 2, 3));
    w->cmdSetColor()->click();
    ASSERT_TRUE(w->mnuFileSave_Click());
    const QByteArray saved = fileBytes(path("warm.gpl"));
    EXPECT_TRUE(saved.startsWith("GIMP Palette\nName: warm\n"));
    EXPECT_EQ(ParsePalette(saved, PaletteKind::Gpl).colors, pal().PaletteColors);
    EXPECT_EQ(entry(40), rgb(1, 2, 3));

    // Without the extension the GIMP filter decides; a broken one is untitled.
    writeFile(path("noext"), "GIMP Palette\n9 8 7\n4 5");
    answers.push_back({path("noext"), 7});
    w->mnuFileOpen_Click();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("File Format Unknown"));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Palette Tool - Untitled"));
}

TEST_F(PaletteWindowFixture, ExportWritesTheRunOrTheWholeTableAndLeavesTheFileAlone)
{
    open();
    answers.push_back({path("mine"), 1});
    ASSERT_TRUE(w->mnuFileSaveAs_Click());
    dialogsShown.clear();
    pal().PaletteColors[5] = rgb(0xFF, 0x80, 0x00);
    pal().PaletteColors[6] = rgb(0x00, 0x00, 0x0A);
    pal().PaletteColors[7] = rgb(0xC0, 0xFF, 0xEE);
    pal().PaletteChanged = true;
    click(7);
    click(5, true);
    const QString title = w->windowTitle();

    answers.push_back({path("run"), 1});
    ASSERT_TRUE(w->mnuFileExport_Click());
    ASSERT_EQ(dialogsShown.size(), 1);
    EXPECT_EQ(dialogsShown[0].DialogTitle, QStringLiteral("Export Palette"));
    EXPECT_EQ(dialogsShown[0].Filter, QString::fromLatin1(PaletteExportFilter));
    EXPECT_EQ(fileBytes(path("run.css")), fileBytes(testData("export/run3.css")));
    answers.push_back({path("run.hex"), 2});
    ASSERT_TRUE(w->mnuFileExport_Click());
    EXPECT_EQ(fileBytes(path("run.hex")), fileBytes(testData("export/run3.json")));
    EXPECT_EQ(dialogsShown[1].FilterIndex, 1); // the list opens where it was left

    // Write-only: the table's own file, name, list item and changed flag stay.
    EXPECT_EQ(pal().PalettePath, path("mine.pal"));
    EXPECT_TRUE(pal().PaletteChanged);
    EXPECT_EQ(w->windowTitle(), title);
    EXPECT_EQ(w->cboTable()->itemText(5), QStringLiteral("mine.pal"));
    EXPECT_EQ(modRegistry::GetLastPalette(*reg), path("mine.pal"));

    // One cell selected: the whole table.
    click(6);
    answers.push_back({path("all"), 3});
    ASSERT_TRUE(w->mnuFileExport_Click());
    const QByteArray all = fileBytes(path("all.txt"));
    EXPECT_EQ(all.count('\n'), 256);
    EXPECT_TRUE(all.contains("\n#ff8000\n#00000a\n#c0ffee\n"));

    // A failure says so and writes nothing.
    writeFile(path("blocker"), "x");
    answers.push_back({path("blocker") + QStringLiteral("/sub.css"), 1});
    EXPECT_FALSE(w->mnuFileExport_Click());
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].title, QStringLiteral("Error"));
}

// ------------------------------------------------------------ window

TEST_F(PaletteWindowFixture, CloseOnlyHidesUntilTheProgramEnds)
{
    open();
    w->show();
    w->move(120, 90);
    click(33);
    EXPECT_FALSE(w->close());
    EXPECT_TRUE(w->isHidden());
    EXPECT_EQ(pal().PaletteIndex, 33);
    EXPECT_EQ(modRegistry::GetSetting(*reg, SettingId::PaletteX), w->pos().x() * 15);
    EXPECT_EQ(modRegistry::GetSetting(*reg, SettingId::PaletteY), w->pos().y() * 15);

    // Opened again in the same run: same table, same selection.
    w->show();
    EXPECT_EQ(pal().PaletteIndex, 33);
    ctx->Closing = true;
    EXPECT_TRUE(w->close());
}

// ------------------------------------------------------------ What's This

// Whether a help event on target pops up a What's This text; QMenu and QWidget
// show none when the text is empty.
bool whatsThisShownFor(QWidget *target, QPoint at)
{
    QHelpEvent event(QEvent::WhatsThis, at, target->mapToGlobal(at));
    QApplication::sendEvent(target, &event);
    bool shown = false;
    for (QWidget *top : QApplication::topLevelWidgets())
        shown |= top->isVisible() && QLatin1String(top->metaObject()->className()) == QLatin1String("QWhatsThat");
    QWhatsThis::hideText();
    QApplication::processEvents();
    return shown;
}

TEST_F(PaletteWindowFixture, EveryMenuItemAndControlHasAWhatsThisText)
{
    open();
    w->show();
    for (QAction *top : w->menuBar()->actions()) {
        QMenu *menu = top->menu();
        ASSERT_NE(menu, nullptr);
        SCOPED_TRACE(top->text().toStdString());
        EXPECT_FALSE(top->whatsThis().isEmpty());
        menu->popup(w->mapToGlobal(QPoint(0, 0)));
        for (QAction *item : menu->actions()) {
            if (item->isSeparator())
                continue;
            SCOPED_TRACE(item->text().toStdString());
            EXPECT_TRUE(whatsThisShownFor(menu, menu->actionGeometry(item).center()));
        }
        menu->hide();
    }
    for (QWidget *control : std::initializer_list<QWidget *>{w->cboTable(), w->imgTable(), w->cmdSetColor(),
                                                         w->cmdSelectColor(), w->cmdClose()}) {
        SCOPED_TRACE(control->metaObject()->className());
        EXPECT_TRUE(whatsThisShownFor(control, QPoint(2, 2)));
    }
}

TEST_F(PaletteWindowFixture, EveryMnemonicIsUniqueAndAltECopiesTheSelection)
{
    open();
    w->show();
    QApplication::setActiveWindow(w.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    w->cboTable()->setFocus();
    test::expectMnemonicsUnique(w.get());

    click(7);
    QApplication::clipboard()->clear();
    QTest::keyClick(w->cboTable(), Qt::Key_E, Qt::AltModifier);
    auto *edit = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    ASSERT_TRUE(edit) << "Alt+E opens the Edit menu";
    QTest::keyClick(edit, Qt::Key_C);
    EXPECT_EQ(QApplication::clipboard()->text(), PaletteCopyText(pal()));
    EXPECT_FALSE(pal().PaletteChanged) << "Set Color was not pressed";
}

} // namespace
} // namespace tintwell
