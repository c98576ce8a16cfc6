// The advanced window's rules without a window: boxes, prompts, slot files and scripts.
#include "advanced/advancedmodel.h"
#include "core/schemefiles.h"
#include "fakes.h"
#include "support/files.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

namespace tintwell {
namespace {

using test::fileBytes;
using test::writeBytes;

FormatScheme builtIn(int index)
{
    FormatScheme s;
    RecordingMessages quiet;
    LoadDefaultScheme(s, kSchemeStandard + index, quiet);
    return s;
}

QString expected(const char *title, const QString &text, MsgIcon icon, MsgButtons buttons = MsgButtons::Ok)
{
    return QStringLiteral("%1|%2|%3|%4").arg(QLatin1String(title), text).arg(int(icon)).arg(int(buttons));
}

struct ModelFixture : ::testing::Test {
    QTemporaryDir dir;
    AppContext ctx;
    RecordingMessages messages;
    FakeHost host;
    FakeEditor editor;
    std::unique_ptr<AdvancedModel> model;

    void SetUp() override
    {
        ctx.ProgramFolder = dir.path();
        ctx.Messages = &messages;
    }
    void load()
    {
        model = std::make_unique<AdvancedModel>(ctx, host, editor);
        model->Load();
    }
    QString slot(int n) const { return SlotFilePath(dir.path(), n); }
    void writeSlot(int n, const QString &name, int variant = 0)
    {
        writeBytes(slot(n), CustomSchemeText(builtIn(variant), name));
    }
    CommitResult commit(const char *key, int box, const QString &text)
    {
        model->selectNode(QString::fromLatin1(key));
        return model->commitBox(box, text);
    }
    QString entry(int slotIndex) const { return model->slotEntries()[std::size_t(slotIndex)]; }
    QString message()
    {
        const auto m = messages.shown.size() == 1 ? messages.shown.takeFirst() : RecordingMessages::Shown{};
        messages.shown.clear();
        return QStringLiteral("%1|%2|%3|%4").arg(m.title, m.text).arg(int(m.icon)).arg(int(m.buttons));
    }
};

TEST_F(ModelFixture, BoxesTakeNumbersPatternsSeparatorsAndNamesAndMarkTheSlot)
{
    load();
    for (const auto &[key, box, text, shown] :
         {std::tuple{"RGBOutputBase", 1, "1.5", "1.5"}, {"CMYInputStep", 3, "7.", "7"},
          {"HSLInputLargeStep", 0, ".25", "0.25"}, {"HSLOutputFormat", 2, "#,##0.00", "#,##0.00"},
          {"RGBOutputSeparators", 1, "", ""}, {"Name", 0, "Warm", "Warm"}}) {
        EXPECT_EQ(commit(key, box, QString::fromLatin1(text)).outcome, CommitOutcome::Accepted) << key;
        model->selectNode(QString::fromLatin1(key)); // shown afresh from what was stored
        EXPECT_EQ(model->display().values.value(box), QString::fromLatin1(shown)) << key;
    }
    EXPECT_EQ(entry(0), QStringLiteral("Warm (Changed)"));
    EXPECT_EQ(commit("RGBInputBase", 0, QStringLiteral("1234567890")).text, QStringLiteral("12345678"));
    EXPECT_EQ(commit("Name", 0, QString(70, u'n')).text, QString(64, u'n')); // boxes hold 8 and 64 characters
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(ModelFixture, RefusedTextsShowTheirMessageAndGiveTheStoredValueBack)
{
    load();
    const QString numbers = QStringLiteral("Only numbers and one period are allowed.");
    const QString patterns = QStringLiteral("Only pound signs (#), zeros (0), commas (,) and one period are allowed.");
    const std::tuple<const char *, const char *, QString, const char *> cases[] = {
        {"RGBOutputBase", "1.2.3", numbers, "255"}, {"RGBOutputBase", ".", numbers, "255"},
        {"CMYInputBase", "", numbers, "100"},       {"HSLInputStep", "-1", numbers, "1"},
        {"RGBInputLargeStep", "1e3", numbers, "51"}, {"RGBOutputBase", "1,5", numbers, "255"},
        {"RGBInputFormat", "", patterns, "0"},      {"HSBOutputFormat", "0.0.0", patterns, "0"},
        {"RGBInputFormat", "0 ", patterns, "0"}};
    for (const auto &[key, text, shown, restored] : cases) {
        SCOPED_TRACE(std::string(key) + " " + text);
        const CommitResult r = commit(key, 0, QString::fromLatin1(text));
        EXPECT_EQ(r.outcome, CommitOutcome::Refused);
        EXPECT_EQ(r.text, QString::fromLatin1(restored));
        EXPECT_EQ(message(), expected("Tintwell", shown, MsgIcon::None));
    }
    EXPECT_FALSE(model->Changed());
}

TEST_F(ModelFixture, EnterOnAnUnchangedValueMarksNothing)
{
    host.active = 3; // Decimal: fractions in every box
    load();
    for (const auto &[key, box] : {std::pair{"HSLInputLargeStep", 0}, {"RGBInputStep", 2}, {"CMYOutputFormat", 1},
                                   {"RGBOutputSeparators", 1}, {"HTMFormatName", 0}, {"Name", 0}, {"RGB", 0}}) {
        model->selectNode(QString::fromLatin1(key));
        EXPECT_NE(model->commitBox(box, model->display().values.value(box)).outcome, CommitOutcome::Accepted) << key;
    }
    EXPECT_FALSE(model->Changed() || model->revertEnabled());
    EXPECT_EQ(host.formatNameRefreshes, 0);
}

TEST_F(ModelFixture, TheSlotPromptCancelsDropsTheEditsOrSaves)
{
    load();
    commit("RGBOutputBase", 0, QStringLiteral("1.5"));
    messages.answers = {MsgResult::Cancel};
    EXPECT_FALSE(model->chooseSlot(2));
    EXPECT_EQ(message(), expected("Format Scheme Changed", QStringLiteral("Save changes to format scheme?"),
                                  MsgIcon::Question, MsgButtons::YesNoCancel));
    EXPECT_EQ(model->scheme().Formats[TN_RGB].OutputBase[0], 1.5f);
    messages.answers = {MsgResult::No};
    ASSERT_TRUE(model->chooseSlot(1));
    EXPECT_EQ(entry(0), QStringLiteral("Custom 1"));
    EXPECT_FALSE(QFile::exists(slot(1)));
    commit("Name", 0, QStringLiteral("Saved"));
    messages.answers = {MsgResult::Yes};
    ASSERT_TRUE(model->chooseSlot(0));
    EXPECT_EQ(CustomSlotNames(dir.path())[1], QStringLiteral("Saved"));
    EXPECT_EQ(host.slotNameRefreshes, 1);
}

TEST_F(ModelFixture, SaveWritesTheSlotWithoutAReloadAndAFailureKeepsTheEdits)
{
    load();
    commit("RGBOutputSeparators", 0, QStringLiteral("rgb("));
    ASSERT_TRUE(model->Save());
    EXPECT_EQ(fileBytes(slot(1)), CustomSchemeText(model->scheme(), QStringLiteral("Custom 1")));
    EXPECT_TRUE(host.reloads.isEmpty());
    EXPECT_FALSE(model->Changed() || model->revertEnabled());

    // The folder is a regular file: no slot file can be made there, even by root.
    const QString blocker = dir.filePath(QStringLiteral("blocked"));
    writeBytes(blocker, "not a folder");
    ctx.ProgramFolder = blocker;
    load();
    commit("Name", 0, QStringLiteral("Unsaved"));
    EXPECT_FALSE(model->Save());
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].title, QStringLiteral("Error"));
    EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("The old file is unchanged.")));
    EXPECT_EQ(entry(0), QStringLiteral("Unsaved (Changed)"));
    EXPECT_EQ(fileBytes(blocker), QByteArray("not a folder"));
    messages.answers = {MsgResult::Yes}; // a Yes at the slot prompt whose save fails keeps the slot
    EXPECT_FALSE(model->chooseSlot(1));
    EXPECT_EQ(model->CurrentSlot(), 0);
    EXPECT_TRUE(model->Changed());
}

