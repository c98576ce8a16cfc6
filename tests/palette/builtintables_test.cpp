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
    // The rows where the stored table breaks its own pattern, and the last one.
    const struct {
        int first;
        const char *row;
    } rows[] = {
        {0, "000000 800000 008000 808000 000080 800080 008080 808080 C0DCC0 A6CAF0 2A3FAA 2A3FFF "
            "2A5F00 2A5F55 2A5FAA 2A5FFF"},
        {176, "D4FF00 D4FF55 D4FFAA D4FFFF FF0055 FF00AA FF1F00 FF1F55 FF1FAA FF1FFF FF3F00 FF3F55 "
              "FF3FAA FF3FFF FF5F00 FF5F55"},
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
    // The regular middle: blocks of four with blue 00, 55, AA, FF.
    for (int i = 16; i < 176; ++i)
        EXPECT_EQ(t[i] >> 16, (i % 4) * 0x55) << "blue of entry " << i;
    for (const auto &[i, color] : {std::pair{36, "550000"}, {79, "7F1FFF"}, {108, "AA0000"},
                                   {143, "AAFFFF"}, {144, "D40000"}, {175, "D4DFFF"}})
        EXPECT_EQ(t[i], hex(QString::fromLatin1(color))) << i;
}

} // namespace
} // namespace tintwell
