#include "advanced/advancedmodel.h"
#include "core/schemefiles.h"
#include "fakes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

namespace tintwell {
namespace {

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

FormatScheme builtIn(int index)
{
    FormatScheme s;
    RecordingMessages quiet;
    LoadDefaultScheme(s, kSchemeStandard + index, quiet);
    return s;
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
        ASSERT_TRUE(dir.isValid());
        ctx.ProgramFolder = dir.path();
        ctx.Messages = &messages;
    }

    AdvancedModel &load()
    {
        model = std::make_unique<AdvancedModel>(ctx, host, editor);
        model->Load();
        return *model;
    }

    QString slot(int n) const { return SlotFilePath(dir.path(), n); }

    // Slot n written from built-in variant `variant` under `name`.
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
};

// ------------------------------------------------------------ default contents

struct DefaultContents : ModelFixture, ::testing::WithParamInterface<int> {};

TEST_P(DefaultContents, EmptySlotCopiesTheCheckedBuiltInVariantUnderTheSlotName)
{
    host.active = GetParam();
    writeSlot(1, QStringLiteral("Kept"));
    load();
    // Slot 2 has no file: its contents come from the checked variant.
    ASSERT_TRUE(model->chooseSlot(1));
    EXPECT_EQ(model->schemeName(), QStringLiteral("Custom 2"));
    EXPECT_EQ(CustomSchemeText(model->scheme(), model->schemeName()),
              CustomSchemeText(builtIn(GetParam()), QStringLiteral("Custom 2")));
    EXPECT_FALSE(model->deleteEnabled());
    EXPECT_TRUE(messages.shown.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Variants, DefaultContents, ::testing::Values(0, 1, 2, 3));

TEST_F(ModelFixture, LoadShowsSlotOneAndTheFiveNames)
{
    writeSlot(1, QStringLiteral("Web colours"), 3);
    writeSlot(4, QStringLiteral("Print"));
    load();
    EXPECT_EQ(model->CurrentSlot(), 0);
    EXPECT_EQ(model->schemeName(), QStringLiteral("Web colours"));
    EXPECT_EQ(model->scheme().Formats[TN_HSL].InputLargeStep[0], 0.16666f);
    EXPECT_TRUE(model->deleteEnabled());
    EXPECT_FALSE(model->revertEnabled());
    EXPECT_FALSE(model->Changed());
    const std::array<QString, 5> expected = {QStringLiteral("Web colours"), QStringLiteral("Custom 2"),
                                             QStringLiteral("Custom 3"), QStringLiteral("Print"),
                                             QStringLiteral("Custom 5")};
    EXPECT_EQ(model->slotEntries(), expected);
    EXPECT_EQ(model->selectedKey(), QStringLiteral("Name"));
}

TEST_F(ModelFixture, WithACustomSchemeActiveAnEmptySlotKeepsThePreviousValues)
{
    writeSlot(1, QStringLiteral("Bytes"), 1);
    host.active = kFirstCustomScheme; // Custom 1 is checked
    load();
    ASSERT_TRUE(model->chooseSlot(2));
    EXPECT_EQ(model->schemeName(), QStringLiteral("Custom 3"));
    // Byte values of slot 1 stay: a slot choice copies only built-in variants.
    EXPECT_EQ(CustomSchemeText(model->scheme(), QString()), CustomSchemeText(builtIn(1), QString()));
}

// ------------------------------------------------------------------ commits

TEST_F(ModelFixture, NumbersAcceptDigitsWithOnePeriodAndMarkTheSlot)
{
    load();
    const CommitResult r = commit("RGBOutputBase", 1, QStringLiteral("1.5"));
    EXPECT_EQ(r.outcome, CommitOutcome::Accepted);
    EXPECT_EQ(model->scheme().Formats[TN_RGB].OutputBase[1], 1.5f);
    EXPECT_EQ(entry(0), QStringLiteral("Custom 1 (Changed)"));
    EXPECT_TRUE(model->Changed());
    EXPECT_TRUE(model->revertEnabled());
    // A second edit does not mark twice; "7." is seven.
    EXPECT_EQ(commit("CMYInputStep", 3, QStringLiteral("7.")).outcome, CommitOutcome::Accepted);
    EXPECT_EQ(model->scheme().Formats[TN_CMY].InputStep[3], 7.0f);
    EXPECT_EQ(commit("HSLInputLargeStep", 0, QStringLiteral(".25")).outcome, CommitOutcome::Accepted);
    EXPECT_EQ(model->scheme().Formats[TN_HSL].InputLargeStep[0], 0.25f);
    EXPECT_EQ(commit("HSBInputBase", 2, QStringLiteral("0")).outcome, CommitOutcome::Accepted);
    EXPECT_EQ(model->scheme().Formats[TN_HSB].InputBase[2], 0.0f);
    EXPECT_EQ(entry(0), QStringLiteral("Custom 1 (Changed)"));
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(ModelFixture, NumbersRefuseEverythingElseAndGiveTheStoredValueBack)
{
    load();
    for (const char *bad : {"1.2.3", ".", "", "-1", "1e3", "12a", " 5", "1,5"}) {
        SCOPED_TRACE(bad);
        messages.shown.clear();
        const CommitResult r = commit("RGBOutputBase", 0, QString::fromLatin1(bad));
        EXPECT_EQ(r.outcome, CommitOutcome::Refused);
        EXPECT_EQ(r.text, QStringLiteral("255"));
        ASSERT_EQ(messages.shown.size(), 1);
        EXPECT_EQ(messages.shown[0].title, QStringLiteral("Tintwell"));
        EXPECT_EQ(messages.shown[0].text, QStringLiteral("Only numbers and one period are allowed."));
        EXPECT_EQ(messages.shown[0].icon, MsgIcon::None);
        EXPECT_EQ(messages.shown[0].buttons, MsgButtons::Ok);
    }
    EXPECT_EQ(model->scheme().Formats[TN_RGB].OutputBase[0], 255.0f);
    EXPECT_FALSE(model->Changed());
    EXPECT_EQ(entry(0), QStringLiteral("Custom 1"));
}

TEST_F(ModelFixture, PatternsAcceptTheFourCharactersAndRefuseAnEmptyBox)
{
    load();
    EXPECT_EQ(commit("HSLOutputFormat", 2, QStringLiteral("#,##0.00")).outcome,
              CommitOutcome::Accepted);
    EXPECT_EQ(model->scheme().Formats[TN_HSL].OutputFormat[2], QStringLiteral("#,##0.00"));
    for (const char *bad : {"", "0.0.0", "0a", "0 "}) {
        SCOPED_TRACE(bad);
        messages.shown.clear();
        const CommitResult r = commit("RGBInputFormat", 1, QString::fromLatin1(bad));
        EXPECT_EQ(r.outcome, CommitOutcome::Refused);
        EXPECT_EQ(r.text, QStringLiteral("0"));
        ASSERT_EQ(messages.shown.size(), 1);
        EXPECT_EQ(messages.shown[0].text,
                  QStringLiteral("Only pound signs (#), zeros (0), commas (,) and one period are allowed."));
    }
    EXPECT_EQ(model->scheme().Formats[TN_RGB].InputFormat[1], QStringLiteral("0"));
}

TEST_F(ModelFixture, SeparatorsTakeAnyTextEvenNone)
{
    load();
    EXPECT_EQ(commit("RGBOutputSeparators", 1, QString()).outcome, CommitOutcome::Accepted);
    EXPECT_EQ(model->scheme().OutputSeparators[TN_RGB].LeftSeparator, QString());
    EXPECT_EQ(commit("HEXOutputSeparators", 0, QStringLiteral("0x")).outcome, CommitOutcome::Accepted);
    EXPECT_EQ(model->scheme().OutputSeparators[TN_HEX].LeftEnd, QStringLiteral("0x"));
    EXPECT_TRUE(model->Changed());
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(ModelFixture, EnterOnAnUnchangedValueMarksNothing)
{
    host.active = 3; // Decimal: fractions in every box
    load();
    for (const auto &[key, box] : {std::pair{"HSLInputLargeStep", 0}, {"RGBInputStep", 2},
                                   {"CMYOutputFormat", 1}, {"RGBOutputSeparators", 1},
                                   {"HTMFormatName", 0}, {"Name", 0}}) {
        SCOPED_TRACE(key);
        model->selectNode(QString::fromLatin1(key));
        const QString shown = model->display().values.at(box);
        EXPECT_EQ(model->commitBox(box, shown).outcome, CommitOutcome::Unchanged);
    }
    EXPECT_FALSE(model->Changed());
    EXPECT_FALSE(model->revertEnabled());
    EXPECT_EQ(entry(0), QStringLiteral("Custom 1"));
    // A format node has no boxes to commit.
    EXPECT_EQ(commit("RGB", 0, QStringLiteral("x")).outcome, CommitOutcome::Ignored);
    EXPECT_EQ(host.formatNameRefreshes, 0);
}

TEST_F(ModelFixture, SchemeNameChangeMarksTheEntryAtOnceWithinSixtyFourCharacters)
{
    load();
    EXPECT_EQ(commit("Name", 0, QStringLiteral("Warm")).outcome, CommitOutcome::Accepted);
    EXPECT_EQ(entry(0), QStringLiteral("Warm (Changed)"));
    EXPECT_EQ(model->schemeName(), QStringLiteral("Warm"));
    EXPECT_TRUE(model->revertEnabled());
    const QString longName(70, u'n');
    EXPECT_EQ(commit("Name", 0, longName).text, longName.left(64));
    EXPECT_EQ(model->schemeName(), longName.left(64));
    // Value boxes hold eight characters.
    EXPECT_EQ(commit("RGBInputBase", 0, QStringLiteral("1234567890")).text, QStringLiteral("12345678"));
    EXPECT_EQ(model->scheme().Formats[TN_RGB].InputBase[0], 12345678.0f);
}

TEST_F(ModelFixture, FormatNameChangeRebuildsTheTreeAndTellsTheMainWindow)
{
    load();
    const CommitResult r = commit("HEXFormatName", 0, QStringLiteral("&Hex value, long name"));
    EXPECT_TRUE(r.treeChanged);
    EXPECT_EQ(host.formatNameRefreshes, 1);
    EXPECT_EQ(model->display().caption,
              QStringLiteral("&Advanced Formatting Options - Hex value, long name Format Name"));
    EXPECT_EQ(entry(0), QStringLiteral("Custom 1 (Changed)"));
    EXPECT_FALSE(commit("HEXOutputSeparators", 3, QStringLiteral("h")).treeChanged);
}

// ------------------------------------------------------------ choosing a slot

TEST_F(ModelFixture, CancelAtTheSlotPromptKeepsSlotAndChanges)
{
    load();
    commit("RGBOutputBase", 0, QStringLiteral("1.5"));
    messages.answers = {MsgResult::Cancel};
    EXPECT_FALSE(model->chooseSlot(2));
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].title, QStringLiteral("Format Scheme Changed"));
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("Save changes to format scheme?"));
    EXPECT_EQ(messages.shown[0].icon, MsgIcon::Question);
    EXPECT_EQ(messages.shown[0].buttons, MsgButtons::YesNoCancel);
    EXPECT_EQ(model->CurrentSlot(), 0);
    EXPECT_TRUE(model->Changed());
    EXPECT_EQ(model->scheme().Formats[TN_RGB].OutputBase[0], 1.5f);
    EXPECT_EQ(entry(0), QStringLiteral("Custom 1 (Changed)"));
    EXPECT_FALSE(QFile::exists(slot(1)));
}

TEST_F(ModelFixture, NoAtTheSlotPromptDropsTheChangesYesSavesThem)
{
    load();
    commit("Name", 0, QStringLiteral("Dropped"));
    messages.answers = {MsgResult::No};
    ASSERT_TRUE(model->chooseSlot(1));
    EXPECT_EQ(entry(0), QStringLiteral("Custom 1"));
    EXPECT_FALSE(QFile::exists(slot(1)));
    EXPECT_FALSE(model->Changed());
    EXPECT_FALSE(model->revertEnabled());

    commit("Name", 0, QStringLiteral("Saved"));
    messages.answers = {MsgResult::Yes};
    ASSERT_TRUE(model->chooseSlot(0));
    EXPECT_EQ(entry(1), QStringLiteral("Saved"));
    EXPECT_EQ(model->CurrentSlot(), 0);
    EXPECT_EQ(model->schemeName(), QStringLiteral("Custom 1"));
    EXPECT_EQ(CustomSlotNames(dir.path())[1], QStringLiteral("Saved"));
    EXPECT_EQ(host.slotNameRefreshes, 1);
}

// ------------------------------------------------------- save, revert, delete

TEST_F(ModelFixture, SaveWritesTheSlotAndReloadsItOnlyWhenActive)
{
    load();
    commit("RGBOutputSeparators", 0, QStringLiteral("rgb("));
    ASSERT_TRUE(model->Save());
    EXPECT_EQ(fileBytes(slot(1)), CustomSchemeText(model->scheme(), QStringLiteral("Custom 1")));
    EXPECT_TRUE(host.reloads.isEmpty());
    EXPECT_TRUE(model->deleteEnabled());
    EXPECT_FALSE(model->revertEnabled());
    EXPECT_FALSE(model->Changed());

    host.active = kFirstCustomScheme + 2;
    ASSERT_TRUE(model->chooseSlot(2));
    commit("Name", 0, QStringLiteral("Active"));
    ASSERT_TRUE(model->Save());
    EXPECT_EQ(host.reloads, QList<int>{kFirstCustomScheme + 2});
    EXPECT_EQ(entry(2), QStringLiteral("Active"));
    EXPECT_EQ(host.slotNameRefreshes, 2);
}

TEST_F(ModelFixture, AFailedSaveSaysSoAndKeepsTheChanges)
{
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
    EXPECT_TRUE(model->Changed());
    EXPECT_TRUE(model->revertEnabled());
    EXPECT_EQ(entry(0), QStringLiteral("Unsaved (Changed)"));
    EXPECT_EQ(fileBytes(blocker), QByteArray("not a folder"));
    EXPECT_EQ(host.slotNameRefreshes, 0);
    // Choosing another slot and answering Yes keeps the slot when the save fails.
    messages.answers = {MsgResult::Yes};
    EXPECT_FALSE(model->chooseSlot(1));
    EXPECT_EQ(model->CurrentSlot(), 0);
}

TEST_F(ModelFixture, RevertAsksAndReadsTheSlotAgain)
{
    writeSlot(2, QStringLiteral("Second"), 2);
    load();
    ASSERT_TRUE(model->chooseSlot(1));
    commit("RGBInputBase", 0, QStringLiteral("42"));
    messages.answers = {MsgResult::No};
    EXPECT_FALSE(model->Revert());
    EXPECT_EQ(model->scheme().Formats[TN_RGB].InputBase[0], 42.0f);
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].title, QStringLiteral("Lose Changes"));
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("Are you sure?"));
    EXPECT_EQ(messages.shown[0].buttons, MsgButtons::YesNo);
    EXPECT_TRUE(model->Revert());
    EXPECT_EQ(model->scheme().Formats[TN_RGB].InputBase[0], 100.0f); // Percentage
    EXPECT_EQ(entry(1), QStringLiteral("Second"));
    EXPECT_FALSE(model->Changed());
    EXPECT_FALSE(model->revertEnabled());
}

