// The four built-in tables as the palette tool offers them.

#include "palette/palettefile.h"

#include <gtest/gtest.h>

#include <QStringList>

namespace tintwell {
namespace {

constexpr std::int32_t rgb(int r, int g, int b) { return r | (g << 8) | (b << 16); }

PaletteTable builtIn(int id)
{
    const QByteArray bytes = LoadBuiltInTable(id);
    EXPECT_EQ(bytes.size(), 768) << id;
    RecordingMessages messages;
    const PaletteReadResult r = ReadPalette(bytes, PaletteKind::Act, messages);
    EXPECT_TRUE(r.ok) << id;
    EXPECT_TRUE(messages.shown.isEmpty()) << id;
    return r.colors;
}

std::int32_t hex(const QString &rrggbb)
{
    const uint v = rrggbb.toUInt(nullptr, 16);
    return rgb((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

TEST(BuiltInTables, OnlyTheFourIdentifiersExist)
{
    EXPECT_TRUE(LoadBuiltInTable(100).isEmpty());
    EXPECT_TRUE(LoadBuiltInTable(105).isEmpty());
    for (int id = 101; id <= 104; ++id)
        EXPECT_EQ(LoadBuiltInTable(id).size(), 768) << id;
}

TEST(BuiltInTables, Web216IsTheCubeRedSlowest)
{
    const PaletteTable t = builtIn(103);
    const int levels[6] = {255, 204, 153, 102, 51, 0};
    int i = 0;
    for (int r : levels)
        for (int g : levels)
            for (int b : levels) {
                ASSERT_EQ(t[i], rgb(r, g, b)) << "entry " << i;
                ++i;
            }
    EXPECT_EQ(t[0], rgb(255, 255, 255));
    EXPECT_EQ(t[5], rgb(255, 255, 0));
    EXPECT_EQ(t[6], rgb(255, 204, 255));
    EXPECT_EQ(t[215], 0);
    for (i = 216; i < 256; ++i)
        EXPECT_EQ(t[i], 0) << i;
}

TEST(BuiltInTables, MacintoshIsTheCubeThenFourRamps)
{
    const PaletteTable mac = builtIn(101);
    const PaletteTable web = builtIn(103);
    for (int i = 0; i < 215; ++i)
        ASSERT_EQ(mac[i], web[i]) << i;
    EXPECT_EQ(mac[214], rgb(0, 0, 51));

    const int ramp[10] = {238, 221, 187, 170, 136, 119, 85, 68, 34, 17};
    for (int k = 0; k < 10; ++k) {
        const int v = ramp[k];
        EXPECT_EQ(mac[215 + k], rgb(v, 0, 0)) << k;
        EXPECT_EQ(mac[225 + k], rgb(0, v, 0)) << k;
        EXPECT_EQ(mac[235 + k], rgb(0, 0, v)) << k;
        EXPECT_EQ(mac[245 + k], rgb(v, v, v)) << k;
    }
    EXPECT_EQ(mac[255], 0);
}

TEST(BuiltInTables, Web125KeepsItsStoredQuirk)
{
    const PaletteTable t = builtIn(102);
    const int levels[5] = {255, 191, 128, 64, 0};
    int i = 0;
    for (int r : levels)
        for (int g : levels)
            for (int b : levels) {
                if (i < 110 || i > 114) {
                    ASSERT_EQ(t[i], rgb(r, g, b)) << "entry " << i;
                }
                ++i;
            }
    EXPECT_EQ(t[109], rgb(0, 191, 0));
    EXPECT_EQ(t[110], rgb(0, 129, 64));
    EXPECT_EQ(t[111], rgb(0, 128, 255));
    EXPECT_EQ(t[112], rgb(0, 128, 191));
    EXPECT_EQ(t[113], rgb(0, 128, 128));
    EXPECT_EQ(t[114], rgb(0, 128, 0));
    EXPECT_EQ(t[115], rgb(0, 64, 255));
    EXPECT_EQ(t[124], 0);
    for (i = 125; i < 256; ++i)
        EXPECT_EQ(t[i], 0) << i;
}

TEST(BuiltInTables, WindowsSystemRowsAsStored)
{
    const PaletteTable t = builtIn(104);
    // Rows where the table breaks its own pattern, and the first and last.
    const struct {
        int first;
        const char *row;
    } rows[] = {
        {0, "000000 800000 008000 808000 000080 800080 008080 808080 C0DCC0 A6CAF0 2A3FAA 2A3FFF "
            "2A5F00 2A5F55 2A5FAA 2A5FFF"},
        {32, "2AFF00 2AFF55 2AFFAA 2AFFFF 550000 550055 5500AA 5500FF 551F00 551F55 551FAA 551FFF "
             "553F00 553F55 553FAA 553FFF"},
        {96, "7FBF00 7FBF55 7FBFAA 7FBFFF 7FDF00 7FDF55 7FDFAA 7FDFFF 7FFF00 7FFF55 7FFFAA 7FFFFF "
             "AA0000 AA0055 AA00AA AA00FF"},
        {144, "D40000 D40055 D400AA D400FF D41F00 D41F55 D41FAA D41FFF D43F00 D43F55 D43FAA D43FFF "
              "D45F00 D45F55 D45FAA D45FFF"},
        {176, "D4FF00 D4FF55 D4FFAA D4FFFF FF0055 FF00AA FF1F00 FF1F55 FF1FAA FF1FFF FF3F00 FF3F55 "
              "FF3FAA FF3FFF FF5F00 FF5F55"},
        {192, "FF5FAA FF5FFF FF7F00 FF7F55 FF7FAA FF7FFF FF9F00 FF9F55 FF9FAA FF9FFF FFBF00 FFBF55 "
              "FFBFAA FFBFFF FFDF00 FFDF55"},
        {208, "FFDFAA FFDFFF FFFF55 FFFFAA CCCCFF FFCCFF 33FFFF 66FFFF 99FFFF CCFFFF 007F00 007F55 "
              "007FAA 007FFF 009F00 009F55"},
        {224, "009FAA 009FFF 00BF00 00BF55 00BFAA 00BFFF 00DF00 00DF55 00DFAA 00DFFF 00FF55 00FFAA "
              "2A0000 2A0055 2A00AA 2A00FF"},
        {240, "2A1F00 2A1F55 2A1FAA 2A1FFF 2A3F00 2A3F55 FFFBF0 A0A0A4 808080 FF0000 00FF00 FFFF00 "
              "0000FF FF00FF 00FFFF FFFFFF"},
    };
    for (const auto &row : rows) {
        const QStringList cells = QString::fromLatin1(row.row).split(QLatin1Char(' '));
        ASSERT_EQ(cells.size(), 16);
        for (int k = 0; k < 16; ++k)
            EXPECT_EQ(t[row.first + k], hex(cells[k])) << "entry " << row.first + k;
    }

    // The regular middle: from entry 16 to 143 each block of four runs blue
    // 00, 55, AA, FF; green steps by 1F/20 through 1F, 3F ... FF per block.
    for (int i = 16; i < 144; ++i)
        EXPECT_EQ(t[i] >> 16, (i % 4) * 0x55) << "blue of entry " << i;
    EXPECT_EQ(t[55], hex("557FFF"));
    EXPECT_EQ(t[79], hex("7F1FFF"));
    EXPECT_EQ(t[127], hex("AA7FFF"));
    EXPECT_EQ(t[143], hex("AAFFFF"));
    EXPECT_EQ(t[160], hex("D47F00"));
}

} // namespace
} // namespace tintwell
