// Palette files on disk: real files from other programs, odd paths, and saves
// that must not lose the previous file.
#include "palette/palettefile.h"
#include "support/files.h"
#include "support/filesizelimit.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace tintwell {
namespace {

using test::fileBytes;

constexpr std::int32_t rgb(int r, int g, int b) { return r | (g << 8) | (b << 16); }

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
    test::writeBytes(path, {});
    EXPECT_EQ(ReadFileBytes(dir.filePath("none.pal")), std::nullopt);
    // A folder is reported by name; an empty file fails as its kind says.
    for (const auto &[file, kind, message] :
         {std::tuple{dir.path(), PaletteKind::Pal, QStringLiteral("The file \"%1\" cannot be read.").arg(dir.path())},
          {path, PaletteKind::Act, QStringLiteral("Invalid ACT File")},
          {path, PaletteKind::Bmp, QStringLiteral("File Format Unknown")}}) {
        RecordingMessages messages;
        EXPECT_FALSE(ReadPaletteFile(file, kind, messages).ok);
        ASSERT_EQ(messages.shown.size(), 1);
        EXPECT_EQ(messages.shown[0].title, QStringLiteral("Error"));
        EXPECT_EQ(messages.shown[0].text, message);
    }

    PaletteTable table{};
    table[0] = rgb(1, 2, 3);
    test::writeBytes(path, QByteArray(5000, 'x')); // longer than the new content
    RecordingMessages messages;
    ASSERT_TRUE(SavePalette(path, table, PaletteWriteFormat::Riff, messages));
    EXPECT_EQ(fileBytes(path), WriteRiff(table));
    // The folder is a regular file: no one can write there, root included.
    test::writeBytes(dir.filePath("blocker"), "x");
    EXPECT_FALSE(SavePalette(dir.filePath("blocker/x.pal"), table, PaletteWriteFormat::Jasc, messages));
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].icon, MsgIcon::Exclamation);
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
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), (QStringList{"blocker", "my.act"}));
}

} // namespace
} // namespace tintwell
