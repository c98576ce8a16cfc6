// Palette files on disk: real files from other programs, odd paths, and saves
// that must not lose the previous file.

#include "palette/palettefile.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>

#include <csignal>
#include <sys/resource.h>

namespace tintwell {
namespace {

constexpr std::int32_t rgb(int r, int g, int b) { return r | (g << 8) | (b << 16); }

QString dataFile(const char *name)
{
    return QStringLiteral(TINTWELL_PALETTE_TESTDATA "/") + QLatin1String(name);
}

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

PaletteTable varied(int seed)
{
    PaletteTable t{};
    for (int i = 0; i < 256; ++i)
        t[i] = rgb((i + seed) % 256, (i * 13 + seed) % 256, (255 - i) % 256);
    return t;
}

TEST(PaletteFiles, UnixJascSampleReadsItsSixteenLines)
{
    const QString path = dataFile("bayleef_palette.pal");
    const QByteArray bytes = fileBytes(path);
    ASSERT_FALSE(bytes.isEmpty());
    ASSERT_FALSE(bytes.contains('\r')); // the point of the sample: LF only

    RecordingMessages messages;
    const PaletteReadResult r = ReadPaletteFile(path, PaletteKindForPath(path), messages);
    ASSERT_TRUE(r.ok);
    EXPECT_TRUE(messages.shown.isEmpty());

    const QList<QByteArray> lines = bytes.split('\n');
    ASSERT_GE(lines.size(), 19);
    ASSERT_EQ(lines[2], "16");
    for (int i = 0; i < 16; ++i) {
        const QList<QByteArray> p = lines[3 + i].split(' ');
        ASSERT_EQ(p.size(), 3) << i;
        EXPECT_EQ(r.colors[i], rgb(p[0].toInt(), p[1].toInt(), p[2].toInt())) << i;
    }
    EXPECT_EQ(r.colors[0], rgb(205, 205, 172));
    EXPECT_EQ(r.colors[15], rgb(172, 49, 0));
    for (int i = 16; i < 256; ++i)
        EXPECT_EQ(r.colors[i], 0) << i;
}

TEST(PaletteFiles, ImageMagickBitmapsOfEachDepth)
{
    struct Case {
        const char *file;
        QList<std::int32_t> colors; // what the picture holds, in any order
        int tableSize;              // entries the file's table declares
    };
    QList<std::int32_t> twenty;
    for (int i = 0; i < 20; ++i)
        twenty << rgb(i * 12, 255 - i * 10, i * 7 + 3);
    const Case cases[] = {
        {"magick_1bit.bmp", {rgb(255, 0, 0), rgb(0, 0, 255)}, 2},
        {"magick_4bit.bmp",
         {rgb(255, 0, 0), rgb(0, 255, 0), rgb(0, 0, 255), rgb(255, 255, 0), rgb(0, 255, 255),
          rgb(255, 0, 255)},
         16},
        {"magick_8bit.bmp", twenty, 256},
    };
    for (const Case &c : cases) {
        RecordingMessages messages;
        const PaletteReadResult r = ReadPaletteFile(dataFile(c.file), PaletteKind::Bmp, messages);
        ASSERT_TRUE(r.ok) << c.file;
        EXPECT_TRUE(messages.shown.isEmpty()) << c.file;
        const QSet<std::int32_t> expected(c.colors.begin(), c.colors.end());
        const QSet<std::int32_t> read(r.colors.begin(), r.colors.begin() + c.colors.size());
        EXPECT_EQ(read, expected) << c.file;
        for (int i = int(c.colors.size()); i < 256; ++i)
            EXPECT_EQ(r.colors[i], 0) << c.file << " entry " << i; // padding and beyond
        EXPECT_LE(c.colors.size(), c.tableSize);
    }
}

TEST(PaletteFiles, DirectoriesEmptyAndMissingFiles)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());

    EXPECT_EQ(ReadFileBytes(dir.path()), std::nullopt);
    EXPECT_EQ(ReadFileBytes(dir.filePath("none.pal")), std::nullopt);

    RecordingMessages messages;
    PaletteReadResult r = ReadPaletteFile(dir.path(), PaletteKind::Pal, messages);
    EXPECT_FALSE(r.ok);
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].title, QStringLiteral("Error"));
    EXPECT_TRUE(messages.shown[0].text.contains(dir.path()));
    for (const std::int32_t c : r.colors)
        ASSERT_EQ(c, 0);

    // A 0-byte file is read (as nothing) and then fails as its kind says.
    const QString empty = dir.filePath("empty.act");
    ASSERT_TRUE(writeBytes(empty, {}));
    EXPECT_EQ(ReadFileBytes(empty), QByteArray());
    const struct {
        PaletteKind kind;
        const char *message;
    } kinds[] = {{PaletteKind::Act, "Invalid ACT File"},
                 {PaletteKind::Pal, "File Format Unknown"},
                 {PaletteKind::Bmp, "File Format Unknown"}};
    for (const auto &k : kinds) {
        messages.shown.clear();
        r = ReadPaletteFile(empty, k.kind, messages);
        EXPECT_FALSE(r.ok);
        ASSERT_EQ(messages.shown.size(), 1);
        EXPECT_EQ(messages.shown[0].text, QString::fromLatin1(k.message));
    }
}

TEST(PaletteFiles, SaveReplacesTheFileWhole)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("my.pal");
    ASSERT_TRUE(writeBytes(path, QByteArray(5000, 'x'))); // longer than any new content

    RecordingMessages messages;
    for (const auto format :
         {PaletteWriteFormat::Jasc, PaletteWriteFormat::Riff, PaletteWriteFormat::Act}) {
        const PaletteTable t = varied(int(format) * 31 + 1);
        ASSERT_TRUE(SavePalette(path, t, format, messages));
        const QByteArray written = fileBytes(path);
        EXPECT_EQ(written, WritePalette(t, format));
        const PaletteKind kind =
            format == PaletteWriteFormat::Act ? PaletteKind::Act : PaletteKind::Pal;
        EXPECT_EQ(ParsePalette(written, kind).colors, t);
    }
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"my.pal"});
}

TEST(PaletteFiles, FailedSaveKeepsTheOldFileAndSaysSo)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    RecordingMessages messages;

    // Nowhere to write: a missing folder.
    EXPECT_FALSE(SavePalette(dir.filePath("missing/x.pal"), varied(1), PaletteWriteFormat::Jasc,
                             messages));
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].title, QStringLiteral("Error"));
    EXPECT_EQ(messages.shown[0].icon, MsgIcon::Exclamation);

    // The disk refuses the new bytes part way (a file size limit stands in for
    // a full disk, and works even for root): the old palette must survive.
    const QString path = dir.filePath("old.act");
    const QByteArray old = WriteAct(varied(7));
    ASSERT_TRUE(writeBytes(path, old));

    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 100;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const auto error = SavePaletteFile(path, WriteRiff(varied(3)));
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    ASSERT_TRUE(error.has_value());
    EXPECT_FALSE(error->isEmpty());
    EXPECT_EQ(fileBytes(path), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"old.act"});
}

} // namespace
} // namespace tintwell
