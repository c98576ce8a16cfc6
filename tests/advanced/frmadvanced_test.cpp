// The advanced window offscreen: keyboard paths, mnemonics, buttons, files and closing.
#include "advanced/frmadvanced.h"
#include "core/schemefiles.h"
#include "fakes.h"
#include "platform/help.h"
#include "platform/registry.h"
#include "platform/settings.h"
#include "support/files.h"
#include "support/mnemonics.h"

#include <QComboBox>
#include <QDeadlineTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <functional>
#include <memory>

namespace tintwell {
namespace {

using test::fileBytes;
using test::writeBytes;

// Waits for a posted event or an animated click, failing with `what` at a deadline no machine needs.
void eventually(const char *what, const std::function<bool()> &done)
{
    const QDeadlineTimer deadline(10000);
    while (!done() && !deadline.hasExpired())
        QTest::qWait(10);
    ASSERT_TRUE(done()) << "still not " << what << " after 10 s";
}

class TestAdvanced : public frmAdvanced
{
public:
    using frmAdvanced::frmAdvanced;
    QStringList answers; // file names; none left: cancel
    QList<clsCommonFileDialog> dialogs;

protected:
    bool runFileDialog(clsCommonFileDialog &dialog, bool) override
    {
        dialogs << dialog;
        dialog.FileName = answers.isEmpty() ? QString() : answers.takeFirst();
        return !dialog.FileName.isEmpty();
    }
};

struct AdvancedWindowFixture : ::testing::Test {
    QTemporaryDir dir;
    std::unique_ptr<clsRegistry> reg;
    AppContext ctx;
    RecordingMessages messages;
    FakeHost host;
    FakeEditor editor;
    HelpService help;
    std::unique_ptr<TestAdvanced> w;

    void SetUp() override
    {
        reg = std::make_unique<clsRegistry>(dir.filePath(QStringLiteral("settings.ini")));
        ctx.ProgramFolder = dir.filePath(QStringLiteral("data"));
        ASSERT_TRUE(QDir().mkpath(ctx.ProgramFolder));
        ctx.Messages = &messages;
        ctx.loadScheme(0);
    }
    QString slot(int n) const { return SlotFilePath(ctx.ProgramFolder, n); }
    void open()
    {
        w = std::make_unique<TestAdvanced>(ctx, *reg, host, editor, help);
        w->Open();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    }
    void select(const char *key)
    {
        for (QTreeWidgetItemIterator it(w->tvwFormats()); *it; ++it)
            if ((*it)->data(0, Qt::UserRole).toString() == QLatin1String(key))
                return w->tvwFormats()->setCurrentItem(*it);
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
    void alt(Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key, Qt::AltModifier); }
    QString title() const { return w->Frame1()->title().section(QStringLiteral(" - "), 1); }
};

TEST_F(AdvancedWindowFixture, TheKeyboardWalkReachesRgbSeparatorsAndAltEEditsLeftEnd)
{
    open();
    QTreeWidget *tree = w->tvwFormats();
    ASSERT_EQ(QApplication::focusWidget(), tree);
    for (Qt::Key key : {Qt::Key_Home, Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Down})
        QTest::keyClick(tree, key);
    EXPECT_EQ(title(), QStringLiteral("RGB Formatting Options"));
    for (Qt::Key key : {Qt::Key_Right, Qt::Key_Right, Qt::Key_Down, Qt::Key_Down, Qt::Key_Down}) // open, first field
        QTest::keyClick(tree, key);
    EXPECT_EQ(title(), QStringLiteral("RGB Output Separators"));
    alt(Qt::Key_E);
    ASSERT_EQ(QApplication::focusWidget(), w->txtInput(0));
    QTest::keyClicks(w->txtInput(0), QStringLiteral("rgb("));
    QTest::keyClick(w->txtInput(0), Qt::Key_Return);
    EXPECT_EQ(w->model().scheme().OutputSeparators[TN_RGB].LeftEnd, QStringLiteral("rgb("));
    EXPECT_EQ(w->cboFormatGroup()->itemText(0), QStringLiteral("Custom 1 (Changed)"));
    EXPECT_TRUE(w->cmdRevert()->isEnabled());
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
    EXPECT_EQ(tree->currentItem()->data(0, Qt::UserRole).toString(), QStringLiteral("CMYInputLargeStep"));

    // "S&hade Slider:" shares H with "&Help": the menu first, then the box.
    select("RGBInputBase");
    alt(Qt::Key_H);
    eventually("the Help menu open", [&] { return QApplication::activePopupWidget() == w->mnuHelp(); });
    QTest::keyClick(w->mnuHelp(), Qt::Key_Escape);
    eventually("the Help menu closed", [] { return QApplication::activePopupWidget() == nullptr; });
    alt(Qt::Key_H);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_EQ(QApplication::focusWidget(), w->txtInput(3));
}

TEST_F(AdvancedWindowFixture, BoxesCommitOnLeavingAndAltSRAndDPressSaveRevertAndDelete)
{
    open();
    select("RGBOutputBase");
    w->txtInput(1)->setFocus();
    QTest::keyClicks(w->txtInput(1), QStringLiteral("x"));
    w->tvwFormats()->setFocus(); // leaving the box commits it: refused, the stored value is back
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown.takeFirst().text, QStringLiteral("Only numbers and one period are allowed."));
    EXPECT_EQ(w->txtInput(1)->text(), QStringLiteral("255"));

