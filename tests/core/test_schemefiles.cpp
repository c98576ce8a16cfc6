#include "support/files.h"
#include "core/schemefiles.h"
#include "core/usermessages.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "../support/filesizelimit.h"

using namespace tintwell;

namespace {

FormatScheme standardScheme()
{
    FormatScheme s;
    RecordingMessages messages;
    LoadScheme(s, 0, messages, QString());
    return s;
}

} // namespace

TEST(SlotFile, StandardScheme135CrLfLinesWithShortPlainNumbers)
{
    FormatScheme s = standardScheme();
    QByteArray text = CustomSchemeText(s, "Mine");
    EXPECT_EQ(text.count("\r\n"), 135);
    EXPECT_EQ(text.count('\r'), 135) << "a CR without LF";
    QList<QByteArray> lines = text.split('\n');
    const std::pair<int, QByteArray> known[] = {{0, "Mine"}, {1, "v1.00"}, {2, "255"}, {86, ""},
                                                {87, ","},   {114, "&RGB"}, {115, "0"}, {116, "0"}};
    for (const auto &[line, value] : known)
        EXPECT_EQ(lines[line], value + "\r") << line;

    s.Formats[TN_RGB].InputBase = {0.16666f, 0.01f, 1234567.0f, 1e10f};
    s.Formats[TN_RGB].InputStep = {-2.5f, 0.000125f, 100.0f, 0.0f};
    lines = CustomSchemeText(s, "n").split('\n');
    EXPECT_EQ(lines.mid(2, 8), QList<QByteArray>({"0.16666\r", "0.01\r", "1234567\r", "10000000000\r", "-2.5\r",
                                                  "0.000125\r", "100\r", "0\r"}));
}

TEST(SlotFile, WriteThenLoadGivesTheSameScheme)
{
    QTemporaryDir dir;
    FormatScheme out;
    RecordingMessages messages;
    LoadScheme(out, 3, messages, QString());
    out.Formats[TN_HSL].OutputFormat = {"#,##0.0", "0%", "0"};
    out.OutputSeparators[TN_HTML] = {"#", "", "", ";"};
    out.Info[TN_RGB].ExportScript = "a\r\nb";
    out.Info[TN_HEX].ConverterScript = "x\r\n";
    out.Info[TN_DEC].FormatName = "D\u00e9c \u20ac";
    ASSERT_TRUE(WriteCustomScheme(out, "Caf\u00e9", 2, dir.path(), messages));

    const QByteArray text = test::fileBytes(SlotFilePath(dir.path(), 2));
    EXPECT_TRUE(text.startsWith("Caf\xe9\r\nv1.00\r\n"));
    EXPECT_TRUE(text.contains("&RGB\r\n2\r\na\r\nb\r\n0\r\n"));
    EXPECT_TRUE(text.contains("He&xadecimal\r\n0\r\n2\r\nx\r\n\r\n"));
    FormatScheme in;
    EXPECT_EQ(LoadScheme(in, kFirstCustomScheme + 1, messages, dir.path()), 0);
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_EQ(in.Info[TN_DEC].FormatName, "D\u00e9c \u20ac");
    // Rewriting what was read gives the same bytes: every field came back.
    EXPECT_EQ(CustomSchemeText(in, in.CustomNames[1]), text);

    // A line break inside a name cannot shift the layout.
    out.Info[TN_RGB].FormatName = "R\r\nG";
    out.OutputSeparators[TN_CMY].RightEnd = "\r\n";
    QString name;
    EXPECT_EQ(LoadCustomSchemeFromText(in, name, CustomSchemeText(out, "two\r\nlines"), messages).errors, 0);
    EXPECT_EQ(name, "twolines");
    EXPECT_EQ(in.Info[TN_RGB].FormatName, "RG");
}

