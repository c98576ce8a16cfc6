// Reading and writing palette texts in memory: the failure messages, the
// limits of each layout and the round trips.

#include "palette/palettefile.h"

#include <gtest/gtest.h>

#include <QStringList>

namespace tintwell {
namespace {

constexpr std::int32_t rgb(int r, int g, int b) { return r | (g << 8) | (b << 16); }

// A JASC text from its lines, with the given line end after every line.
QByteArray jasc(const QList<QByteArray> &lines, const QByteArray &eol = "\r\n")
{
    QByteArray out;
    for (const QByteArray &line : lines)
        out += line + eol;
    return out;
}

QList<QByteArray> entryLines(int count, int offset = 0)
{
    QList<QByteArray> lines;
    for (int i = 0; i < count; ++i) {
        const int v = (i + offset) % 256;
        lines << QByteArray::number(v) + ' ' + QByteArray::number(255 - v) + ' ' +
                     QByteArray::number((v * 7) % 256);
    }
    return lines;
}

std::int32_t entryColor(int i, int offset = 0)
{
    const int v = (i + offset) % 256;
    return rgb(v, 255 - v, (v * 7) % 256);
}

// A bitmap file as far as the colour table reader looks: signature, depth at
// 28, colours used at 46, the table from 54 as blue, green, red, 0.
QByteArray bmp(int bits, int used, const QList<std::int32_t> &table, const char *magic = "BM")
{
    QByteArray out(54, '\0');
    out[0] = magic[0];
    out[1] = magic[1];
    out[14] = 40;
    out[28] = char(bits);
    out[46] = char(used);
    for (const std::int32_t c : table) {
        out += char((c >> 16) & 0xFF);
        out += char((c >> 8) & 0xFF);
        out += char(c & 0xFF);
        out += '\0';
    }
    return out;
}

QList<std::int32_t> distinctColors(int count)
{
    QList<std::int32_t> colors;
    for (int i = 0; i < count; ++i)
        colors << rgb(i, (200 + 3 * i) % 256, (7 * i + 1) % 256);
    return colors;
}

PaletteTable varied()
{
    PaletteTable t{};
    for (int i = 0; i < 256; ++i)
        t[i] = rgb(i, (i * 37 + 11) % 256, 255 - i);
    return t;
}

void expectBlackFrom(const PaletteTable &colors, int first)
{
    for (int i = first; i < 256; ++i)
        ASSERT_EQ(colors[i], 0) << "entry " << i;
}

struct FailureCase {
    const char *name;
    QByteArray text;
    PaletteKind kind;
    const char *message;
};

class FailureTable : public ::testing::TestWithParam<FailureCase> {};

TEST_P(FailureTable, ShowsTheMessageAndYieldsBlack)
{
    const FailureCase &c = GetParam();
    RecordingMessages messages;
    const PaletteReadResult result = ReadPalette(c.text, c.kind, messages);
    EXPECT_FALSE(result.ok);
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].title, QStringLiteral("Error"));
    EXPECT_EQ(messages.shown[0].text, QString::fromLatin1(c.message));
    EXPECT_EQ(messages.shown[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(messages.shown[0].buttons, MsgButtons::Ok);
    expectBlackFrom(result.colors, 0);
}

QByteArray riffOfSize(qsizetype size)
{
    QByteArray text = WriteRiff(varied());
    text.resize(size, '\x7F');
    return text;
}

QByteArray actOfSize(qsizetype size)
{
    QByteArray text = WriteAct(varied());
    text.resize(size, '\x7F');
    return text;
}

INSTANTIATE_TEST_SUITE_P(
    Palette, FailureTable,
    ::testing::Values(
        FailureCase{"JascWithoutLineBreak", "JASC-PAL 0100 2 1 2 3 4 5 6", PaletteKind::Pal,
                    "File Format Unknown"},
        FailureCase{"JascTwoLines", "JASC-PAL\r\n0100", PaletteKind::Pal, "File Format Unknown"},
        FailureCase{"JascNonNumericCount", jasc({"JASC-PAL", "0100", "many", "1 2 3"}),
                    PaletteKind::Pal, "File Format Unknown"},
        FailureCase{"JascEmptyCount", jasc({"JASC-PAL", "0100", "", "1 2 3"}), PaletteKind::Pal,
                    "File Format Unknown"},
        FailureCase{"Riff1047", riffOfSize(1047), PaletteKind::Pal, "File Format Unknown"},
        FailureCase{"Riff1049", riffOfSize(1049), PaletteKind::Pal, "File Format Unknown"},
        FailureCase{"PalNeither", "GIMP Palette\nName: x\n", PaletteKind::Pal,
                    "File Format Unknown"},
        FailureCase{"PalEmpty", "", PaletteKind::Pal, "File Format Unknown"},
        FailureCase{"Act769", actOfSize(769), PaletteKind::Act, "Invalid ACT File"},
        FailureCase{"Act772", actOfSize(772), PaletteKind::Act, "Invalid ACT File"},
        FailureCase{"Act767", actOfSize(767), PaletteKind::Act, "Invalid ACT File"},
        FailureCase{"ActEmpty", "", PaletteKind::Act, "Invalid ACT File"},
        FailureCase{"BmpWrongMagic", bmp(8, 0, distinctColors(4), "MB"), PaletteKind::Bmp,
                    "File Format Unknown"},
        FailureCase{"BmpEmpty", "", PaletteKind::Bmp, "File Format Unknown"},
        FailureCase{"Bmp24Bit", bmp(24, 0, {}), PaletteKind::Bmp,
                    "True color (24 bit) bitmaps not supported."},
        FailureCase{"Bmp16Bit", bmp(16, 0, distinctColors(4)), PaletteKind::Bmp,
                    "File Format Unknown"},
        FailureCase{"Bmp32Bit", bmp(32, 0, {}), PaletteKind::Bmp, "File Format Unknown"},
        FailureCase{"Bmp3Bit", bmp(3, 0, distinctColors(8)), PaletteKind::Bmp,
                    "File Format Unknown"},
        FailureCase{"BmpSignatureOnly", "BM", PaletteKind::Bmp, "File Format Unknown"}),
    [](const ::testing::TestParamInfo<FailureCase> &info) { return std::string(info.param.name); });

TEST(JascRead, CountDecidesHowManyEntriesAreRead)
{
    // 16 entries fill 0..15.
    PaletteReadResult r = ParsePalette(jasc(QList<QByteArray>{"JASC-PAL", "0100", "16"} + entryLines(16)),
                                       PaletteKind::Pal);
    ASSERT_TRUE(r.ok);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(r.colors[i], entryColor(i)) << i;
    expectBlackFrom(r.colors, 16);

    // 300 lines, count 300: only the first 256.
    r = ParsePalette(jasc(QList<QByteArray>{"JASC-PAL", "0100", "300"} + entryLines(300, 1)),
                     PaletteKind::Pal);
    ASSERT_TRUE(r.ok);
    for (int i = 0; i < 256; ++i)
        ASSERT_EQ(r.colors[i], entryColor(i, 1)) << i;

    // Count 256 but 10 lines: 10 colours, no message.
    RecordingMessages messages;
    r = ReadPalette(jasc(QList<QByteArray>{"JASC-PAL", "0100", "256"} + entryLines(10, 5)),
                    PaletteKind::Pal, messages);
    EXPECT_TRUE(r.ok);
    EXPECT_TRUE(messages.shown.isEmpty());
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(r.colors[i], entryColor(i, 5)) << i;
    expectBlackFrom(r.colors, 10);

    // A count smaller than the lines leaves the lines after it unread.
    r = ParsePalette(jasc(QList<QByteArray>{"JASC-PAL", "0100", "3"} + entryLines(8, 1)),
                     PaletteKind::Pal);
    EXPECT_EQ(r.colors[2], entryColor(2, 1));
    expectBlackFrom(r.colors, 3);

    // A count of a million is cut to 256 and does not wait for lines that never come.
    r = ParsePalette(jasc(QList<QByteArray>{"JASC-PAL", "0100", "1000000"} + entryLines(256, 2)),
                     PaletteKind::Pal);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.colors[255], entryColor(255, 2));

    // Zero and negative counts read nothing, successfully.
    for (const char *count : {"0", "-5"}) {
        r = ParsePalette(jasc(QList<QByteArray>{"JASC-PAL", "0100", count} + entryLines(4, 1)),
                         PaletteKind::Pal);
        EXPECT_TRUE(r.ok) << count;
        expectBlackFrom(r.colors, 0);
    }
}

TEST(JascRead, MalformedEntryLinesStayBlackAndReadingGoesOn)
{
    const QByteArray text = jasc({"JASC-PAL", "0100", "9",
                                  "10 20 30",        // 0 read
                                  "40 50",           // 1 two numbers: black
                                  "1 2 3 4 5",       // 2 extra pieces ignored
                                  "300 256 1000",    // 3 above 255 counts as 255
                                  "40000 1 1",       // 4 beyond a 16-bit integer: black
                                  "-1 2 3",          // 5 negative: black
                                  "1  2 3",          // 6 two spaces make an empty piece: black
                                  "12.5 13.5 0.4",   // 7 rounded half to even
                                  "a b c"});         // 8 not numbers: black
    RecordingMessages messages;
    const PaletteReadResult r = ReadPalette(text, PaletteKind::Pal, messages);
    ASSERT_TRUE(r.ok);
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_EQ(r.colors[0], rgb(10, 20, 30));
    EXPECT_EQ(r.colors[1], 0);
    EXPECT_EQ(r.colors[2], rgb(1, 2, 3));
    EXPECT_EQ(r.colors[3], rgb(255, 255, 255));
    EXPECT_EQ(r.colors[4], 0);
    EXPECT_EQ(r.colors[5], 0);
    EXPECT_EQ(r.colors[6], 0);
    EXPECT_EQ(r.colors[7], rgb(12, 14, 0));
    EXPECT_EQ(r.colors[8], 0);
}

TEST(JascRead, LineEndsAndSignatureCase)
{
    const QList<QByteArray> lines = QList<QByteArray>{"JASC-PAL", "0100", "20"} + entryLines(20, 9);
    const PaletteReadResult crlf = ParsePalette(jasc(lines), PaletteKind::Pal);
    const PaletteReadResult lf = ParsePalette(jasc(lines, "\n"), PaletteKind::Pal);
    ASSERT_TRUE(crlf.ok);
    ASSERT_TRUE(lf.ok);
    EXPECT_EQ(crlf.colors, lf.colors);
    EXPECT_EQ(lf.colors[19], entryColor(19, 9));

    // Mixed line ends, lower-case signature, no line end after the last entry.
    QByteArray mixed = "jasc-pal\n0100\r\n2\n7 8 9\r\n1 2 3";
    const PaletteReadResult m = ParsePalette(mixed, PaletteKind::Pal);
    ASSERT_TRUE(m.ok);
    EXPECT_EQ(m.colors[0], rgb(7, 8, 9));
    EXPECT_EQ(m.colors[1], rgb(1, 2, 3));

    // The version line is never checked.
    const PaletteReadResult v = ParsePalette("JASC-PAL\r\nxyz\r\n1\r\n5 6 7\r\n", PaletteKind::Pal);
    ASSERT_TRUE(v.ok);
    EXPECT_EQ(v.colors[0], rgb(5, 6, 7));
}

TEST(RiffRead, OnlySignatureAndLengthAreChecked)
{
    QByteArray text = WriteRiff(varied());
    ASSERT_EQ(text.size(), 1048);
    for (int i = 4; i < 24; ++i)
        text[i] = char(0xEE); // nonsense header after "RIFF"
    text[0] = 'r';
    text[3] = 'f';
    const PaletteReadResult r = ParsePalette(text, PaletteKind::Pal);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.colors, varied());
}