TEST_F(ModelFixture, RevertOfAnEmptySlotHonoursTheActiveScheme)
{
    // Standard active: the defaults come back.
    load();
    commit("RGBInputBase", 0, QStringLiteral("42"));
    EXPECT_TRUE(model->Revert());
    EXPECT_EQ(CustomSchemeText(model->scheme(), QString()), CustomSchemeText(builtIn(0), QString()));

    // Custom 3 (Decimal values) active: its file is read instead.
    writeSlot(3, QStringLiteral("Third"), 3);
    host.active = kFirstCustomScheme + 2;
    commit("RGBInputBase", 0, QStringLiteral("42"));
    EXPECT_TRUE(model->Revert());
    EXPECT_EQ(model->schemeName(), QStringLiteral("Custom 1"));
    EXPECT_EQ(CustomSchemeText(model->scheme(), QString()), CustomSchemeText(builtIn(3), QString()));
}

TEST_F(ModelFixture, DeleteOfTheActiveSlotSwitchesTheMainWindowToStandard)
{
    writeSlot(1, QStringLiteral("First"));
    writeSlot(2, QStringLiteral("Second"), 1);
    host.active = kFirstCustomScheme + 1;
    load();
    messages.answers = {MsgResult::No};
    EXPECT_FALSE(model->Delete());
    EXPECT_TRUE(QFile::exists(slot(1)));
    EXPECT_EQ(messages.shown[0].title, QStringLiteral("Delete Custom Formatting"));

    ASSERT_TRUE(model->Delete()); // slot 1, not the active one
    EXPECT_FALSE(QFile::exists(slot(1)));
    EXPECT_TRUE(host.reloads.isEmpty());
    EXPECT_FALSE(model->deleteEnabled());
    EXPECT_EQ(model->schemeName(), QStringLiteral("Custom 1"));
    EXPECT_EQ(host.slotNameRefreshes, 1);

    ASSERT_TRUE(model->chooseSlot(1));
    commit("Name", 0, QStringLiteral("Doomed"));
    ASSERT_TRUE(model->Delete());
    EXPECT_FALSE(QFile::exists(slot(2)));
    EXPECT_EQ(host.reloads, QList<int>{0});
    EXPECT_EQ(entry(1), QStringLiteral("Custom 2"));
    EXPECT_FALSE(model->Changed());
    EXPECT_FALSE(model->revertEnabled());
}

