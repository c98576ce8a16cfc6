#include "support/files.h"
#include "advanced/frmadvanced.h"
#include "core/outputengine.h"
#include "core/schemefiles.h"
#include "fakes.h"
#include "platform/help.h"
#include "platform/registry.h"
#include "platform/settings.h"
#include "support/mnemonics.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>

namespace tintwell {
namespace {

using test::fileBytes;
using test::writeBytes;

// Waits for what a posted event or a button's animated click brings; the
// limit is far above what any machine needs.
bool eventually(const std::function<bool()> &done)
{
    QDeadlineTimer deadline(10000);
    while (!done() && !deadline.hasExpired())
        QTest::qWait(10);
    return done();
}

// The main window as the advanced window sees it: an active scheme, a colour
// and the RGB output text, which a reload recomputes from the scheme at once.
struct MainWindowDouble : FakeHost {
    AppContext &ctx;
    ColorValues colour = ComputeColorValues(255, 128, 0);
    QString rgbOutput;

    explicit MainWindowDouble(AppContext &context) : ctx(context) { show(); }
    void show() { rgbOutput = BuiltInBoxText(kBoxRGB, colour, ctx.Scheme, {}); }
    void reloadScheme(int schemeIndex) override
    {
        FakeHost::reloadScheme(schemeIndex);
        ctx.SchemeIndex = schemeIndex;
        ctx.loadScheme(schemeIndex);
        show();
    }
};

struct DialogAnswer {
    QString fileName;
    bool accept = true;
};

class TestAdvanced : public frmAdvanced
{
public:
    using frmAdvanced::frmAdvanced;
    std::deque<DialogAnswer> answers;
    QList<clsCommonFileDialog> dialogs;

protected:
    bool runFileDialog(clsCommonFileDialog &dialog, bool) override
    {
        dialogs << dialog;
        if (answers.empty())
            return false;
        const DialogAnswer a = answers.front();
        answers.pop_front();
        dialog.FileName = a.fileName;
        return a.accept;
    }
};

struct AdvancedWindowFixture : ::testing::Test {
    QTemporaryDir dir;
    std::unique_ptr<clsRegistry> reg;
    AppContext ctx;
    RecordingMessages messages;
    std::unique_ptr<MainWindowDouble> host;
    FakeEditor editor;
    HelpService help;
    std::unique_ptr<TestAdvanced> w;

    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        reg = std::make_unique<clsRegistry>(dir.filePath(QStringLiteral("settings.ini")));
        ctx.ProgramFolder = dir.filePath(QStringLiteral("data"));
        ASSERT_TRUE(QDir().mkpath(ctx.ProgramFolder));
        ctx.Messages = &messages;
        ctx.loadScheme(0);
    }

    void TearDown() override
    {
        if (w) {
            ctx.Closing = true;
            w->close();
        }
    }

    QString slot(int n) const { return SlotFilePath(ctx.ProgramFolder, n); }

    void open()
    {
        if (!host)
            host = std::make_unique<MainWindowDouble>(ctx);
        w = std::make_unique<TestAdvanced>(ctx, *reg, *host, editor, help);
        w->Open();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    }

    void select(const char *key)
    {
        for (QTreeWidgetItemIterator it(w->tvwFormats()); *it; ++it)
            if ((*it)->data(0, Qt::UserRole).toString() == QLatin1String(key)) {
                w->tvwFormats()->setCurrentItem(*it);
                return;
            }
        FAIL() << "no node " << key;
    }

    void typeInto(int box, const QString &text)
    {
        QLineEdit *e = w->txtInput(box);
        e->setFocus();
        e->selectAll();
        QTest::keyClicks(e, text);
        QTest::keyClick(e, Qt::Key_Return);
    }

