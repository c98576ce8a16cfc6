// Reading and writing palette texts in memory: the failure messages, the
// limits of each layout and the round trips.

#include "palette/palettefile.h"

#include <gtest/gtest.h>

namespace tintwell {
namespace {

constexpr std::int32_t rgb(int r, int g, int b) { return r | (g << 8) | (b << 16); }
std::int32_t entryColor(int i, int seed) { return rgb((i + seed) % 256, (i * 37 + seed) % 256, 255 - i % 256); }

// A JASC text: the header with the given count, then `lines` entry lines of
// entryColor(i, seed), every line followed by `eol`.
QByteArray jasc(const QByteArray &count, int lines, int seed = 0, const QByteArray &eol = "\r\n")
{
    QByteArray out = "JASC-PAL" + eol + "0100" + eol + count + eol;
    for (int i = 0; i < lines; ++i) {
        const std::int32_t c = entryColor(i, seed);
        out += QByteArray::number(c & 0xFF) + ' ' + QByteArray::number((c >> 8) & 0xFF) + ' ' +
               QByteArray::number(c >> 16) + eol;
    }
    return out;
}

PaletteTable varied(int seed = 3)
{
    PaletteTable t{};
    for (int i = 0; i < 256; ++i)
        t[i] = entryColor(i, seed);
    return t;
}

// A bitmap as far as the colour table reader looks: signature, depth at 28,
// colours used at 46, `entries` of entryColor(i, 1) from 54 as blue, green, red, 0.
QByteArray bmp(int bits, int used, int entries, const char *magic = "BM")
{
    QByteArray out(54, '\0');
    out[0] = magic[0];
    out[1] = magic[1];
    out[28] = char(bits);
    out[46] = char(used);
    for (int i = 0; i < entries; ++i) {
        const std::int32_t c = entryColor(i, 1);
        out += char(c >> 16);
        out += char(c >> 8);
        out += char(c);
        out += '\0';
    }
    return out;
}

QByteArray resized(QByteArray bytes, qsizetype size)
{
    bytes.resize(size, '\x7F');
    return bytes;
}

// Entries [0, read) are entryColor(i, seed), the rest black.
void expectRead(const PaletteTable &colors, int read, int seed)
{
    for (int i = 0; i < 256; ++i)
        ASSERT_EQ(colors[i], i < read ? entryColor(i, seed) : 0) << "entry " << i;
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
    expectRead(result.colors, 0, 0);
}

const char *const unknown = "File Format Unknown";
INSTANTIATE_TEST_SUITE_P(
    Palette, FailureTable,
    ::testing::Values(
        FailureCase{"JascWithoutLineBreak", "JASC-PAL 0100 2 1 2 3 4 5 6", PaletteKind::Pal, unknown},
        FailureCase{"JascTwoLines", "JASC-PAL\r\n0100", PaletteKind::Pal, unknown},
        FailureCase{"JascNonNumericCount", jasc("many", 3), PaletteKind::Pal, unknown},
        FailureCase{"JascEmptyCount", jasc("", 3), PaletteKind::Pal, unknown},
        FailureCase{"Riff1047", resized(WriteRiff(varied()), 1047), PaletteKind::Pal, unknown},
        FailureCase{"Riff1049", resized(WriteRiff(varied()), 1049), PaletteKind::Pal, unknown},
        FailureCase{"PalNeither", "GIMP Palette\nName: x\n", PaletteKind::Pal, unknown},
        FailureCase{"PalEmpty", "", PaletteKind::Pal, unknown},
        FailureCase{"Act769", resized(WriteAct(varied()), 769), PaletteKind::Act, "Invalid ACT File"},
        FailureCase{"Act772", resized(WriteAct(varied()), 772), PaletteKind::Act, "Invalid ACT File"},
        FailureCase{"Act767", resized(WriteAct(varied()), 767), PaletteKind::Act, "Invalid ACT File"},
        FailureCase{"BmpWrongMagic", bmp(8, 0, 4, "MB"), PaletteKind::Bmp, unknown},
        FailureCase{"BmpSignatureOnly", "BM", PaletteKind::Bmp, unknown},
        FailureCase{"Bmp24Bit", bmp(24, 0, 0), PaletteKind::Bmp,
                    "True color (24 bit) bitmaps not supported."},
        FailureCase{"Bmp16Bit", bmp(16, 0, 4), PaletteKind::Bmp, unknown},
        FailureCase{"Bmp3Bit", bmp(3, 0, 8), PaletteKind::Bmp, unknown}),
    [](const ::testing::TestParamInfo<FailureCase> &info) { return std::string(info.param.name); });

TEST(JascRead, CountDecidesHowManyEntriesAreRead)
{
    expectRead(ParsePalette(jasc("16", 16, 1), PaletteKind::Pal).colors, 16, 1);
    expectRead(ParsePalette(jasc("300", 300, 2), PaletteKind::Pal).colors, 256, 2);
    expectRead(ParsePalette(jasc("3", 8, 3), PaletteKind::Pal).colors, 3, 3);
    // A count of a million is cut to 256 and waits for no more lines.
    expectRead(ParsePalette(jasc("1000000", 256, 4), PaletteKind::Pal).colors, 256, 4);
    expectRead(ParsePalette(jasc("-5", 4, 4), PaletteKind::Pal).colors, 0, 4);

    // Count 256 but 10 lines: 10 colours, no message.
    RecordingMessages messages;
    const PaletteReadResult r = ReadPalette(jasc("256", 10, 5), PaletteKind::Pal, messages);
    EXPECT_TRUE(r.ok);
    EXPECT_TRUE(messages.shown.isEmpty());
    expectRead(r.colors, 10, 5);
}

TEST(JascRead, MalformedEntryLinesStayBlackAndReadingGoesOn)
{
    const QByteArray text = "JASC-PAL\r\n0100\r\n9\r\n"
                            "10 20 30\r\n"     // 0 read
                            "40 50\r\n"        // 1 two numbers: black
                            "1 2 3 4 5\r\n"    // 2 extra pieces ignored
                            "300 256 1000\r\n" // 3 above 255 counts as 255
                            "40000 1 1\r\n"    // 4 beyond a 16-bit integer: black
                            "-1 2 3\r\n"       // 5 negative: black
                            "1  2 3\r\n"       // 6 two spaces make an empty piece: black
                            "12.5 13.5 0.4\r\n" // 7 rounded half to even
                            "a b c\r\n";       // 8 not numbers: black
    const PaletteReadResult r = ParsePalette(text, PaletteKind::Pal);
    ASSERT_TRUE(r.ok);
    const std::int32_t expected[9] = {rgb(10, 20, 30), 0, rgb(1, 2, 3), rgb(255, 255, 255), 0, 0, 0,
                                      rgb(12, 14, 0), 0};
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(r.colors[i], expected[i]) << "entry " << i;
}

TEST(JascRead, LineEndsSignatureCaseAndVersion)
{
    const PaletteReadResult lf = ParsePalette(jasc("20", 20, 9, "\n"), PaletteKind::Pal);
    ASSERT_TRUE(lf.ok);
    expectRead(lf.colors, 20, 9);

    // Mixed line ends, lower case, a version that is no number, no final line end.
    const PaletteReadResult m = ParsePalette("jasc-pal\nxyz\r\n2\n7 8 9\r\n1 2 3", PaletteKind::Pal);
    ASSERT_TRUE(m.ok);
    EXPECT_EQ(m.colors[0], rgb(7, 8, 9));
    EXPECT_EQ(m.colors[1], rgb(1, 2, 3));
}

TEST(RiffRead, OnlySignatureAndLengthAreChecked)
{
    QByteArray text = WriteRiff(varied());
    text.replace(0, 24, QByteArray("riFF") + QByteArray(20, '\xEE'));
    const PaletteReadResult r = ParsePalette(text, PaletteKind::Pal);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.colors, varied());
}

TEST(BmpRead, ColoursUsedDecidesTheCount)
{
    expectRead(ParsePalette(bmp(4, 0, 40), PaletteKind::Bmp).colors, 16, 1);
    expectRead(ParsePalette(bmp(8, 20, 40), PaletteKind::Bmp).colors, 20, 1);
    expectRead(ParsePalette(bmp(1, 0, 40), PaletteKind::Bmp).colors, 2, 1);
    expectRead(ParsePalette(bmp(2, 0, 40, "bm"), PaletteKind::Bmp).colors, 4, 1);
    expectRead(ParsePalette(bmp(8, 0, 256), PaletteKind::Bmp).colors, 256, 1);
}

TEST(BmpRead, TableCutShortGivesBlackEntriesWithoutMessage)
{
    RecordingMessages messages;
    // Entry 10 lacks its red byte; then it lacks only the unused fourth byte.
    PaletteReadResult r = ReadPalette(bmp(8, 0, 256).left(54 + 4 * 10 + 2), PaletteKind::Bmp, messages);
    EXPECT_TRUE(r.ok);
    expectRead(r.colors, 10, 1);
    expectRead(ParsePalette(bmp(8, 0, 256).left(54 + 4 * 10 + 3), PaletteKind::Bmp).colors, 11, 1);
    // Ending before the colours-used field.
    r = ReadPalette(bmp(4, 0, 0).left(40), PaletteKind::Bmp, messages);
    EXPECT_TRUE(r.ok);
    expectRead(r.colors, 0, 1);
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST(PaletteWrite, LayoutsByteForByte)
{
    PaletteTable t{};
    t[0] = rgb(255, 0, 7);
    t[1] = rgb(10, 100, 200);

    const QByteArray j = WriteJasc(t);
    EXPECT_TRUE(j.startsWith("JASC-PAL\r\n0100\r\n256\r\n255 0 7\r\n10 100 200\r\n0 0 0\r\n"));
    EXPECT_TRUE(j.endsWith("\n0 0 0\r\n"));
    EXPECT_EQ(j.count("\r\n"), 3 + 256);
    EXPECT_EQ(j.count('\n'), 3 + 256);

    const QByteArray r = WriteRiff(t);
    ASSERT_EQ(r.size(), 1048);
    EXPECT_EQ(r.left(32).toHex(' '), "52 49 46 46 10 04 00 00 50 41 4c 20 64 61 74 61 04 04 00 00 "
                                     "00 03 00 01 ff 00 07 00 0a 64 c8 00");
    const QByteArray a = WriteAct(t);
    ASSERT_EQ(a.size(), 768);
    EXPECT_EQ(a.left(7).toHex(' '), "ff 00 07 0a 64 c8 00");
}

TEST(PaletteWrite, WriteThenReadGivesTheSameEntries)
{
    for (const auto &[format, kind] : {std::pair{PaletteWriteFormat::Jasc, PaletteKind::Pal},
                                       std::pair{PaletteWriteFormat::Riff, PaletteKind::Pal},
                                       std::pair{PaletteWriteFormat::Act, PaletteKind::Act}}) {
        const PaletteReadResult r = ParsePalette(WritePalette(varied(), format), kind);
        ASSERT_TRUE(r.ok) << int(format);
        EXPECT_EQ(r.colors, varied()) << int(format);
    }
}

TEST(PaletteKinds, ChosenByExtensionAndFilter)
{
    EXPECT_EQ(PaletteKindForPath("/a/x.PAL"), PaletteKind::Pal);
    EXPECT_EQ(PaletteKindForPath("/a/x.Act"), PaletteKind::Act);
    EXPECT_EQ(PaletteKindForPath("/a/x.bmp"), PaletteKind::Bmp);
    EXPECT_EQ(PaletteKindForPath("/a/x.act.txt"), PaletteKind::Pal);
    EXPECT_EQ(PaletteKindForPath("/a.act/x"), PaletteKind::Pal);

    EXPECT_EQ(PaletteKindForOpen("/p/x.bmp", 4), PaletteKind::Bmp);
    EXPECT_EQ(PaletteKindForOpen("/p/x.dat", 2), PaletteKind::Pal);
    EXPECT_EQ(PaletteKindForOpen("/p/x.dat", 4), PaletteKind::Act);
    EXPECT_EQ(PaletteKindForOpen("/p/x.dat", 5), PaletteKind::Bmp);
    EXPECT_EQ(PaletteKindForOpen("/p/x.dat", 6), std::nullopt);

    EXPECT_EQ(PaletteWriteFormatForPath("/p/x.act", 2), PaletteWriteFormat::Act);
    EXPECT_EQ(PaletteWriteFormatForPath("/p/x.PAL", 2), PaletteWriteFormat::Riff);
    EXPECT_EQ(PaletteWriteFormatForPath("/p/x.pal", 1), PaletteWriteFormat::Jasc);
    EXPECT_EQ(PaletteWriteFormatForPath("/p/x.txt", 2), PaletteWriteFormat::Jasc);

    EXPECT_EQ(PaletteSaveAsPath("/p/x", 2), QStringLiteral("/p/x.pal"));
    EXPECT_EQ(PaletteSaveAsPath("/p.d/x", 3), QStringLiteral("/p.d/x.act"));
    EXPECT_EQ(PaletteSaveAsPath("/p/x.txt", 3), QStringLiteral("/p/x.txt"));
}

} // namespace
} // namespace tintwell
