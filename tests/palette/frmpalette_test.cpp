// The palette tool's window: what clicks, keys, menus and prompts do to the table and its files.
#include "core/colorsession.h"
#include "palette/frmpalette.h"
#include "palette/gimppalette.h"
#include "palette/palettefile.h"
#include "platform/help.h"
#include "platform/registry.h"
#include "platform/settings.h"
#include "support/files.h"
#include "support/mnemonics.h"

#include <QClipboard>
#include <QComboBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <deque>
#include <memory>

namespace tintwell {
namespace {

using test::fileBytes;
using test::writeBytes;

std::int32_t rgb(int r, int g, int b) { return r | (g << 8) | (b << 16); }
QString testData(const char *name) { return QStringLiteral(TINTWELL_PALETTE_TESTDATA "/") + QLatin1String(name); }

struct PaletteWindowFixture : ::testing::Test {
    QTemporaryDir dir;
    clsRegistry reg{dir.filePath(QStringLiteral("settings.ini"))};
    std::unique_ptr<AppContext> ctx;
    std::unique_ptr<ColorSession> session;
    std::unique_ptr<frmPalette> w;
    RecordingMessages messages;
    HelpService help;
    std::deque<std::pair<QString, int>> answers; // file and filter; none left: cancel
    QList<clsCommonFileDialog> dialogsShown;

