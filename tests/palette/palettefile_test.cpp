// Palette files: failure messages, layout limits, writers, real files from other
// programs, saves that keep the old file, export texts and the built-in tables.
#include "palette/gimppalette.h"
#include "palette/palettefile.h"
#include "palette/paletteexport.h"
#include "support/files.h"
#include "support/filesizelimit.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

namespace tintwell {
namespace {

using test::fileBytes;

constexpr std::int32_t rgb(int r, int g, int b) { return r | (g << 8) | (b << 16); }
std::int32_t entryColor(int i, int seed) { return rgb((i + seed) % 256, (i * 37 + seed) % 256, 255 - i % 256); }

PaletteTable varied(int seed = 3)
{
    PaletteTable t{};
    for (int i = 0; i < 256; ++i)
        t[i] = entryColor(i, seed);
    return t;
}

// A JASC text: header with `count`, then `lines` entry lines of entryColor(i, seed).
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

// A bitmap as far as the reader looks: signature, depth at 28, colours used at 46,
// `entries` of entryColor(i, 1) from 54 as blue, green, red, 0.
QByteArray bmp(int bits, int used, int entries, const char *magic = "BM")
{
    QByteArray out(54, '\0');
    out.replace(0, 2, magic);
    out[28] = char(bits);
    out[46] = char(used);
    for (int i = 0; i < entries; ++i) {
        const std::int32_t c = entryColor(i, 1);
        const char bgr0[4] = {char(c >> 16), char(c >> 8), char(c), 0};
        out.append(bgr0, 4);
    }
    return out;
}

// Entries [0, read) are entryColor(i, seed), the rest black.
void expectRead(const PaletteReadResult &r, int read, int seed = 1)
{
    ASSERT_TRUE(r.ok);
    for (int i = 0; i < 256; ++i)
        ASSERT_EQ(r.colors[i], i < read ? entryColor(i, seed) : 0) << "entry " << i;
}

TEST(PaletteRead, BadFilesShowTheirMessageAndYieldBlack)
{
    using enum PaletteKind;
    const char *const unknown = "File Format Unknown", *const act = "Invalid ACT File";
    const QByteArray riff = WriteRiff(varied()), acts = WriteAct(varied());
    const std::tuple<QByteArray, PaletteKind, const char *> cases[] = {
        {"JASC-PAL 0100 2 1 2 3 4 5 6", Pal, unknown}, {"JASC-PAL\r\n0100", Pal, unknown}, {"", Pal, unknown},
        {jasc("many", 3), Pal, unknown}, {jasc("", 3), Pal, unknown}, {riff.left(1047), Pal, unknown},
        {riff + 'x', Pal, unknown}, {"GIMP Palette\nName: x\n", Pal, unknown}, {acts.left(767), Act, act},
        {acts + 'x', Act, act}, {acts + "four", Act, act}, {"", Act, act}, {bmp(8, 0, 4, "MB"), Bmp, unknown},
        {"BM", Bmp, unknown}, {bmp(16, 0, 4), Bmp, unknown}, {bmp(3, 0, 8), Bmp, unknown}, {"", Bmp, unknown},
        {bmp(24, 0, 0), Bmp, "True color (24 bit) bitmaps not supported."}};
    for (const auto &[text, kind, message] : cases) {
        SCOPED_TRACE(text.left(24).toHex(' ').toStdString());
        RecordingMessages messages;
        const PaletteReadResult result = ReadPalette(text, kind, messages);
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.colors, PaletteTable{});
        ASSERT_EQ(messages.shown.size(), 1);
        EXPECT_EQ(messages.shown[0].title, QStringLiteral("Error"));
        EXPECT_EQ(messages.shown[0].text, QString::fromLatin1(message));
        EXPECT_TRUE(messages.shown[0].icon == MsgIcon::Exclamation && messages.shown[0].buttons == MsgButtons::Ok);
    }
}

TEST(PaletteRead, CountsLineEndsAndMalformedLines)
{
    // The JASC count decides, cut to 256 (a million waits for no more lines); fewer lines read quietly.
    expectRead(ParsePalette(jasc("300", 300, 2), PaletteKind::Pal), 256, 2);
    expectRead(ParsePalette(jasc("3", 8, 3), PaletteKind::Pal), 3, 3);
    expectRead(ParsePalette(jasc("1000000", 256, 4), PaletteKind::Pal), 256, 4);
    expectRead(ParsePalette(jasc("256", 10, 5, "\n"), PaletteKind::Pal), 10, 5);
    // Mixed line ends and any version; entries: read, two numbers (black), extra pieces ignored,
    // above 255 counts as 255, beyond 16 bits (black), negative (black), an empty piece (black),
    // rounded half to even, not numbers (black), read without a final line end.
    const PaletteReadResult r = ParsePalette("jasc-pal\nxyz\r\n10\r\n10 20 30\n40 50\r\n1 2 3 4 5\r\n300 256 1000\r\n"
                                             "40000 1 1\r\n-1 2 3\r\n1  2 3\r\n12.5 13.5 0.4\r\na b c\r\n7 8 9",
                                             PaletteKind::Pal);
    const std::int32_t expected[11] = {rgb(10, 20, 30), 0, rgb(1, 2, 3), rgb(255, 255, 255), 0, 0, 0, rgb(12, 14, 0),
                                       0, rgb(7, 8, 9), 0};
    for (int i = 0; i < 11; ++i)
        EXPECT_EQ(r.colors[i], expected[i]) << "entry " << i;

    QByteArray riff = WriteRiff(varied(1)); // only signature and length are checked
    riff.replace(0, 24, QByteArray("riFF") + QByteArray(20, '\xEE'));
    expectRead(ParsePalette(riff, PaletteKind::Pal), 256);

    // BMP: colours used, else the depth, decides; a table cut short ends quietly.
    expectRead(ParsePalette(bmp(4, 0, 40), PaletteKind::Bmp), 16);
    expectRead(ParsePalette(bmp(8, 20, 40), PaletteKind::Bmp), 20);
    expectRead(ParsePalette(bmp(2, 0, 40, "bm"), PaletteKind::Bmp), 4);
    RecordingMessages messages;
    expectRead(ReadPalette(bmp(8, 0, 256).left(54 + 4 * 10 + 2), PaletteKind::Bmp, messages), 10);
    expectRead(ReadPalette(bmp(8, 0, 256).left(54 + 4 * 10 + 3), PaletteKind::Bmp, messages), 11);
    expectRead(ReadPalette(bmp(4, 0, 0).left(40), PaletteKind::Bmp, messages), 0);
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST(PaletteWrite, LayoutsByteForByteAndBackAgain)
{
    PaletteTable t{};
    t[0] = rgb(255, 0, 7);
    t[1] = rgb(10, 100, 200);
    const QByteArray j = WriteJasc(t);
    EXPECT_TRUE(j.startsWith("JASC-PAL\r\n0100\r\n256\r\n255 0 7\r\n10 100 200\r\n0 0 0\r\n"));
    EXPECT_EQ(j.count("\r\n"), 3 + 256);
    EXPECT_EQ(j.count('\n'), 3 + 256);
    EXPECT_EQ(WriteRiff(t).toHex(' ').left(95), "52 49 46 46 10 04 00 00 50 41 4c 20 64 61 74 61 04 04 00 00 "
                                                "00 03 00 01 ff 00 07 00 0a 64 c8 00");
    EXPECT_EQ(WriteAct(t).toHex(' ').left(20), "ff 00 07 0a 64 c8 00");
    const QByteArray gpl = WriteGimpPalette(varied(), QStringLiteral("two\nlines"));
    EXPECT_TRUE(gpl.startsWith("GIMP Palette\nName: two lines\nColumns: 16\n"));
    EXPECT_EQ(gpl.count('\n'), 4 + 256);
    EXPECT_TRUE(gpl.contains("\n  3   3 255\t#0303ff\n") && !gpl.contains('\r'));
    using enum PaletteWriteFormat;
    for (const auto &[format, kind] : {std::pair{Jasc, PaletteKind::Pal}, {Riff, PaletteKind::Pal},
                                       {Act, PaletteKind::Act}, {Gpl, PaletteKind::Gpl}})
        EXPECT_EQ(ParsePalette(WritePalette(varied(), format), kind).colors, varied()) << int(format);
}

TEST(GimpPalette, HandWrittenQuirksReadAndBrokenFilesAreFileFormatUnknown)
{
    // CR LF, comments and blank lines between rows, a tab between numbers, no name,
    // values above 255 (a thousand digits too); then a byte-order mark and a header after rows.
    const PaletteReadResult hand =
        ParsePalette("GIMP Palette\r\nName: Hand\r\nColumns: 4\r\n#\r\n255   0   0\tRed\r\n  0\t128 255\tSky\r\n"
                     "\r\n# c\r\n 17  34  51\r\n300 255 " + QByteArray(1000, '9') + "\tOver\r\n", PaletteKind::Gpl);
    const std::int32_t expected[5] = {rgb(255, 0, 0), rgb(0, 128, 255), rgb(17, 34, 51), rgb(255, 255, 255), 0};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(hand.colors[i], expected[i]) << i;
    EXPECT_EQ(ParsePalette("\xEF\xBB\xBFGIMP Palette\n1 2 3\nName: late\n4 5 6", PaletteKind::Gpl).colors[1],
              rgb(4, 5, 6));

    const QByteArray good = WriteGimpPalette(varied(), QStringLiteral("x"));
    for (const QByteArray &text : {QByteArray(), QByteArray("GIMP Pal"), QByteArray("Name: x\n1 2 3\n"),
                                   QByteArray("JASC-PAL\r\n0100\r\n1\r\n1 2 3\r\n"),
                                   good.left(good.indexOf('\t', 200) - 4), // cut in a row
                                   QByteArray("GIMP Palette\n12 3x 56\n"), QByteArray("GIMP Palette\n-1 2 3\n"),
                                   QByteArray("GIMP Palette\n12 34 56red\n"),
                                   QByteArray("GIMP Palette\n\x01\xFF\x00\x7F", 17)}) {
        RecordingMessages messages;
        const PaletteReadResult r = ReadPalette(text, PaletteKind::Gpl, messages);
        EXPECT_FALSE(r.ok) << text.toStdString();
        EXPECT_EQ(r.colors, PaletteTable{}) << text.toStdString();
        ASSERT_EQ(messages.shown.size(), 1) << text.toStdString();
        EXPECT_EQ(messages.shown[0].text, QStringLiteral("File Format Unknown"));
    }
}

TEST(PaletteFiles, RealFilesFromOtherProgramsReadEveryRow)
{
    // JASC with LF line ends only; GIMP's own, with right-aligned numbers and a tab before each name.
    const struct {
        const char *name;
        int firstRow, rows;
        std::int32_t lastRow;
    } files[] = {{"bayleef_palette.pal", 3, 16, rgb(172, 49, 0)}, {"Tango.gpl", 4, 27, rgb(46, 52, 54)}};
    for (const auto &f : files) {
        SCOPED_TRACE(f.name);
        const QString path = QStringLiteral(TINTWELL_PALETTE_TESTDATA "/") + QLatin1String(f.name);
        const QByteArray bytes = fileBytes(path);
        const QList<QByteArray> lines = bytes.trimmed().split('\n');
        ASSERT_FALSE(bytes.contains('\r'));
        ASSERT_EQ(lines.size(), f.firstRow + f.rows);
        RecordingMessages messages;
        const PaletteReadResult r = ReadPaletteFile(path, PaletteKindForPath(path), messages);
        ASSERT_TRUE(r.ok && messages.shown.isEmpty());
        for (int i = 0; i < f.rows; ++i) {
            const QList<QByteArray> p = lines[f.firstRow + i].split('\t').first().simplified().split(' ');
            EXPECT_EQ(r.colors[i], rgb(p.value(0).toInt(), p.value(1).toInt(), p.value(2).toInt())) << i;
        }
        EXPECT_EQ(r.colors[f.rows - 1], f.lastRow);
        EXPECT_EQ(r.colors[f.rows], 0);
    }
}

TEST(PaletteFiles, FoldersEmptyFilesAndFailedSaves)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("my.act");
    RecordingMessages messages; // a folder is reported by name
    EXPECT_FALSE(ReadPaletteFile(dir.path(), PaletteKind::Pal, messages).ok);
    EXPECT_EQ(messages.shown.takeFirst().text, QStringLiteral("The file \"%1\" cannot be read.").arg(dir.path()));

    PaletteTable table{};
    table[0] = rgb(1, 2, 3);
    test::writeBytes(path, QByteArray(5000, 'x')); // longer than the new content
    ASSERT_TRUE(SavePalette(path, table, PaletteWriteFormat::Riff, messages));
    EXPECT_EQ(fileBytes(path), WriteRiff(table));
    // The disk refuses the new bytes part way: the old palette survives, no temporary file stays.
    std::optional<QString> error;
    bool limited = false;
    {
        test::FileSizeLimit full(100);
        limited = full.ok();
        error = SavePaletteFile(path, WriteJasc(table));
    }
    ASSERT_TRUE(limited);
    EXPECT_TRUE(error.has_value());
    EXPECT_EQ(fileBytes(path), WriteRiff(table));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"my.act"});
}