// ------------------------------------------------------------ import, export

TEST_F(ModelFixture, ImportIntoAFullSetOfSlotsSaysSoAndCopiesNothing)
{
    for (int n = 1; n <= 5; ++n)
        writeSlot(n, QStringLiteral("Slot %1").arg(n));
    load();
    EXPECT_FALSE(model->importAvailable());
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].title, QStringLiteral("No Available Format Slots"));
    EXPECT_EQ(messages.shown[0].text,
              QStringLiteral("There are no available format scheme slots. Delete\n"
                             "one of the current format schemes and import again."));
    EXPECT_EQ(messages.shown[0].icon, MsgIcon::Information);
    const QString source = dir.filePath(QStringLiteral("in.tnf"));
    writeBytes(source, CustomSchemeText(builtIn(1), QStringLiteral("Imported")));
    EXPECT_FALSE(model->Import(source));
    EXPECT_EQ(CustomSlotNames(dir.path())[4], QStringLiteral("Slot 5"));
}

TEST_F(ModelFixture, ImportFillsTheLowestFreeSlotAndEditsIt)
{
    writeSlot(1, QStringLiteral("One"));
    writeSlot(3, QStringLiteral("Three"));
    load();
    const QString source = dir.filePath(QStringLiteral("in.tnf"));
    const QByteArray bytes = CustomSchemeText(builtIn(2), QStringLiteral("Imported"));
    writeBytes(source, bytes);
    ASSERT_TRUE(model->importAvailable());
    EXPECT_EQ(model->Import(source), 2);
    EXPECT_EQ(fileBytes(slot(2)), bytes);
    EXPECT_EQ(model->CurrentSlot(), 1);
    EXPECT_EQ(entry(1), QStringLiteral("Imported"));
    EXPECT_EQ(model->schemeName(), QStringLiteral("Imported"));
    EXPECT_TRUE(model->deleteEnabled());
    EXPECT_EQ(host.slotNameRefreshes, 1);
}