TEST(BmpRead, ColoursUsedDecidesTheCount)
{
    // 4 bits, colours used 0: 16 entries, even though the table holds more.
    QList<std::int32_t> table = distinctColors(40);
    PaletteReadResult r = ParsePalette(bmp(4, 0, table), PaletteKind::Bmp);
    ASSERT_TRUE(r.ok);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(r.colors[i], table[i]) << i;
    expectBlackFrom(r.colors, 16);

    // 8 bits, colours used 20: 20 entries.
    r = ParsePalette(bmp(8, 20, table), PaletteKind::Bmp);
    ASSERT_TRUE(r.ok);
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(r.colors[i], table[i]) << i;
    expectBlackFrom(r.colors, 20);

    // 1 and 2 bits with colours used 0.
    r = ParsePalette(bmp(1, 0, table), PaletteKind::Bmp);
    EXPECT_EQ(r.colors[1], table[1]);
    expectBlackFrom(r.colors, 2);
    r = ParsePalette(bmp(2, 0, table, "bm"), PaletteKind::Bmp);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.colors[3], table[3]);
    expectBlackFrom(r.colors, 4);

    // 8 bits, colours used 0: all 256.
    table = distinctColors(256);
    r = ParsePalette(bmp(8, 0, table), PaletteKind::Bmp);
    EXPECT_EQ(r.colors[255], table[255]);
}