    void alt(Qt::Key key)
    {
        QWidget *target = QApplication::focusWidget() ? QApplication::focusWidget() : w.get();
        QTest::keyClick(target, key, Qt::AltModifier);
    }
};

TEST_F(AdvancedWindowFixture, OpensOnSlotOneWithTheSchemeNameShown)
{
    writeBytes(slot(3), CustomSchemeText(ctx.Scheme, QStringLiteral("Third")));
    open();
    EXPECT_EQ(QApplication::focusWidget(), w->tvwFormats());
    ASSERT_EQ(w->cboFormatGroup()->count(), 5);
    EXPECT_EQ(w->cboFormatGroup()->itemText(2), QStringLiteral("Third"));
    EXPECT_EQ(w->cboFormatGroup()->currentIndex(), 0);
    EXPECT_EQ(w->Frame1()->title(), QStringLiteral("&Advanced Formatting Options - Scheme Name"));
    EXPECT_EQ(w->txtInput(0)->text(), QStringLiteral("Custom 1"));
    EXPECT_EQ(w->txtInput(0)->maxLength(), 64);
    EXPECT_FALSE(w->txtInput(1)->isVisible());
    EXPECT_FALSE(w->fraScripting()->isVisible());
    EXPECT_FALSE(w->cmdRevert()->isEnabled());
    EXPECT_FALSE(w->cmdDelete()->isEnabled());
    modRegistry::PositionRecord p; // centred, and that position stored
    EXPECT_EQ(modRegistry::GetWindowPosition(*reg, modRegistry::StoredWindow::Advanced, p), 0);
}

TEST_F(AdvancedWindowFixture, TheKeyboardWalkReachesRgbSeparatorsAndAltEEditsLeftEnd)
{
    open();
    QTreeWidget *tree = w->tvwFormats();
    QTest::keyClick(tree, Qt::Key_Home);
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(tree, Qt::Key_Down);
    EXPECT_EQ(w->Frame1()->title(), QStringLiteral("&Advanced Formatting Options - RGB Formatting Options"));
    EXPECT_TRUE(w->fraScripting()->isVisible());
    QTest::keyClick(tree, Qt::Key_Right); // opens the node
    QTest::keyClick(tree, Qt::Key_Right); // its first field
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(tree, Qt::Key_Down);
    EXPECT_EQ(w->Frame1()->title(), QStringLiteral("&Advanced Formatting Options - RGB Output Separators"));
    EXPECT_EQ(w->lblFormatInfo()->text(), QStringLiteral("The output separators separate each value."));
    EXPECT_FALSE(w->fraScripting()->isVisible());
    EXPECT_EQ(w->txtInput(1)->text(), QStringLiteral(","));
    EXPECT_EQ(w->txtInput(1)->maxLength(), 8);
    // Enter in the tree shows the node again.
    w->txtInput(1)->setText(QStringLiteral("typed"));
    QTest::keyClick(tree, Qt::Key_Return);
    EXPECT_EQ(w->txtInput(1)->text(), QStringLiteral(","));

    alt(Qt::Key_E);
    ASSERT_EQ(QApplication::focusWidget(), w->txtInput(0));
    QTest::keyClicks(w->txtInput(0), QStringLiteral("rgb("));
    QTest::keyClick(w->txtInput(0), Qt::Key_Return);
    EXPECT_EQ(w->model().scheme().OutputSeparators[TN_RGB].LeftEnd, QStringLiteral("rgb("));
    EXPECT_EQ(w->cboFormatGroup()->itemText(0), QStringLiteral("Custom 1 (Changed)"));
    EXPECT_TRUE(w->cmdRevert()->isEnabled());
}

TEST_F(AdvancedWindowFixture, LabelMnemonicsReachTheirBoxesAndTheMenuWinsTheFirstPress)
{
    open();
    alt(Qt::Key_N);
    EXPECT_EQ(QApplication::focusWidget(), w->txtInput(0));

    select("HSLOutputBase");
    for (const auto &[key, box] : {std::pair{Qt::Key_2, 1}, {Qt::Key_3, 2}, {Qt::Key_1, 0}}) {
        alt(key);
        EXPECT_EQ(QApplication::focusWidget(), w->txtInput(box)) << box;
    }
    select("CMYOutputSeparators");
    for (const auto &[key, box] : {std::pair{Qt::Key_P, 2}, {Qt::Key_N, 3}, {Qt::Key_L, 1},
                                   {Qt::Key_E, 0}}) {
        alt(key);
        EXPECT_EQ(QApplication::focusWidget(), w->txtInput(box)) << box;
    }
    select("RGBInputBase");
    alt(Qt::Key_B);
    EXPECT_EQ(QApplication::focusWidget(), w->txtInput(2));
    alt(Qt::Key_T);
    EXPECT_EQ(QApplication::focusWidget(), w->txtInput(0));

    // "S&hade Slider:" shares its letter with "&Help": the menu comes first.
    alt(Qt::Key_H);
    ASSERT_TRUE(eventually([&] { return QApplication::activePopupWidget() == w->mnuHelp(); }));
    QTest::keyClick(w->mnuHelp(), Qt::Key_Escape);
    ASSERT_TRUE(eventually([] { return QApplication::activePopupWidget() == nullptr; }));
    // The second press goes to the label.
    alt(Qt::Key_H);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_EQ(QApplication::focusWidget(), w->txtInput(3));
    if (QWidget *popup = QApplication::activePopupWidget())
        popup->close();
}

TEST_F(AdvancedWindowFixture, OnEveryNodeMnemonicsAreUniqueOrTheMenuWinsTheFirstPress)
{
    open();
    QTreeWidget *tree = w->tvwFormats();
    tree->expandAll();
    QTest::keyClick(tree, Qt::Key_Home);
    for (int node = 0; node < 46; ++node) {
        SCOPED_TRACE(tree->currentItem()->text(0).toStdString());
        test::expectMnemonicsUnique(w.get());
        tree->setFocus();
        QTest::keyClick(tree, Qt::Key_Down); // a key between two checks, as a user would press
    }
    // The last node on screen: every node was checked.
    EXPECT_EQ(tree->currentItem()->data(0, Qt::UserRole).toString().toStdString(), "CMYInputLargeStep");
}

TEST_F(AdvancedWindowFixture, AltSRAndDPressSaveRevertAndDelete)
{
    open();
    select("HTMOutputSeparators");
    typeInto(0, QStringLiteral("#"));
    alt(Qt::Key_S);
    ASSERT_TRUE(eventually([&] { return QFile::exists(slot(1)); }));
    EXPECT_EQ(w->model().scheme().OutputSeparators[TN_HTML].LeftEnd, QStringLiteral("#"));
    EXPECT_TRUE(eventually([&] { return w->cmdDelete()->isEnabled(); }));

    select("HTMOutputSeparators");
    typeInto(3, QStringLiteral(";"));
    messages.answers = {MsgResult::Yes};
    alt(Qt::Key_R);
    ASSERT_TRUE(eventually([&] { return !w->model().Changed(); }));
    EXPECT_EQ(messages.shown.last().title, QStringLiteral("Lose Changes"));
    EXPECT_EQ(w->txtInput(3)->text(), QString());

    messages.answers = {MsgResult::Yes};
    alt(Qt::Key_D);
    ASSERT_TRUE(eventually([&] { return !QFile::exists(slot(1)); }));
    EXPECT_EQ(messages.shown.last().title, QStringLiteral("Delete Custom Formatting"));
    EXPECT_FALSE(w->cmdDelete()->isEnabled());
}

TEST_F(AdvancedWindowFixture, LeavingABoxCommitsItAndARefusalShowsTheStoredValue)
{
    open();
    select("RGBOutputBase");
    w->txtInput(1)->setFocus();
    QTest::keyClicks(w->txtInput(1), QStringLiteral("x"));
    w->tvwFormats()->setFocus();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("Only numbers and one period are allowed."));
    EXPECT_EQ(w->txtInput(1)->text(), QStringLiteral("255"));
    EXPECT_EQ(w->cboFormatGroup()->itemText(0), QStringLiteral("Custom 1"));
}