TEST_F(ModelFixture, DeleteOfTheActiveSlotSwitchesTheMainWindowToStandard)
{
    writeSlot(1, QStringLiteral("First"));
    writeSlot(2, QStringLiteral("Second"), 1);
    host.active = kFirstCustomScheme + 1;
    load();
    messages.answers = {MsgResult::No};
    EXPECT_FALSE(model->Delete());
    EXPECT_EQ(message(), expected("Delete Custom Formatting", QStringLiteral("Are you sure?"), MsgIcon::Question,
                                  MsgButtons::YesNo));
    messages.answers = {MsgResult::Yes, MsgResult::Yes};
    ASSERT_TRUE(model->Delete()); // slot 1, not the active one
    EXPECT_FALSE(QFile::exists(slot(1)));
    EXPECT_TRUE(host.reloads.isEmpty());
    ASSERT_TRUE(model->chooseSlot(1));
    commit("Name", 0, QStringLiteral("Doomed"));
    ASSERT_TRUE(model->Delete());
    EXPECT_FALSE(QFile::exists(slot(2)));
    EXPECT_EQ(host.reloads, QList<int>{0});
    EXPECT_EQ(entry(1), QStringLiteral("Custom 2"));
    EXPECT_FALSE(model->Changed() || model->deleteEnabled());
}