TEST(PaletteExport, ThreeCellsByteForByte)
{
    // Red in the lowest byte: byte order and leading zeros are what goes wrong first.
    constexpr std::array<std::int32_t, 3> run{0x0080FF, 0x0A0000, 0xEEFFC0};
    EXPECT_EQ(ExportPalette(run, PaletteExportFormat::Css),
              ":root {\n  --palette-0: #ff8000;\n  --palette-1: #00000a;\n  --palette-2: #c0ffee;\n}\n");
    EXPECT_EQ(ExportPalette(run, PaletteExportFormat::Json), "[\n  \"#ff8000\",\n  \"#00000a\",\n  \"#c0ffee\"\n]\n");
    EXPECT_EQ(ExportPalette(run, PaletteExportFormat::Text), "#ff8000\n#00000a\n#c0ffee\n");
    EXPECT_EQ(ExportPath(QStringLiteral("/w/theme.scss"), PaletteExportFormat::Css), QStringLiteral("/w/theme.scss"));
}

TEST(BuiltInTables, CubesRampsAndStoredQuirks)
{
    std::array<PaletteTable, 4> t; // Macintosh System, Web 125, Web 216, Windows System
    for (int k = 0; k < 4; ++k) {
        ASSERT_EQ(LoadBuiltInTable(101 + k).size(), 768) << k;
        t[k] = ParsePalette(LoadBuiltInTable(101 + k), PaletteKind::Act).colors;
    }
    // The cubes, red changing slowest; Macintosh ends in four ramps, Web 125 keeps five entries out of order.
    const int six[6] = {255, 204, 153, 102, 51, 0}, five[5] = {255, 191, 128, 64, 0};
    const int ramp[10] = {238, 221, 187, 170, 136, 119, 85, 68, 34, 17};
    for (int i = 0; i < 256; ++i) {
        EXPECT_EQ(t[2][i], i < 216 ? rgb(six[i / 36], six[i / 6 % 6], six[i % 6]) : 0) << i;
        const int v = ramp[std::max(i - 215, 0) % 10];
        EXPECT_EQ(t[0][i], i < 215 ? t[2][i] : i == 255 ? 0 : i < 225 ? rgb(v, 0, 0) : i < 235 ? rgb(0, v, 0)
                                                        : i < 245 ? rgb(0, 0, v) : rgb(v, v, v)) << i;
        if (i < 110 || i > 114) {
            EXPECT_EQ(t[1][i], i < 125 ? rgb(five[i / 25], five[i / 5 % 5], five[i % 5]) : 0) << i;
        }
    }
    EXPECT_EQ(std::vector<std::int32_t>(t[1].begin() + 110, t[1].begin() + 115),
              (std::vector{rgb(0, 129, 64), rgb(0, 128, 255), rgb(0, 128, 191), rgb(0, 128, 128), rgb(0, 128, 0)}));

    // Windows: its first and last rows as stored, blue stepping 00 55 AA FF in the regular middle.
    QByteArray rows;
    for (int k = 0; k < 32; ++k) {
        const std::int32_t c = t[3][k < 16 ? k : 224 + k];
        rows += QByteArray::number((c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16), 16).rightJustified(6, '0') + ' ';
    }
    EXPECT_EQ(rows.toUpper().trimmed(), "000000 800000 008000 808000 000080 800080 008080 808080 C0DCC0 A6CAF0 2A3FAA "
                                        "2A3FFF 2A5F00 2A5F55 2A5FAA 2A5FFF 2A1F00 2A1F55 2A1FAA 2A1FFF 2A3F00 2A3F55 "
                                        "FFFBF0 A0A0A4 808080 FF0000 00FF00 FFFF00 0000FF FF00FF 00FFFF FFFFFF");
    for (int i = 16; i < 176; ++i)
        EXPECT_EQ(t[3][i] >> 16, (i % 4) * 0x55) << "blue of entry " << i;
}

} // namespace
} // namespace tintwell