TEST(BmpRead, TableCutShortGivesBlackEntriesWithoutMessage)
{
    const QList<std::int32_t> table = distinctColors(256);
    QByteArray text = bmp(8, 0, table);
    text.chop(text.size() - (54 + 4 * 10 + 2)); // entry 10 lacks its red byte
    RecordingMessages messages;
    PaletteReadResult r = ReadPalette(text, PaletteKind::Bmp, messages);
    EXPECT_TRUE(r.ok);
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_EQ(r.colors[9], table[9]);
    expectBlackFrom(r.colors, 10);

    // Header only, and a file that ends before the colours-used field.
    r = ReadPalette(bmp(8, 0, {}), PaletteKind::Bmp, messages);
    EXPECT_TRUE(r.ok);
    expectBlackFrom(r.colors, 0);
    r = ReadPalette(bmp(4, 0, {}).left(40), PaletteKind::Bmp, messages);
    EXPECT_TRUE(r.ok);
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST(ActRead, BytesAreRedGreenBlue)
{
    QByteArray text(768, '\0');
    text[0] = char(0xFF);
    text[3 * 77 + 1] = char(0x80);
    text[767] = char(0x01);
    const PaletteReadResult r = ParsePalette(text, PaletteKind::Act);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.colors[0], rgb(255, 0, 0));
    EXPECT_EQ(r.colors[77], rgb(0, 128, 0));
    EXPECT_EQ(r.colors[255], rgb(0, 0, 1));
}

