// The script editor window: wiring of its commands, layout and settings.

#include "scripting/editor/frmscript.h"

#include "core/scheme.h"
#include "platform/help.h"
#include "platform/registry.h"
#include "platform/settings.h"
#include "scripting/host/headlesssession.h"
#include "scripting/host/scripthost.h"
#include "support/files.h"
#include "support/mnemonics.h"

#include <QAction>
#include <QFrame>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }

namespace tintwell::script {
namespace {

// Answers the file dialogs from a queue ("" cancels) and records help calls.
class FakeServices : public ScriptEditorServices
{
public:
    bool runFileDialog(clsCommonFileDialog &dialog, bool, QWidget *) override
    {
        shown.append(dialog);
        dialog.FileName = answers.isEmpty() ? QString() : answers.takeFirst();
        dialog.Canceled = dialog.FileName.isEmpty();
        return !dialog.Canceled;
    }
    void showHelp(int command, int topic, QWidget *) override { help.append({command, topic}); }

    QList<clsCommonFileDialog> shown;
    QStringList answers;
    QList<std::pair<int, int>> help;
};

struct EditorFixture : ::testing::Test {
    QTemporaryDir dir;
    std::unique_ptr<clsRegistry> reg;
    RecordingMessages messages;
    AppContext context;
    HeadlessColorSession session{context};
    std::unique_ptr<ScriptHost> host;
    FakeServices services;
    std::unique_ptr<frmScript> w;

    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        reg = std::make_unique<clsRegistry>(dir.filePath(QStringLiteral("settings.ini")));
        context.Messages = &messages;
        context.ProgramFolder = dir.path() + QLatin1Char('/');
        LoadDefaultScheme(context.Scheme, kSchemeStandard, messages);
        host = std::make_unique<ScriptHost>(context, session);
        session.bindHost(host.get());
    }
    void TearDown() override
    {
        context.Closing = true;
        w.reset();
    }