TEST_F(AdvancedWindowFixture, AFormatNameChangeRebuildsTheTreeAtOnce)
{
    open();
    select("HSLFormatName");
    EXPECT_EQ(w->txtInput(0)->maxLength(), 32767);
    typeInto(0, QStringLiteral("Hue && Co"));
    EXPECT_EQ(host->formatNameRefreshes, 1);
    EXPECT_EQ(w->Frame1()->title(), QStringLiteral("&Advanced Formatting Options - Hue  Co Format Name"));
    QTreeWidgetItem *current = w->tvwFormats()->currentItem();
    ASSERT_NE(current, nullptr);
    EXPECT_EQ(current->data(0, Qt::UserRole).toString(), QStringLiteral("HSLFormatName"));
    EXPECT_EQ(current->parent()->text(0), QStringLiteral("Hue  Co Format"));
}

TEST_F(AdvancedWindowFixture, CancelAtTheSlotPromptKeepsTheListOnTheEditedSlot)
{
    open();
    select("Name");
    typeInto(0, QStringLiteral("Mine"));
    EXPECT_EQ(w->cboFormatGroup()->itemText(0), QStringLiteral("Mine (Changed)"));
    messages.answers = {MsgResult::Cancel};
    w->cboFormatGroup()->setCurrentIndex(3);
    w->cboFormatGroup_Click(3);
    EXPECT_EQ(w->cboFormatGroup()->currentIndex(), 0);
    EXPECT_EQ(w->cboFormatGroup()->itemText(0), QStringLiteral("Mine (Changed)"));
    EXPECT_EQ(w->txtInput(0)->text(), QStringLiteral("Mine"));

    messages.answers = {MsgResult::No};
    w->cboFormatGroup()->setCurrentIndex(3);
    w->cboFormatGroup_Click(3);
    EXPECT_EQ(w->cboFormatGroup()->currentIndex(), 3);
    EXPECT_EQ(w->cboFormatGroup()->itemText(0), QStringLiteral("Custom 1"));
    EXPECT_EQ(w->txtInput(0)->text(), QStringLiteral("Custom 4"));
}