TEST_F(ModelFixture, ImportWithUnsavedChangesAsksFirst)
{
    load();
    commit("Name", 0, QStringLiteral("Pending"));
    messages.answers = {MsgResult::Cancel};
    EXPECT_FALSE(model->importAvailable());
    EXPECT_TRUE(model->Changed());
    EXPECT_EQ(messages.shown.last().title, QStringLiteral("Format Scheme Changed"));
}

TEST_F(ModelFixture, ExportCopiesTheSavedFileAndAddsTheExtension)
{
    writeSlot(1, QStringLiteral("Out"));
    load();
    commit("Name", 0, QStringLiteral("Unsaved edit"));
    const QString target = dir.filePath(QStringLiteral("sub.dir/scheme"));
    ASSERT_TRUE(QDir().mkpath(dir.filePath(QStringLiteral("sub.dir"))));
    ASSERT_TRUE(model->Export(target));
    EXPECT_EQ(fileBytes(target + QStringLiteral(".tnf")), fileBytes(slot(1)));
    EXPECT_FALSE(QFile::exists(target));
    ASSERT_TRUE(model->Export(dir.filePath(QStringLiteral("named.txt"))));
    EXPECT_EQ(fileBytes(dir.filePath(QStringLiteral("named.txt"))), fileBytes(slot(1)));
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(ModelFixture, ExportOfASlotWithoutFileSaysNoSchemeFound)
{
    load();
    EXPECT_FALSE(model->Export(dir.filePath(QStringLiteral("x.tnf"))));
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].title, QStringLiteral("No Scheme Found"));
    EXPECT_EQ(messages.shown[0].text,
              QStringLiteral("The current scheme is no longer available for export."));
    EXPECT_EQ(messages.shown[0].icon, MsgIcon::Exclamation);
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("x.tnf"))));
}

