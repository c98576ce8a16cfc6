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
    EXPECT_EQ(r.colors[15], rgb(172, 49, 0));
    for (int i = 16; i < 256; ++i)
        EXPECT_EQ(r.colors[i], 0) << i;
}

TEST(PaletteFiles, ImageMagickBitmapsOfEachDepth)
{
    // What each picture holds; ImageMagick orders and pads the table as it likes.
    QList<std::int32_t> twenty;
    for (int i = 0; i < 20; ++i)
        twenty << rgb(i * 12, 255 - i * 10, i * 7 + 3);
    const std::pair<const char *, QList<std::int32_t>> cases[] = {
        {"magick_1bit.bmp", {rgb(255, 0, 0), rgb(0, 0, 255)}},
        {"magick_4bit.bmp", {rgb(255, 0, 0), rgb(0, 255, 0), rgb(0, 0, 255), rgb(255, 255, 0),
                             rgb(0, 255, 255), rgb(255, 0, 255)}},
        {"magick_8bit.bmp", twenty},
    };
    for (const auto &[file, colors] : cases) {
        RecordingMessages messages;
        const PaletteReadResult r = ReadPaletteFile(dataFile(file), PaletteKind::Bmp, messages);
        ASSERT_TRUE(r.ok) << file;
        EXPECT_TRUE(messages.shown.isEmpty()) << file;
        EXPECT_EQ(QSet<std::int32_t>(r.colors.begin(), r.colors.begin() + colors.size()),
                  QSet<std::int32_t>(colors.begin(), colors.end()))
            << file;
        for (int i = int(colors.size()); i < 256; ++i)
            EXPECT_EQ(r.colors[i], 0) << file << " entry " << i;
    }
}

TEST(PaletteFiles, DirectoriesEmptyAndMissingFiles)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString empty = dir.filePath("empty.act");
    ASSERT_TRUE(writeBytes(empty, {}));
    EXPECT_EQ(ReadFileBytes(dir.path()), std::nullopt);
    EXPECT_EQ(ReadFileBytes(dir.filePath("none.pal")), std::nullopt);
    EXPECT_EQ(ReadFileBytes(empty), QByteArray());

    // A directory is reported by name; a 0-byte file fails as its kind says.
    const struct {
        QString path;
        PaletteKind kind;
        QString message;
    } cases[] = {{dir.path(), PaletteKind::Pal,
                  QStringLiteral("The file \"%1\" cannot be read.").arg(dir.path())},
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
    ASSERT_TRUE(writeBytes(path, QByteArray(5000, 'x'))); // longer than the new content
    RecordingMessages messages;
    ASSERT_TRUE(SavePalette(path, varied(1), PaletteWriteFormat::Riff, messages));
    EXPECT_EQ(fileBytes(path), WriteRiff(varied(1)));
    EXPECT_TRUE(messages.shown.isEmpty());

    // Nowhere to write: a missing folder.
    EXPECT_FALSE(SavePalette(dir.filePath("missing/x.pal"), varied(1), PaletteWriteFormat::Jasc,
                             messages));
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].title, QStringLiteral("Error"));
    EXPECT_EQ(messages.shown[0].icon, MsgIcon::Exclamation);

    // The disk refuses the new bytes part way (a file size limit stands in for
    // a full disk, and works even for root): the old palette must survive.
    const QByteArray old = fileBytes(path);
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 100;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const auto error = SavePaletteFile(path, WriteJasc(varied(3)));
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_TRUE(error.has_value());
    EXPECT_EQ(fileBytes(path), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"my.act"});
}

} // namespace
} // namespace tintwell