    void open(QSize size = QSize(500, 600))
    {
        w.reset();
        w = std::make_unique<frmScript>(context, *reg, *host, services);
        w->resize(size);
        w->show();
    }
    int innerHeight() const { return w->centralWidget()->height(); }
    QAction *act(const char *name) const { return w->action(QString::fromLatin1(name)); }
    QString path(const char *name) const { return dir.filePath(QLatin1String(name)); }
    int setting(SettingId id) const { return modRegistry::GetSetting(*reg, id); }
    QString lastPath() const { return modRegistry::GetText(*reg, SettingId::LastScriptPath); }
};

TEST_F(EditorFixture, MnemonicsShortcutsAndHelp)
{
    open();
    w->activateWindow();
    test::expectMnemonicsUnique(w.get());
    for (QAction *top : w->menuBar()->actions()) {
        QSet<QChar> items;
        for (QAction *item : top->menu()->actions()) {
            if (item->isSeparator())
                continue;
            const QChar k = test::mnemonicOf(item->text());
            EXPECT_FALSE(k.isNull() || items.contains(k)) << item->text().toStdString();
            items.insert(k);
        }
    }
    const std::pair<const char *, QKeySequence> keys[] = {{"mnuOptionsHideDebug", QKeySequence(Qt::CTRL | Qt::Key_G)},
                                                          {"mnuRunExecuteScript", QKeySequence(Qt::Key_F5)},
                                                          {"mnuHelpScriptingHelp", QKeySequence(Qt::CTRL | Qt::Key_H)},
                                                          {"mnuEditDelete", QKeySequence(Qt::Key_Delete)}};
    for (const auto &[name, key] : keys)
        EXPECT_EQ(act(name)->shortcut(), key) << name;

    for (const char *item : {"mnuHelpContents", "mnuHelpScriptEditor", "mnuHelpScriptingHelp"})
        act(item)->trigger();
    const QList<std::pair<int, int>> expected = {
        {HelpCommand::Contents, 0}, {HelpCommand::Context, 20}, {HelpCommand::Context, 21}};
    EXPECT_EQ(services.help, expected);
}

TEST_F(EditorFixture, ExecuteScriptTracesIntoTheDebugPane)
{
    open();
    w->SetCode(QStringLiteral("' vbs\r\ntnPrint \"one\"\r\ntnOutput \"x\""));
    EXPECT_FALSE(w->Changed());
    act("mnuRunExecuteScript")->trigger();
    EXPECT_FALSE(context.Script.Echo);
    EXPECT_EQ(w->txtDebug()->toPlainText(),
              QStringLiteral("--- Executing Script (VBS) ---\nonetnOutput(\"x\")\nNo errors."));
    w->SetCode(QStringLiteral("x = 1 / 0"));
    act("mnuRunExecuteScript")->trigger();
    EXPECT_TRUE(w->txtDebug()->toPlainText().endsWith(
        QStringLiteral("No errors.\n\n--- Executing Script (VBScript) ---\n(Ln 1, Col 1) error 11: Division by zero\n"
                       "    Source: x = 1 / 0\nError executing script.")))
        << w->txtDebug()->toPlainText().toStdString();
    act("mnuOptionsClearDebug")->trigger();
    EXPECT_TRUE(w->debugIsEmpty());

    QTest::keyClicks(w->txtCode(), QStringLiteral("a"));
    EXPECT_TRUE(w->Changed());
    // The pane holds at most 65535 characters.
    w->SetCode(QString(65534, QLatin1Char('x')));
    w->txtCode()->moveCursor(QTextCursor::End);
    QTest::keyClicks(w->txtCode(), QStringLiteral("yz"));
    EXPECT_EQ(w->code(), QString(65534, QLatin1Char('x')) + QLatin1Char('y'));
}

// The limits themselves are EditorRules' business; here the window applies them
// to the stored value, a drag, a resize and the Hide Debug Window setting.
TEST_F(EditorFixture, SplitterFollowsTheStoredValueDragsResizeAndHideDebug)
{
    modRegistry::SetSetting(*reg, SettingId::SplitterPos, 5000);
    open();
    const int h = innerHeight();
    EXPECT_EQ(w->splitterTop(), h - 50);
    EXPECT_EQ(w->txtDebug()->geometry(), QRect(0, h - 44, w->txtCode()->width(), 44));
    auto drag = [&](int dy) {
        QFrame *bar = w->picSplitter();
        QTest::mousePress(bar, Qt::LeftButton, Qt::NoModifier, QPoint(10, 2));
        QMouseEvent move(QEvent::MouseMove, QPointF(10, 2 + dy), bar->mapToGlobal(QPointF(10, 2 + dy)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(bar, &move);
        QTest::mouseRelease(bar, Qt::LeftButton, Qt::NoModifier, QPoint(10, 2 + dy));
    };
    drag(-1000);
    EXPECT_EQ(w->splitterTop(), 200);
    EXPECT_EQ(w->txtCode()->height(), 199);
    drag(10000);
    drag(-30);
    EXPECT_EQ(w->splitterTop(), h - 80);
    EXPECT_EQ(w->debugPaneHeight(), 80);

    // Below 249 only the code pane; growing brings the debug pane back at its height.
    const int chrome = w->height() - h;
    w->resize(500, 240 + chrome);
    ASSERT_EQ(innerHeight(), 240);
    EXPECT_FALSE(w->txtDebug()->isVisible() || w->picSplitter()->isVisible());
    EXPECT_EQ(w->txtCode()->height(), 240);
    w->resize(500, 700 + chrome);
    EXPECT_TRUE(w->txtDebug()->isVisible() && w->picSplitter()->isVisible());
    EXPECT_EQ(w->splitterTop(), 700 - 80);

    EXPECT_EQ(setting(SettingId::HideDebug), 0); // written again at start
    act("mnuOptionsHideDebug")->trigger();
    EXPECT_FALSE(w->txtDebug()->isVisible());
    EXPECT_EQ(w->txtCode()->height(), innerHeight());
    EXPECT_EQ(setting(SettingId::HideDebug), 1);
    open();
    EXPECT_TRUE(act("mnuOptionsHideDebug")->isChecked());
    EXPECT_FALSE(w->txtDebug()->isVisible());
    act("mnuOptionsHideDebug")->trigger();
    EXPECT_TRUE(w->txtDebug()->isVisible());
    EXPECT_EQ(setting(SettingId::HideDebug), 0);
}

// Which item is enabled when is EditorRules' business; here the menu follows
// the pane that has the focus and acts on it.
TEST_F(EditorFixture, EditMenuActsOnTheActivePane)
{
    open();
    w->txtCode()->setFocus();
    w->UpdateEditMenu();
    EXPECT_FALSE(act("mnuEditSelectAll")->isEnabled()); // empty pane
    w->SetCode(QStringLiteral("tnPrint 1"));
    w->txtCode()->moveCursor(QTextCursor::Start);
    act("mnuEditSelectAll")->trigger();
    EXPECT_TRUE(act("mnuEditDelete")->isEnabled());
    act("mnuEditDelete")->trigger();
    EXPECT_TRUE(w->code().isEmpty());
    act("mnuEditUndo")->trigger();
    EXPECT_EQ(w->code(), QStringLiteral("tnPrint 1"));
    // The Del key still deletes a character in the pane; the menu item acts on selections.
    w->activateWindow();
    w->txtCode()->setFocus();
    w->txtCode()->moveCursor(QTextCursor::Start);
    QTest::keyClick(w->txtCode(), Qt::Key_Delete);
    EXPECT_EQ(w->code(), QStringLiteral("nPrint 1"));

    w->PrintDebug(QStringLiteral("trace\r\n"));
    QTest::mouseClick(w->txtDebug()->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
    EXPECT_EQ(w->activePane(), 1);
    act("mnuEditSelectAll")->trigger();
    EXPECT_EQ(w->txtDebug()->textCursor().selectedText(), QStringLiteral("trace\u2029"));
    EXPECT_TRUE(act("mnuEditCopy")->isEnabled());
    EXPECT_FALSE(act("mnuEditPaste")->isEnabled() || act("mnuEditCut")->isEnabled());
}

TEST_F(EditorFixture, ImportAndExportScripts)
{
    open();
    test::writeBytes(path("in.vbs"), "' vbs\r\ntnPrint \"caf\xe9\"\r\n");
    act("mnuFileImportScript")->trigger(); // cancelled: nothing changes
    EXPECT_TRUE(w->code().isEmpty());
    ASSERT_EQ(services.shown.size(), 1);
    EXPECT_EQ(services.shown[0].InitDir, context.ProgramFolder);
    EXPECT_TRUE(lastPath().isEmpty());

    services.answers = {path("in.vbs")};
    act("mnuFileImportScript")->trigger();
    EXPECT_EQ(w->code(), QStringLiteral("' vbs\r\ntnPrint \"caf\u00e9\"\r\n"));
    EXPECT_FALSE(w->Changed());
    EXPECT_EQ(lastPath(), path("in.vbs"));

    // Over a longer file: exactly the new code remains.
    test::writeBytes(path("out.vbs"), QByteArray(5000, 'z'));
    services.answers = {path("out.vbs")};
    act("mnuFileExportScript")->trigger();
    EXPECT_EQ(services.shown.last().InitDir, path("in.vbs"));
    EXPECT_EQ(test::fileBytes(path("out.vbs")), QByteArray("' vbs\r\ntnPrint \"caf\xe9\"\r\n"));

    // No extension: chosen from the first line; the setting keeps the name as chosen.
    w->SetCode(QStringLiteral("// JAVASCRIPT"));
    services.answers = {path("plain")};
    act("mnuFileExportScript")->trigger();
    EXPECT_EQ(test::fileBytes(path("plain.js")), QByteArray("// JAVASCRIPT"));
    EXPECT_EQ(lastPath(), path("plain"));

    // A folder that does not exist: a message, the setting unchanged.
    services.answers = {path("missing/x.vbs")};
    act("mnuFileExportScript")->trigger();
    EXPECT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(lastPath(), path("plain"));
}

// Handing the script back on closing: the application test.
TEST_F(EditorFixture, ClosingHidesAndStoresTheNormalBounds)
{
    open(QSize(520, 610));
    w->move(40, 60);
    const QRect normal(w->pos(), w->size());
    w->showMaximized();
    QTest::qWait(10);
    w->close();
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(setting(SettingId::ScriptMax), 1);
    modRegistry::PositionRecord size, pos;
    ASSERT_EQ(modRegistry::GetScriptSize(*reg, size), 0);
    ASSERT_EQ(modRegistry::GetWindowPosition(*reg, modRegistry::StoredWindow::Script, pos), 0);
    EXPECT_EQ(QRect(pos.X, pos.Y, size.X, size.Y),
              QRect(normal.x() * 15, normal.y() * 15, normal.width() * 15, normal.height() * 15));
    EXPECT_EQ(setting(SettingId::SplitterPos), w->splitterTop());

    // Still loaded: the text stays for the next showing.
    w->SetCode(QStringLiteral("kept"));
    w->showNormal();
    EXPECT_EQ(w->code(), QStringLiteral("kept"));
}

} // namespace
} // namespace tintwell::script