    void open()
    {
        w.reset();
        ctx = std::make_unique<AppContext>();
        ctx->Messages = &messages;
        session = std::make_unique<ColorSession>(*ctx);
        w = std::make_unique<frmPalette>(*ctx, reg, *session, help);
        w->runFileDialog = [this](clsCommonFileDialog &d, bool) {
            dialogsShown.append(d);
            if ((d.Canceled = answers.empty()))
                return false;
            std::tie(d.FileName, d.FilterIndex) = answers.front();
            answers.pop_front();
            return true;
        };
        w->Load();
    }
    QString path(const char *name) const { return dir.filePath(QLatin1String(name)); }
    QString folder() const { return dir.path() + QLatin1Char('/'); }
    PaletteState &pal() { return ctx->Palette; }
    std::int32_t entry(int i) { return pal().PaletteColors[std::size_t(i)]; }
    QString lastPath() { return modRegistry::GetLastPath(reg); }
    QString table() { return w->cboTable()->currentText(); }
    void click(int index, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::mouseClick(w->imgTable(), Qt::LeftButton, modifiers, QPoint(index % 16 * 16 + 5, index / 16 * 16 + 5));
    }
    // Set Color on `index` with the main window showing `colour`.
    void setColor(int index, std::int32_t colour)
    {
        click(index);
        const bool autoSelect = std::exchange(pal().AutoSelect, false);
        session->setColor(colour);
        pal().AutoSelect = autoSelect;
        w->cmdSetColor()->click();
    }
    QString message()
    {
        const QString m = messages.shown.size() == 1 ? messages.shown[0].title + ": " + messages.shown[0].text
                                                     : QString::number(messages.shown.size()) + " messages";
        messages.shown.clear();
        return m;
    }
};

TEST_F(PaletteWindowFixture, StartUpFollowsTheStoredLastPath)
{
    open(); // first run: Web 216, untitled, hidden
    EXPECT_EQ(table(), QStringLiteral("Web 216"));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Palette Tool - Untitled"));
    EXPECT_EQ(lastPath(), QStringLiteral("%3"));
    for (const auto &[suffix, item] : {std::pair{"%x", 3}, {"%5", 0}, {"%1", 1}}) { // 5 without a file: Custom
        modRegistry::SetLastPath(reg, folder() + QLatin1String(suffix));
        open();
        EXPECT_EQ(w->cboTable()->currentIndex(), item) << suffix;
    }
    writeBytes(path("sample.pal"), fileBytes(testData("bayleef_palette.pal")));
    modRegistry::SetLastPath(reg, path("sample.pal") + QStringLiteral("%5"));
    modRegistry::SetFlag(reg, SettingId::AutoSelect, true);
    modRegistry::SetSetting(reg, SettingId::AutoIncrement, 7);
    open();
    EXPECT_EQ(entry(15), rgb(172, 49, 0));
    EXPECT_TRUE(w->mnuOptionsAutoSelect()->isChecked() && pal().AutoSelect);
    EXPECT_TRUE(w->mnuOptionsAutoIncrement()->isChecked() && pal().AutoIncrement);

    writeBytes(path("short.act"), QByteArray(769, '\x7f')); // unreadable: its message, an untitled black table
    modRegistry::SetLastPath(reg, path("short.act") + QStringLiteral("%5"));
    open();
    EXPECT_EQ(message(), QStringLiteral("Error: Invalid ACT File"));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Palette Tool - Untitled"));
    EXPECT_EQ(lastPath(), folder() + QStringLiteral("%5"));
    EXPECT_EQ(pal().PaletteColors, PaletteTable{});
}

TEST_F(PaletteWindowFixture, ClicksSetColorAndPasteTurnABuiltInTableCustomOnlyOnAChange)
{
    open();
    click(2);
    EXPECT_EQ(w->lblRGB()->text(), QStringLiteral("RGB: 255,255,153"));
    click(18, Qt::ShiftModifier);
    EXPECT_EQ(pal().PaletteRangeCount, 17);
    setColor(4, entry(4));
    EXPECT_EQ(table(), QStringLiteral("Web 216"));
    setColor(4, rgb(1, 2, 3));
    EXPECT_EQ(entry(4), rgb(1, 2, 3));
    EXPECT_EQ(table(), QStringLiteral("Custom"));
    EXPECT_EQ(lastPath(), QStringLiteral("%0"));
    w->mnuOptionsAutoIncrement()->trigger();
    EXPECT_TRUE(modRegistry::GetFlag(reg, SettingId::AutoIncrement));
    w->cmdSetColor()->click();
    EXPECT_EQ(w->lblIndex()->text(), QStringLiteral("Index: 5"));

    // Pasted into an opened file: its item stays, and Save writes over it unasked.
    writeBytes(path("mine.act"), QByteArray(768, '\x10'));
    answers = {{path("mine.act"), 1}};
    pal().PaletteChanged = false;
    w->mnuFileOpen_Click();
    click(0);
    QGuiApplication::clipboard()->setText(QStringLiteral("9 9 9"));
    w->mnuEditPaste()->trigger();
    EXPECT_EQ(table(), QStringLiteral("mine.act"));
    EXPECT_TRUE(w->mnuFileSave_Click());
    EXPECT_EQ(dialogsShown.size(), 1);
    EXPECT_EQ(fileBytes(path("mine.act")).left(6), QByteArray("\x09\x09\x09\x10\x10\x10", 6));
}

TEST_F(PaletteWindowFixture, ChangedTablePromptOnSwitching)
{
    open();
    setColor(0, rgb(7, 7, 7));
    messages.answers = {MsgResult::Cancel};
    w->cboTable_Click(1);
    EXPECT_EQ(messages.shown.value(0).buttons, MsgButtons::YesNoCancel);
    EXPECT_EQ(message(), QStringLiteral("Palette Changed: Save current palette?"));
    EXPECT_EQ(table(), QStringLiteral("Custom"));
    messages.answers = {MsgResult::Yes}; // and the save dialog cancelled: the changes stay
    w->cboTable_Click(1);
    EXPECT_EQ(entry(0), rgb(7, 7, 7));
    messages.answers = {MsgResult::Yes}; // and a name: saved, then switched
    answers = {{path("kept"), 1}};
    w->cboTable_Click(1);
    EXPECT_EQ(table(), QStringLiteral("Macintosh System"));
    EXPECT_EQ(ParsePalette(fileBytes(path("kept.pal")), PaletteKind::Pal).colors[0], rgb(7, 7, 7));
    setColor(0, rgb(8, 8, 8));
    messages.answers = {MsgResult::No}; // New: No throws the changes away
    w->mnuFileNew_Click();
    EXPECT_EQ(pal().PaletteColors, PaletteTable{});
}

TEST_F(PaletteWindowFixture, OpenAndSaveAsFollowTheExtensionThenTheFilter)
{
    open();
    writeBytes(path("table.dat"), QByteArray("\x12\x34\x56") + QByteArray(765, '\0'));
    answers = {{testData("Tango.gpl"), 1}, {path("table.dat"), 4}};
    w->mnuFileOpen_Click();
    EXPECT_EQ(entry(26), rgb(46, 52, 54));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Palette Tool - Tango.gpl"));
    EXPECT_EQ(lastPath(), testData("Tango.gpl") + QStringLiteral("%5"));
    w->mnuFileOpen_Click(); // an unknown extension: filter 4 reads ACT bytes
    EXPECT_EQ(entry(0), rgb(0x12, 0x34, 0x56));

    const auto gimp = [](const PaletteTable &t) { return WriteGimpPalette(t, QStringLiteral("warm")); };
    const std::tuple<const char *, int, const char *, QByteArray (*)(const PaletteTable &)> saves[] = {
        {"plain", 1, "plain.pal", WriteJasc}, {"photo", 3, "photo.act", WriteAct}, {"x.txt", 3, "x.txt", WriteJasc},
        {"warm", 4, "warm.gpl", gimp}, {"riff", 2, "riff.pal", WriteRiff}}; // a name with an extension keeps it
    for (const auto &[name, filter, written, writer] : saves) {
        answers = {{path(name), filter}};
        EXPECT_TRUE(w->mnuFileSaveAs_Click()) << name;
        EXPECT_EQ(fileBytes(path(written)), writer(pal().PaletteColors)) << name;
        EXPECT_EQ(modRegistry::GetLastPalette(reg), path(written));
    }
    // Save keeps the format Save As last chose; the Open list's entry 2 does not make it RIFF.
    pal().PaletteColors[3] = rgb(3, 3, 3);
    EXPECT_TRUE(w->mnuFileSave_Click());
    EXPECT_EQ(fileBytes(path("riff.pal")), WriteRiff(pal().PaletteColors));
    answers = {{path("plain"), 1}, {path("plain.pal"), 2}};
    ASSERT_TRUE(w->mnuFileSaveAs_Click());
    w->mnuFileOpen_Click();
    EXPECT_TRUE(w->mnuFileSave_Click());
    EXPECT_TRUE(fileBytes(path("plain.pal")).startsWith("JASC-PAL\r\n"));

    // A folder that is a file: even root cannot write there. It says so and keeps the changes.
    writeBytes(path("blocker"), "x");
    setColor(0, rgb(4, 4, 4));
    answers = {{path("blocker") + QStringLiteral("/sub.pal"), 1}, {path("noext"), 7}};
    EXPECT_FALSE(w->mnuFileSaveAs_Click());
    EXPECT_TRUE(message().startsWith(QStringLiteral("Error: ")));
    EXPECT_TRUE(pal().PaletteChanged);
    writeBytes(path("noext"), "GIMP Palette\n9 8 7\n4 5"); // the GIMP filter decides; broken: untitled
    pal().PaletteChanged = false;
    w->mnuFileOpen_Click();
    EXPECT_EQ(message(), QStringLiteral("Error: File Format Unknown"));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Palette Tool - Untitled"));
}

TEST_F(PaletteWindowFixture, EveryMnemonicIsUniqueAltECCopiesTheSelectionAndCloseOnlyHides)
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
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("255 204 204"));

    w->move(120, 90);
    EXPECT_FALSE(w->close()); // hidden until the program ends, keeping its table and selection
    EXPECT_TRUE(w->isHidden());
    EXPECT_EQ(modRegistry::GetSetting(reg, SettingId::PaletteX), w->pos().x() * 15);
    EXPECT_EQ(pal().PaletteIndex, 7);
    ctx->Closing = true;
    EXPECT_TRUE(w->close());
}

} // namespace
} // namespace tintwell