TEST_F(ModelFixture, ImportNeedsAFreeSlotAndExportCopiesTheSavedFile)
{
    for (const int n : {1, 3, 4, 5})
        writeSlot(n, QStringLiteral("Slot %1").arg(n));
    load();
    ASSERT_TRUE(model->chooseSlot(1));
    EXPECT_FALSE(model->Export(dir.filePath(QStringLiteral("x.tnf")))); // Custom 2 has no file yet
    EXPECT_EQ(message(),
              expected("No Scheme Found", QStringLiteral("The current scheme is no longer available for export."),
                       MsgIcon::Exclamation));
    const QByteArray bytes = CustomSchemeText(builtIn(2), QStringLiteral("Imported"));
    writeBytes(dir.filePath(QStringLiteral("in.tnf")), bytes);
    EXPECT_EQ(model->Import(dir.filePath(QStringLiteral("in.tnf"))), 2);
    EXPECT_FALSE(model->importAvailable());
    EXPECT_EQ(message(), expected("No Available Format Slots",
                                  QStringLiteral("There are no available format scheme slots. Delete\n"
                                                 "one of the current format schemes and import again."),
                                  MsgIcon::Information));
    commit("Name", 0, QStringLiteral("Unsaved edit")); // the saved file goes, and another extension stays
    ASSERT_TRUE(model->Export(dir.filePath(QStringLiteral("named.txt"))));
    EXPECT_EQ(fileBytes(dir.filePath(QStringLiteral("named.txt"))), bytes);
}

TEST_F(ModelFixture, ScriptsComeBackFromTheEditorOnlyWhenChangedAndBeforeClosing)
{
    load();
    model->selectNode(QStringLiteral("CMY"));
    model->openScript(true);
    model->SaveScript(); // nothing edited
    EXPECT_FALSE(model->Changed());
    model->openScript(true);
    editor.type(QStringLiteral("conv"));
    model->selectNode(QStringLiteral("RGB"));
    model->openScript(false); // takes the converter script back first
    EXPECT_EQ(model->scheme().Info[TN_CMY].ConverterScript, QStringLiteral("conv"));
    editor.type(QStringLiteral("s"));
    messages.answers = {MsgResult::Cancel}; // closing takes the script back, then offers to save
    EXPECT_FALSE(model->closeRequested());
    EXPECT_EQ(model->scheme().Info[TN_RGB].ExportScript, QStringLiteral("s"));
    messages.answers = {MsgResult::No}; // drops it all
    EXPECT_TRUE(model->closeRequested());
    EXPECT_EQ(model->scheme().Info[TN_RGB].ExportScript, QString());
    EXPECT_FALSE(QFile::exists(slot(1)));
}

} // namespace
} // namespace tintwell