TEST(PaletteWrite, LayoutsByteForByte)
{
    PaletteTable t{};
    t[0] = rgb(255, 0, 7);
    t[1] = rgb(10, 100, 200);

    const QByteArray j = WriteJasc(t);
    EXPECT_TRUE(j.startsWith("JASC-PAL\r\n0100\r\n256\r\n255 0 7\r\n10 100 200\r\n0 0 0\r\n"));
    EXPECT_TRUE(j.endsWith("0 0 0\r\n"));
    EXPECT_FALSE(j.endsWith("\r\n\r\n"));
    EXPECT_EQ(j.count("\r\n"), 259);
    EXPECT_EQ(j.count('\n'), 259);
    EXPECT_EQ(j.count('\r'), 259);

    const QByteArray r = WriteRiff(t);
    ASSERT_EQ(r.size(), 1048);
    const unsigned char header[24] = {0x52, 0x49, 0x46, 0x46, 0x10, 0x04, 0x00, 0x00,
                                      0x50, 0x41, 0x4C, 0x20, 0x64, 0x61, 0x74, 0x61,
                                      0x04, 0x04, 0x00, 0x00, 0x00, 0x03, 0x00, 0x01};
    EXPECT_EQ(r.left(24), QByteArray(reinterpret_cast<const char *>(header), 24));
    EXPECT_EQ(r.mid(24, 8), QByteArray("\xFF\x00\x07\x00\x0A\x64\xC8\x00", 8));

    const QByteArray a = WriteAct(t);
    ASSERT_EQ(a.size(), 768);
    EXPECT_EQ(a.left(6), QByteArray("\xFF\x00\x07\x0A\x64\xC8", 6));
}