TEST(SlotFile, MissingSlotsLoadNothingAndSayNothing)
{
    QTemporaryDir dir;
    FormatScheme s = standardScheme();
    s.CustomNames[0] = "kept";
    RecordingMessages messages;
    int calls = 0;
    for (int index = kFirstCustomScheme; index < kSchemeCount; ++index)
        EXPECT_EQ(LoadScheme(s, index, messages, dir.path(), [&] { ++calls; }), 1);
    EXPECT_EQ(calls, 5);
    EXPECT_EQ(s.CustomNames[0], "kept");
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST(SlotFile, DamagedFileCountsErrorsWithItsOwnWording)
{
    FormatScheme s = standardScheme();
    s.Info[TN_HTML].ExportScript = "0"; // a one-line script that reads like a count
    QList<QByteArray> lines = CustomSchemeText(s, "d").split('\n');
    ASSERT_EQ(lines[127], "1\r");
    lines[2] = "many\r";  // RGB InputBase 0
    lines[127] = "1.5\r"; // HTML export count: not a whole number
    s.Formats[TN_RGB].InputBase[0] = 42;
    s.Info[TN_HTML].ExportScript = "old";
    QString name;
    RecordingMessages messages;
    const SchemeLoadResult r = LoadCustomSchemeFromText(s, name, lines.join('\n'), messages);
    EXPECT_EQ(r.errors, 3);
    EXPECT_TRUE(r.aborted);
    ASSERT_EQ(messages.shown.size(), 4);
    EXPECT_EQ(messages.shown[0].text, "There was an error reading the custom format:\nError: 13\nType mismatch");
    EXPECT_EQ(messages.shown[3].text, "There have been more than 3 errors loading this custom format. Aborting.");
    EXPECT_EQ(s.Formats[TN_RGB].InputBase, (std::array<float, 4>{42, 255, 255, 255}));
    // A failed count reads no lines, so the rest shifts by one: the script line
    // "0" became the converter count, the real one the next name, and that name
    // as a count is the third error.
    EXPECT_EQ(QStringList({s.Info[TN_HTML].ExportScript, s.Info[TN_HTML].ConverterScript, s.Info[TN_HEX].FormatName}),
              QStringList({"old", "", "0"}));

    RecordingMessages cut; // cut after the numbers: separators are missing lines
    EXPECT_TRUE(LoadCustomSchemeFromText(s, name, lines.mid(0, 80).join('\n'), cut).aborted);
    EXPECT_EQ(cut.shown.size(), 4);
    lines[127] = "2000000000\r"; // a count far beyond the file ends in the abort, not a long loop
    EXPECT_TRUE(LoadCustomSchemeFromText(s, name, lines.join('\n'), cut).aborted);
}

TEST(WriteCustomScheme, ReplacesTheOldFileOnlyWhenWrittenWhole)
{
    QTemporaryDir dir;
    RecordingMessages messages;
    test::writeBytes(SlotFilePath(dir.path(), 1), "old");
    ASSERT_TRUE(WriteCustomScheme(standardScheme(), "new", 1, dir.path(), messages));
    EXPECT_TRUE(test::fileBytes(SlotFilePath(dir.path(), 1)).startsWith("new\r\nv1.00\r\n"));

    bool written = true;
    {
        test::FileSizeLimit full(8); // the write stops short, as on a full disk
        ASSERT_TRUE(full.ok());
        written = WriteCustomScheme(standardScheme(), "newer", 1, dir.path(), messages);
    }
    EXPECT_FALSE(written);
    EXPECT_TRUE(test::fileBytes(SlotFilePath(dir.path(), 1)).startsWith("new\r\nv1.00\r\n"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1) << "no temporary left";

    const QString blocked = dir.filePath("blocked"); // a file as the folder: even root cannot write
    test::writeBytes(blocked, "file");
    EXPECT_FALSE(WriteCustomScheme(standardScheme(), "x", 1, blocked, messages));
    ASSERT_EQ(messages.shown.size(), 2);
    for (const auto &m : messages.shown) {
        EXPECT_EQ(m.title, "Error");
        EXPECT_EQ(m.icon, MsgIcon::Exclamation);
        EXPECT_TRUE(m.text.contains("The old file is unchanged."));
    }
    EXPECT_EQ(test::fileBytes(blocked), "file");
}

TEST(LoadScriptFrames, ReadsWholeFilesAndCreatesMissingOnes)
{
    QTemporaryDir dir;
    test::writeBytes(dir.filePath("HeaderJS.h"), "var x = 1;\r\n\xe9");
    const ScriptFrames frames = LoadScriptFrames(dir.path());
    EXPECT_EQ(QStringList({frames.Header[0], frames.Header[1], frames.Footer[1]}),
              QStringList({"", "var x = 1;\r\n\u00e9", ""}));
    EXPECT_TRUE(QFile::exists(dir.filePath("FooterVB.h")));
    const ScriptFrames none = LoadScriptFrames(dir.filePath("HeaderJS.h")); // a file as the folder
    EXPECT_EQ(QStringList({none.Header[0], none.Header[1], none.Footer[0], none.Footer[1]}), QStringList(4, ""));
}