TEST_F(ModelFixture, AHandWrittenFileSurvivesImportExportAndAnUnchangedSave)
{
    // CR LF, Windows-1252 bytes above 127 in two names, a two-line script.
    QByteArray text = "Caf\xE9 \x80 scheme\r\nv1.00\r\n";
    const FormatScheme decimal = builtIn(3);
    const QByteArray reference = CustomSchemeText(decimal, QStringLiteral("x"));
    text += reference.mid(reference.indexOf("v1.00\r\n") + 7);
    text.replace("&Decimal\r\n0\r\n0\r\n", "D\xE9\x63imal\r\n2\r\nx = 1\r\ny = 2\r\n0\r\n");
    ASSERT_TRUE(text.contains("D\xE9\x63imal"));
    const QString source = dir.filePath(QStringLiteral("hand.tnf"));
    writeBytes(source, text);

    load();
    ASSERT_TRUE(model->importAvailable());
    ASSERT_EQ(model->Import(source), 1);
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_EQ(model->schemeName(), QStringLiteral("Caf\u00E9 \u20AC scheme"));
    EXPECT_EQ(model->scheme().Info[TN_DEC].ExportScript, QStringLiteral("x = 1\r\ny = 2"));
    const QString out = dir.filePath(QStringLiteral("out"));
    ASSERT_TRUE(model->Export(out));
    EXPECT_EQ(fileBytes(out + QStringLiteral(".tnf")), text);
    ASSERT_TRUE(model->Save());
    EXPECT_EQ(fileBytes(slot(1)), text);
}