TEST_F(AdvancedWindowFixture, SavingTheActiveSlotChangesTheMainWindowsOutputAtOnce)
{
    writeBytes(slot(1), CustomSchemeText(ctx.Scheme, QStringLiteral("Live")));
    host = std::make_unique<MainWindowDouble>(ctx);
    host->reloadScheme(kFirstCustomScheme);
    host->reloads.clear();
    ASSERT_EQ(host->rgbOutput, QStringLiteral("255,128,0"));
    open();
    select("RGBOutputBase");
    typeInto(0, QStringLiteral("1"));
    select("RGBOutputFormat");
    typeInto(0, QStringLiteral("0.00"));
    EXPECT_EQ(host->rgbOutput, QStringLiteral("255,128,0")); // not before the save
    w->cmdSave()->click();
    EXPECT_EQ(host->reloads, QList<int>{kFirstCustomScheme});
    EXPECT_EQ(host->rgbOutput, QStringLiteral("1.00,128,0"));
    EXPECT_EQ(w->cboFormatGroup()->itemText(0), QStringLiteral("Live"));

    // Deleting it puts the main window on Standard.
    messages.answers = {MsgResult::Yes};
    w->cmdDelete()->click();
    EXPECT_EQ(host->reloads.last(), 0);
    EXPECT_EQ(host->rgbOutput, QStringLiteral("255,128,0"));
}

TEST_F(AdvancedWindowFixture, AHandWrittenSchemeRoundTripsThroughImportExportAndSave)
{
    QByteArray text = CustomSchemeText(ctx.Scheme, QStringLiteral("x"));
    text.replace(0, 1, "Gr\xFC\xDF \x99");
    text.replace("H&TML\r\n0\r\n", "H\xC4ML\r\n1\r\nline\r\n");
    const QString source = dir.filePath(QStringLiteral("hand.tnf"));
    writeBytes(source, text);
    for (int n = 1; n <= 2; ++n)
        writeBytes(slot(n), CustomSchemeText(ctx.Scheme, QStringLiteral("Taken")));

    open();
    w->answers = {{source}};
    w->mnuFileImportScheme_Click();
    ASSERT_EQ(w->dialogs.size(), 1);
    EXPECT_EQ(w->dialogs[0].DialogTitle, QStringLiteral("Import Format Scheme"));
    EXPECT_EQ(w->dialogs[0].Filter, QStringLiteral("Tintwell Format Files (*.tnf)|*.tnf|All Files (*.*)|*.*"));
    EXPECT_EQ(w->dialogs[0].flags, 4100);
    EXPECT_EQ(w->dialogs[0].InitDir, ctx.ProgramFolder);
    EXPECT_EQ(fileBytes(slot(3)), text);
    EXPECT_EQ(w->cboFormatGroup()->currentIndex(), 2);
    EXPECT_EQ(w->cboFormatGroup()->itemText(2), QStringLiteral("Gr\u00FC\u00DF \u2122"));
    EXPECT_EQ(w->tvwFormats()->topLevelItem(1)->text(0), QStringLiteral("H\u00C4ML Format"));
    EXPECT_EQ(host->slotNameRefreshes, 1);

    const QString target = dir.filePath(QStringLiteral("exported"));
    w->answers = {{target}};
    w->mnuFileExportScheme_Click();
    EXPECT_EQ(w->dialogs.last().DialogTitle, QStringLiteral("Export Format Scheme"));
    EXPECT_EQ(w->dialogs.last().flags, 2054);
    EXPECT_EQ(fileBytes(target + QStringLiteral(".tnf")), text);

    w->cmdSave()->click();
    EXPECT_EQ(fileBytes(slot(3)), text);
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(AdvancedWindowFixture, ImportSaysWhenEverySlotIsTakenBeforeAnyDialog)
{
    open();
    w->answers = {{QString(), false}, {QString(), false}};
    w->mnuFileImportScheme_Click(); // cancelled: nothing changes
    w->mnuFileExportScheme_Click();
    EXPECT_EQ(w->dialogs.size(), 2);
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_FALSE(QFile::exists(slot(1)));

    for (int n = 1; n <= 5; ++n)
        writeBytes(slot(n), CustomSchemeText(ctx.Scheme, QStringLiteral("S%1").arg(n)));
    w->mnuFileImportScheme_Click();
    EXPECT_EQ(w->dialogs.size(), 2);
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].title, QStringLiteral("No Available Format Slots"));
}

