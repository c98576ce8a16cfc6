// Palette files on disk: real files from other programs, odd paths, and saves
// that must not lose the previous file.
#include "palette/palettefile.h"
#include "support/files.h"
#include "support/filesizelimit.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

namespace tintwell {
namespace {

using test::fileBytes;

constexpr std::int32_t rgb(int r, int g, int b) { return r | (g << 8) | (b << 16); }

PaletteTable varied(int seed)
{
    PaletteTable t{};
    for (int i = 0; i < 256; ++i)
        t[i] = rgb((i + seed) % 256, (i * 13 + seed) % 256, 255 - i);
    return t;
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
        ASSERT_TRUE(r.ok);
        EXPECT_TRUE(messages.shown.isEmpty());
        for (int i = 0; i < f.rows; ++i) {
            const QList<QByteArray> p = lines[f.firstRow + i].split('\t').first().simplified().split(' ');
            EXPECT_EQ(r.colors[i], rgb(p.value(0).toInt(), p.value(1).toInt(), p.value(2).toInt())) << i;
        }
        EXPECT_EQ(r.colors[f.rows - 1], f.lastRow);
        EXPECT_EQ(r.colors[f.rows], 0);
    }
}

TEST(PaletteFiles, DirectoriesEmptyAndMissingFiles)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString empty = dir.filePath("empty.act");
    test::writeBytes(empty, {});
    EXPECT_EQ(ReadFileBytes(dir.path()), std::nullopt);
    EXPECT_EQ(ReadFileBytes(dir.filePath("none.pal")), std::nullopt);
    EXPECT_EQ(ReadFileBytes(empty), QByteArray());

    // A directory is reported by name; a 0-byte file fails as its kind says.
    const struct {
        QString path;
        PaletteKind kind;
        QString message;
    } cases[] = {{dir.path(), PaletteKind::Pal, QStringLiteral("The file \"%1\" cannot be read.").arg(dir.path())},
                 {empty, PaletteKind::Act, QStringLiteral("Invalid ACT File")},
                 {empty, PaletteKind::Pal, QStringLiteral("File Format Unknown")},
                 {empty, PaletteKind::Bmp, QStringLiteral("File Format Unknown")}};
    for (const auto &c : cases) {
        RecordingMessages messages;
        const PaletteReadResult r = ReadPaletteFile(c.path, c.kind, messages);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.colors, PaletteTable{});
        ASSERT_EQ(messages.shown.size(), 1);
        EXPECT_EQ(messages.shown[0].title, QStringLiteral("Error"));
        EXPECT_EQ(messages.shown[0].text, c.message);
    }
}

TEST(PaletteFiles, SaveReplacesTheFileWholeOrKeepsTheOldOne)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("my.act");
    test::writeBytes(path, QByteArray(5000, 'x')); // longer than the new content
    RecordingMessages messages;
    ASSERT_TRUE(SavePalette(path, varied(1), PaletteWriteFormat::Riff, messages));
    EXPECT_EQ(fileBytes(path), WriteRiff(varied(1)));
    EXPECT_TRUE(messages.shown.isEmpty());

    // The folder is a regular file: no one can write there, root included.
    test::writeBytes(dir.filePath("blocker"), "x");
    EXPECT_FALSE(SavePalette(dir.filePath("blocker/x.pal"), varied(1), PaletteWriteFormat::Jasc, messages));
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].title, QStringLiteral("Error"));
    EXPECT_EQ(messages.shown[0].icon, MsgIcon::Exclamation);

    // The disk refuses the new bytes part way: the old palette survives.
    const QByteArray old = fileBytes(path);
    std::optional<QString> error;
    bool limited = false;
    {
        test::FileSizeLimit full(100);
        limited = full.ok();
        error = SavePaletteFile(path, WriteJasc(varied(3)));
    }
    ASSERT_TRUE(limited);
    EXPECT_TRUE(error.has_value());
    EXPECT_EQ(fileBytes(path), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), (QStringList{"blocker", "my.act"}));
}

} // namespace
} // namespace tintwell