TEST(PaletteWrite, WriteThenReadGivesTheSameEntries)
{
    const PaletteTable t = varied();
    for (const auto &[format, kind] : {std::pair{PaletteWriteFormat::Jasc, PaletteKind::Pal},
                                       std::pair{PaletteWriteFormat::Riff, PaletteKind::Pal},
                                       std::pair{PaletteWriteFormat::Act, PaletteKind::Act}}) {
        const PaletteReadResult r = ParsePalette(WritePalette(t, format), kind);
        ASSERT_TRUE(r.ok) << int(format);
        EXPECT_EQ(r.colors, t) << int(format);
    }
}

TEST(PaletteKinds, ChosenByExtensionAndFilter)
{
    EXPECT_EQ(PaletteKindForPath("/a/b/x.PAL"), PaletteKind::Pal);
    EXPECT_EQ(PaletteKindForPath("/a/b/x.Act"), PaletteKind::Act);
    EXPECT_EQ(PaletteKindForPath("/a/b/x.bmp"), PaletteKind::Bmp);
    EXPECT_EQ(PaletteKindForPath("/a/b/x.act.txt"), PaletteKind::Pal);
    EXPECT_EQ(PaletteKindForPath("/a/b.act/x"), PaletteKind::Pal);

    EXPECT_EQ(PaletteKindForOpen("/p/x.bmp", 4), PaletteKind::Bmp);
    EXPECT_EQ(PaletteKindForOpen("/p/x.dat", 2), PaletteKind::Pal);
    EXPECT_EQ(PaletteKindForOpen("/p/x.dat", 4), PaletteKind::Act);
    EXPECT_EQ(PaletteKindForOpen("/p/x.dat", 5), PaletteKind::Bmp);
    EXPECT_EQ(PaletteKindForOpen("/p/x.dat", 6), std::nullopt);

    EXPECT_EQ(PaletteWriteFormatForPath("/p/x.act", 2), PaletteWriteFormat::Act);
    EXPECT_EQ(PaletteWriteFormatForPath("/p/x.PAL", 2), PaletteWriteFormat::Riff);
    EXPECT_EQ(PaletteWriteFormatForPath("/p/x.pal", 1), PaletteWriteFormat::Jasc);
    EXPECT_EQ(PaletteWriteFormatForPath("/p/x.txt", 2), PaletteWriteFormat::Jasc);

    EXPECT_EQ(PaletteSaveAsPath("/p/x", 1), QStringLiteral("/p/x.pal"));
    EXPECT_EQ(PaletteSaveAsPath("/p/x", 2), QStringLiteral("/p/x.pal"));
    EXPECT_EQ(PaletteSaveAsPath("/p.d/x", 3), QStringLiteral("/p.d/x.act"));
    EXPECT_EQ(PaletteSaveAsPath("/p/x.txt", 3), QStringLiteral("/p/x.txt"));
}

} // namespace
} // namespace tintwell