TEST_F(AdvancedWindowFixture, AFileThatIsNoSchemeIsShownWithoutCrashing)
{
    const QString source = dir.filePath(QStringLiteral("picture.tnf"));
    writeBytes(source, QByteArray("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16));
    open();
    w->answers = {{source}};
    w->mnuFileImportScheme_Click();
    EXPECT_EQ(fileBytes(slot(1)), QByteArray("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16));
    ASSERT_FALSE(messages.shown.isEmpty());
    EXPECT_EQ(messages.shown.last().title, QStringLiteral("Aborting Load"));
    EXPECT_EQ(w->tvwFormats()->topLevelItemCount(), 8);
    for (QTreeWidgetItemIterator it(w->tvwFormats()); *it; ++it) {
        w->tvwFormats()->setCurrentItem(*it);
        EXPECT_FALSE(w->Frame1()->title().isEmpty());
    }
    EXPECT_TRUE(w->cmdDelete()->isEnabled());
}

TEST_F(AdvancedWindowFixture, ScriptButtonsHandTheSelectedFormatsScriptsToTheEditor)
{
    open();
    select("DEC");
    ASSERT_TRUE(w->fraScripting()->isVisible());
    w->cmdConverterScript()->click();
    EXPECT_EQ(w->CurrentScript(), TN_DEC + 8);
    EXPECT_EQ(editor.shows, 1);
    editor.type(QStringLiteral("tnConverter.Red = 1"));
    w->SaveScript(); // the editor hides
    EXPECT_TRUE(w->Changed());
    EXPECT_TRUE(w->cmdRevert()->isEnabled());
    EXPECT_EQ(w->cboFormatGroup()->itemText(0), QStringLiteral("Custom 1"));
    EXPECT_EQ(w->model().scheme().Info[TN_DEC].ConverterScript, QStringLiteral("tnConverter.Red = 1"));
}

TEST_F(AdvancedWindowFixture, ClosingHidesCommitsAndRemembersThePlace)
{
    open();
    w->move(120, 90);
    select("RGBOutputSeparators");
    w->txtInput(3)->setText(QStringLiteral("]"));
    messages.answers = {MsgResult::Cancel};
    w->close();
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->model().scheme().OutputSeparators[TN_RGB].RightEnd, QStringLiteral("]"));

    messages.answers = {MsgResult::Yes};
    w->close();
    EXPECT_FALSE(w->isVisible());
    EXPECT_TRUE(QFile::exists(slot(1)));
    modRegistry::PositionRecord p;
    ASSERT_EQ(modRegistry::GetWindowPosition(*reg, modRegistry::StoredWindow::Advanced, p), 0);
    EXPECT_EQ(p.X, 120 * 15);
    EXPECT_EQ(p.Y, 90 * 15);
    // Opened again: the same slot and node, not a fresh load.
    w->Open();
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->Frame1()->title(), QStringLiteral("&Advanced Formatting Options - RGB Output Separators"));
}

TEST_F(AdvancedWindowFixture, HelpMenuOpensItsTopics)
{
    open();
    const QList<QAction *> items = w->mnuHelp()->actions();
    ASSERT_EQ(items.size(), 4);
    EXPECT_EQ(items[0]->text(), QStringLiteral("&Contents"));
    EXPECT_EQ(items[1]->text(), QStringLiteral("&What's This?"));
    EXPECT_EQ(items[2]->text(), QStringLiteral("Advanced &Help"));
    EXPECT_EQ(items[3]->text(), QStringLiteral("Advanced Formatting &Tutorial"));
    auto topicAfter = [&](const std::function<void()> &action) {
        action();
        return help.hasWindow() ? help.window()->currentTopic() : -1;
    };
    EXPECT_EQ(topicAfter([&] { QTest::keyClick(w->tvwFormats(), Qt::Key_H, Qt::ControlModifier); }), 12);
    EXPECT_EQ(topicAfter([&] { items[3]->trigger(); }), 19);
    EXPECT_EQ(topicAfter([&] { items[0]->trigger(); }), 0);
    w->mnuFile()->popup(QPoint(0, 0));
    ASSERT_TRUE(eventually([&] { return QApplication::activePopupWidget() == w->mnuFile(); }));
    EXPECT_EQ(topicAfter([&] { QTest::keyClick(w->mnuFile(), Qt::Key_F1); }), 1003);
    EXPECT_FALSE(w->mnuFile()->isVisible());
    EXPECT_TRUE(HasHelpTopic(12));
    EXPECT_TRUE(HasHelpTopic(19));
}

} // namespace
} // namespace tintwell
