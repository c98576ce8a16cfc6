// GIMP palettes: a file written by hand, round trips through the writer,
// palettes longer than the table, and broken files.

#include "palette/gimppalette.h"
#include "palette/palettefile.h"

#include <gtest/gtest.h>

#include <QFile>

namespace tintwell {
namespace {

constexpr std::int32_t rgb(int r, int g, int b) { return r | (g << 8) | (b << 16); }

PaletteTable varied()
{
    PaletteTable t{};
    for (int i = 0; i < 256; ++i)
        t[std::size_t(i)] = rgb((i * 7) % 256, (i * 13 + 5) % 256, 255 - i);
    return t;
}

TEST(GimpPalette, HandWrittenFileWithCommentsTabsAndCrLfReads)
{
    QFile f(QStringLiteral(TINTWELL_PALETTE_TESTDATA "/handwritten.gpl"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    ASSERT_TRUE(bytes.contains("\r\n") && bytes.contains('\t'));
    const PaletteReadResult r = ParsePalette(bytes, PaletteKind::Gpl);
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(r.colors[0], rgb(255, 0, 0));
    EXPECT_EQ(r.colors[1], rgb(0, 128, 255));   // a tab between two numbers
    EXPECT_EQ(r.colors[2], rgb(17, 34, 51));    // no name
    EXPECT_EQ(r.colors[3], rgb(255, 255, 255)); // above 255 counts as 255
    EXPECT_EQ(r.colors[4], 0);
    EXPECT_EQ(ParsePalette(WritePalette(r.colors, PaletteWriteFormat::Gpl), PaletteKind::Gpl).colors, r.colors);

    // LF, a byte-order mark, header lines after rows, no line break at the end.
    const PaletteReadResult lf = ParsePalette("\xEF\xBB\xBFGIMP Palette\n1 2 3\nName: late\n4 5 6", PaletteKind::Gpl);
    ASSERT_TRUE(lf.ok);
    EXPECT_EQ(lf.colors[1], rgb(4, 5, 6));
}

TEST(GimpPalette, WrittenFileReadsBackTheSameAndKeepsItsHeaderIntact)
{
    const QByteArray written = WriteGimpPalette(varied(), QStringLiteral("two\nlines"));
    EXPECT_TRUE(written.startsWith("GIMP Palette\nName: two lines\nColumns: 16\n"));
    EXPECT_FALSE(written.contains('\r'));
    EXPECT_EQ(written.count('\n'), 4 + 256);
    EXPECT_TRUE(written.contains("\n  0   5 255\t#0005ff\n"));
    EXPECT_EQ(ParsePalette(written, PaletteKind::Gpl).colors, varied());
}

TEST(GimpPalette, MoreThan256ColoursKeepsTheFirstAndSaysSo)
{
    const auto rows = [](int count) {
        QByteArray text("GIMP Palette\n");
        for (int i = 0; i < count; ++i)
            text += QByteArray::number(i % 256) + ' ' + QByteArray::number(i / 256) + " 7\tc\n";
        return text;
    };
    RecordingMessages messages;
    const PaletteReadResult r = ReadPalette(rows(300), PaletteKind::Gpl, messages);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.colors[255], rgb(255, 0, 7));
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].title, QStringLiteral("Palette Tool"));
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("The palette holds 300 colors; only the first 256 were read."));

    messages.shown.clear();
    EXPECT_TRUE(ReadPalette(rows(256), PaletteKind::Gpl, messages).ok);
    EXPECT_EQ(ReadPalette(rows(10), PaletteKind::Gpl, messages).colors[10], 0);
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST(GimpPalette, BrokenFilesAreFileFormatUnknownWithABlackTable)
{
    const QByteArray good = WriteGimpPalette(varied(), QStringLiteral("x"));
    const std::pair<const char *, QByteArray> cases[] = {
        {"empty", ""},
        {"cut in the header", "GIMP Pal"},
        {"no header", "Name: x\n1 2 3\n"},
        {"JASC text", "JASC-PAL\r\n0100\r\n1\r\n1 2 3\r\n"},
        {"cut in a row", good.left(good.indexOf('\t', 200) - 4)},
        {"letters in a number", "GIMP Palette\n12 3x 56\n"},
        {"no blank before the name", "GIMP Palette\n12 34 56red\n"},
        {"negative", "GIMP Palette\n-1 2 3\n"},
        {"binary", QByteArray("GIMP Palette\n\x01\xFF\x00\x7F", 17)},
    };
    for (const auto &[what, text] : cases) {
        RecordingMessages messages;
        const PaletteReadResult r = ReadPalette(text, PaletteKind::Gpl, messages);
        EXPECT_FALSE(r.ok) << what;
        EXPECT_EQ(r.colors, PaletteTable{}) << what;
        ASSERT_EQ(messages.shown.size(), 1) << what;
        EXPECT_EQ(messages.shown[0].text, QStringLiteral("File Format Unknown")) << what;
    }
    // A thousand digits are a number that counts as 255, not an overflow.
    EXPECT_EQ(ParsePalette("GIMP Palette\n" + QByteArray(1000, '9') + " 0 0\n", PaletteKind::Gpl).colors[0],
              rgb(255, 0, 0));
}

} // namespace
} // namespace tintwell
