// Palette export for web pages and code: byte-exact output, names and filters.

#include "palette/paletteexport.h"

#include <gtest/gtest.h>

#include <QFile>
#include <array>

namespace tintwell {
namespace {

QByteArray expected(const char *name)
{
    QFile f(QStringLiteral(TINTWELL_PALETTE_TESTDATA "/export/") + QLatin1String(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
}

TEST(PaletteExport, ThreeCellsMatchTheExpectedFilesByteForByte)
{
    // #ff8000, #00000a, #c0ffee with red in the lowest byte: byte order and
    // leading zeros are what goes wrong first.
    constexpr std::array<std::int32_t, 3> run{0x0080FF, 0x0A0000, 0xEEFFC0};
    EXPECT_EQ(ExportPalette(run, PaletteExportFormat::Css), expected("run3.css"));
    EXPECT_EQ(ExportPalette(run, PaletteExportFormat::Json), expected("run3.json"));
    EXPECT_EQ(ExportPalette(run, PaletteExportFormat::Text), expected("run3.txt"));
    EXPECT_EQ(ExportPalette({}, PaletteExportFormat::Json), QByteArray("[]\n"));
}

TEST(PaletteExport, FilterPicksFormatAndExtension)
{
    EXPECT_EQ(ExportFormatForFilter(2), PaletteExportFormat::Json);
    EXPECT_EQ(ExportFormatForFilter(4), std::nullopt);
    EXPECT_EQ(ExportPath(QStringLiteral("/w.d/theme"), PaletteExportFormat::Css), QStringLiteral("/w.d/theme.css"));
    EXPECT_EQ(ExportPath(QStringLiteral("/w/theme"), PaletteExportFormat::Text), QStringLiteral("/w/theme.txt"));
    EXPECT_EQ(ExportPath(QStringLiteral("/w/theme.scss"), PaletteExportFormat::Css), QStringLiteral("/w/theme.scss"));
}

} // namespace
} // namespace tintwell