TEST_F(ModelFixture, AnImportedFileThatIsNoSchemeReadsWithTheReaderFallback)
{
    const QString source = dir.filePath(QStringLiteral("notes.txt"));
    writeBytes(source, "just some notes\r\nnothing else");
    load();
    ASSERT_EQ(model->Import(source), 1);
    // The reader reports its errors and stops at the third; the name is line 0.
    ASSERT_GE(messages.shown.size(), 2);
    EXPECT_EQ(messages.shown.first().title, QStringLiteral("Error"));
    EXPECT_EQ(messages.shown.last().title, QStringLiteral("Aborting Load"));
    EXPECT_EQ(model->schemeName(), QStringLiteral("just some notes"));
    EXPECT_EQ(entry(0), QStringLiteral("just some notes"));
    for (const TreeNode &node : TreeNodes(model->scheme())) {
        model->selectNode(node.key);
        EXPECT_FALSE(model->display().caption.isEmpty()) << node.key.toStdString();
    }
}

// ------------------------------------------------------------------ scripts

TEST_F(ModelFixture, ScriptsGoToTheEditorAndComeBackOnlyWhenChanged)
{
    load();
    model->selectNode(QStringLiteral("HEX"));
    model->openScript(false);
    EXPECT_EQ(model->CurrentScript(), TN_HEX + 1);
    EXPECT_EQ(editor.codesSet, QStringList{QString()});
    EXPECT_EQ(editor.shows, 1);

    model->SaveScript(); // nothing edited
    EXPECT_FALSE(model->Changed());
    EXPECT_EQ(model->CurrentScript(), TN_HEX + 1);

    editor.type(QStringLiteral("tnExport.Text = \"x\""));
    model->SaveScript();
    EXPECT_EQ(model->scheme().Info[TN_HEX].ExportScript, QStringLiteral("tnExport.Text = \"x\""));
    EXPECT_TRUE(model->Changed());
    EXPECT_TRUE(model->revertEnabled());
    EXPECT_FALSE(editor.changed);
    EXPECT_EQ(model->CurrentScript(), 0);
    // A script taken back does not mark the entry.
    EXPECT_EQ(entry(0), QStringLiteral("Custom 1"));

    model->selectNode(QStringLiteral("CMY"));
    model->openScript(true);
    EXPECT_EQ(model->CurrentScript(), TN_CMY + 8);
    editor.type(QStringLiteral("conv"));
    model->selectNode(QStringLiteral("RGB"));
    model->openScript(false); // takes the converter script back first
    EXPECT_EQ(model->scheme().Info[TN_CMY].ConverterScript, QStringLiteral("conv"));
    EXPECT_EQ(model->CurrentScript(), TN_RGB + 1);
}