    select("HTMOutputSeparators");
    typeInto(0, QStringLiteral("#"));
    alt(Qt::Key_S);
    eventually("saved", [&] { return QFile::exists(slot(1)) && w->cmdDelete()->isEnabled(); });
    typeInto(3, QStringLiteral(";"));
    messages.answers = {MsgResult::Yes};
    alt(Qt::Key_R);
    eventually("reverted", [&] { return !w->model().Changed(); });
    EXPECT_EQ(messages.shown.takeLast().title, QStringLiteral("Lose Changes"));
    EXPECT_EQ(w->txtInput(3)->text(), QString());
    messages.answers = {MsgResult::Yes};
    alt(Qt::Key_D);
    eventually("deleted", [&] { return !QFile::exists(slot(1)); });
    EXPECT_EQ(messages.shown.takeLast().title, QStringLiteral("Delete Custom Formatting"));
    EXPECT_FALSE(w->cmdDelete()->isEnabled());
}

TEST_F(AdvancedWindowFixture, AFormatNameRebuildsTheTreeAndCancelAtTheSlotPromptKeepsTheList)
{
    open();
    select("HSLFormatName");
    typeInto(0, QStringLiteral("Hue && Co"));
    EXPECT_EQ(host.formatNameRefreshes, 1);
    EXPECT_EQ(w->tvwFormats()->currentItem()->parent()->text(0), QStringLiteral("Hue  Co Format"));
    select("HSL");

    messages.answers = {MsgResult::Cancel};
    w->cboFormatGroup()->setCurrentIndex(3);
    w->cboFormatGroup_Click(3);
    EXPECT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(w->cboFormatGroup()->currentIndex(), 0);
    EXPECT_EQ(w->cboFormatGroup()->itemText(0), QStringLiteral("Custom 1 (Changed)"));
    EXPECT_EQ(title(), QStringLiteral("Hue  Co Formatting Options"));
}

TEST_F(AdvancedWindowFixture, AHandWrittenSchemeRoundTripsThroughImportExportAndSaveAndAPictureDoesNotCrash)
{
    QByteArray text = CustomSchemeText(ctx.Scheme, QStringLiteral("x"));
    text.replace(0, 1, "Gr\xFC\xDF \x99");
    text.replace("H&TML\r\n0\r\n", "H\xC4ML\r\n1\r\nline\r\n");
    writeBytes(dir.filePath(QStringLiteral("hand.tnf")), text);
    for (int n = 1; n <= 2; ++n)
        writeBytes(slot(n), CustomSchemeText(ctx.Scheme, QStringLiteral("Taken")));
    open();
    w->answers = {dir.filePath(QStringLiteral("hand.tnf")), dir.filePath(QStringLiteral("exported"))};
    w->mnuFileImportScheme_Click();
    EXPECT_EQ(fileBytes(slot(3)), text);
    EXPECT_EQ(w->cboFormatGroup()->currentIndex(), 2);
    EXPECT_EQ(w->cboFormatGroup()->itemText(2), QStringLiteral("Gr\u00FC\u00DF \u2122"));
    EXPECT_EQ(w->tvwFormats()->topLevelItem(1)->text(0), QStringLiteral("H\u00C4ML Format"));
    w->mnuFileExportScheme_Click();
    EXPECT_EQ(fileBytes(dir.filePath(QStringLiteral("exported.tnf"))), text);
    w->cmdSave()->click();
    EXPECT_EQ(fileBytes(slot(3)), text);
    EXPECT_TRUE(messages.shown.isEmpty());

    // A file that is no scheme at all is imported and shown without a crash.
    const QByteArray png("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16);
    writeBytes(dir.filePath(QStringLiteral("picture.tnf")), png);
    w->answers = {dir.filePath(QStringLiteral("picture.tnf"))};
    w->mnuFileImportScheme_Click();
    EXPECT_EQ(fileBytes(slot(4)), png);
    ASSERT_FALSE(messages.shown.isEmpty());
    EXPECT_EQ(messages.shown.last().title, QStringLiteral("Aborting Load"));
    EXPECT_EQ(w->tvwFormats()->topLevelItemCount(), 8);
    for (QTreeWidgetItemIterator it(w->tvwFormats()); *it; ++it) {
        w->tvwFormats()->setCurrentItem(*it);
        EXPECT_FALSE(title().isEmpty());
    }
}

TEST_F(AdvancedWindowFixture, ClosingCommitsTheBoxAsksAndRemembersThePlace)
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
    EXPECT_EQ(QPoint(p.X, p.Y), QPoint(120 * 15, 90 * 15));
}

} // namespace
} // namespace tintwell