TEST_F(ModelFixture, RevertAndDeleteGiveTheEditorTheSchemeScriptBack)
{
    writeSlot(1, QStringLiteral("One"));
    load();
    model->selectNode(QStringLiteral("HTM"));
    model->openScript(true);
    editor.type(QStringLiteral("edited"));
    commit("Name", 0, QStringLiteral("Other"));
    ASSERT_TRUE(model->Revert());
    EXPECT_EQ(editor.text, QString());
    EXPECT_FALSE(editor.changed);

    editor.type(QStringLiteral("again"));
    ASSERT_TRUE(model->Delete());
    EXPECT_EQ(editor.text, QString());
    EXPECT_FALSE(editor.changed);
}

TEST_F(ModelFixture, ClosingTakesTheScriptBackAndOffersToSave)
{
    load();
    model->selectNode(QStringLiteral("DEC"));
    model->openScript(false);
    editor.type(QStringLiteral("s"));
    messages.answers = {MsgResult::Cancel};
    EXPECT_FALSE(model->closeRequested());
    EXPECT_EQ(model->scheme().Info[TN_DEC].ExportScript, QStringLiteral("s"));
    messages.answers = {MsgResult::No};
    EXPECT_TRUE(model->closeRequested());
    EXPECT_FALSE(model->Changed());
    EXPECT_EQ(model->scheme().Info[TN_DEC].ExportScript, QString());
    EXPECT_FALSE(QFile::exists(slot(1)));

    commit("Name", 0, QStringLiteral("Kept"));
    messages.answers = {MsgResult::Yes};
    EXPECT_TRUE(model->closeRequested());
    EXPECT_EQ(CustomSlotNames(dir.path())[0], QStringLiteral("Kept"));
}

} // namespace
} // namespace tintwell
