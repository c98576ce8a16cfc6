#include "palette/palettefile.h"
#include "palette/gimppalette.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <cmath>

// Q_INIT_RESOURCE declares a function in the global namespace, so it cannot be
// used inside ours. The library is static: without this call the linker may drop
// the compiled resources, since nothing else refers to them.
static void initPaletteResources()
{
    Q_INIT_RESOURCE(palettes);
}

namespace tintwell {

namespace {

const QString kFormatUnknown = QStringLiteral("File Format Unknown");
const QString kInvalidAct = QStringLiteral("Invalid ACT File");
const QString kTrueColor = QStringLiteral("True color (24 bit) bitmaps not supported.");
const QString kErrorTitle = QStringLiteral("Error");

PaletteReadResult failure(const QString &message)
{
    PaletteReadResult result;
    result.ok = false;
    result.error = message;
    return result;
}

std::int32_t colorOf(int red, int green, int blue)
{
    return red + green * 256 + blue * 65536;
}

int redOf(std::int32_t color) { return color & 0xFF; }
int greenOf(std::int32_t color) { return (color >> 8) & 0xFF; }
int blueOf(std::int32_t color) { return (color >> 16) & 0xFF; }

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isBlank(char c) { return c == ' ' || c == '\t'; }

char asciiUpper(char c)
{
    return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
}

// Case-insensitive for ASCII letters only: the files are bytes, and a byte
// above 127 never stands for a letter of a signature.
bool startsWithNoCase(QByteArrayView text, const char *prefix)
{
    for (qsizetype i = 0; prefix[i] != '\0'; ++i) {
        if (i >= text.size() || asciiUpper(text[i]) != prefix[i])
            return false;
    }
    return true;
}

// A decimal number as the text fields of palette files have always been read:
// blanks around it, an optional sign, digits with an optional fraction. The
// integer part saturates far above any count or component, so a string of a
// thousand digits stays a finite (and merely "too large") number.
std::optional<double> parseDecimal(QByteArrayView s)
{
    qsizetype i = 0;
    qsizetype end = s.size();
    while (i < end && isBlank(s[i]))
        ++i;
    while (end > i && isBlank(s[end - 1]))
        --end;

    bool negative = false;
    if (i < end && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    bool anyDigit = false;
    double value = 0;
    for (; i < end && isDigit(s[i]); ++i) {
        anyDigit = true;
        if (value < 1e12)
            value = value * 10 + (s[i] - '0');
    }
    if (i < end && s[i] == '.') {
        ++i;
        double fraction = 0;
        double scale = 1;
        for (; i < end && isDigit(s[i]); ++i) {
            anyDigit = true;
            if (scale < 1e17) {
                fraction = fraction * 10 + (s[i] - '0');
                scale *= 10;
            }
        }
        value += fraction / scale;
    }
    if (!anyDigit || i != end)
        return std::nullopt;
    return negative ? -value : value;
}

// Walks the lines of a text one at a time, so a file of a million lines costs
// no more than the 259 lines a palette can use. Lines end in LF, optionally
// preceded by CR: palettes stored on Unix systems have LF alone.
class LineReader
{
public:
    explicit LineReader(QByteArrayView text) : m_text(text) {}

    std::optional<QByteArrayView> next()
    {
        if (m_done)
            return std::nullopt;
        const char *begin = m_text.data() + m_pos;
        const char *stop = m_text.data() + m_text.size();
        const char *newline = std::find(begin, stop, '\n');
        qsizetype length = newline - begin;
        if (newline == stop) {
            m_done = true; // the text after the last line break is the last line
        } else {
            m_pos += length + 1;
        }
        QByteArrayView line(begin, length);
        if (!line.isEmpty() && line.back() == '\r')
            line.chop(1);
        return line;
    }

private:
    QByteArrayView m_text;
    qsizetype m_pos = 0;
    bool m_done = false;
};

// "r g b": split at single spaces, the first three pieces are the channels and
// anything after them is ignored. Empty pieces (two spaces in a row) do not read.
std::optional<std::int32_t> parseJascEntry(QByteArrayView line)
{
    int channels[3];
    qsizetype pos = 0;
    for (int k = 0; k < 3; ++k) {
        if (pos > line.size())
            return std::nullopt;
        const char *begin = line.data() + pos;
        const char *stop = line.data() + line.size();
        const char *space = std::find(begin, stop, ' ');
        const auto value = ParseComponent(QByteArrayView(begin, space - begin));
        if (!value)
            return std::nullopt;
        channels[k] = *value;
        pos += (space - begin) + 1;
    }
    return colorOf(channels[0], channels[1], channels[2]);
}

PaletteReadResult parseJasc(QByteArrayView text)
{
    if (std::find(text.begin(), text.end(), '\n') == text.end())
        return failure(kFormatUnknown);

    LineReader lines(text);
    lines.next(); // signature
    lines.next(); // version, never checked
    const auto countLine = lines.next();
    if (!countLine)
        return failure(kFormatUnknown);
    const auto count = parseDecimal(*countLine);
    if (!count)
        return failure(kFormatUnknown);

    const double rounded = std::nearbyint(*count);
    const int entries = rounded <= 0 ? 0 : rounded >= 256 ? 256 : int(rounded);

    PaletteReadResult result;
    for (int i = 0; i < entries; ++i) {
        const auto line = lines.next();
        if (!line)
            break; // fewer entry lines than the count: the rest stays black
        if (const auto color = parseJascEntry(*line))
            result.colors[i] = *color;
    }
    return result;
}

PaletteReadResult parseRiff(QByteArrayView text)
{
    if (text.size() != RiffFileBytes)
        return failure(kFormatUnknown);
    const auto *bytes = reinterpret_cast<const unsigned char *>(text.data());
    PaletteReadResult result;
    for (int i = 0; i < 256; ++i) {
        const unsigned char *entry = bytes + 24 + 4 * i;
        result.colors[i] = colorOf(entry[0], entry[1], entry[2]);
    }
    return result;
}

PaletteReadResult parseAct(QByteArrayView text)
{
    if (text.size() != ActFileBytes)
        return failure(kInvalidAct);
    const auto *bytes = reinterpret_cast<const unsigned char *>(text.data());
    PaletteReadResult result;
    for (int i = 0; i < 256; ++i)
        result.colors[i] = colorOf(bytes[3 * i], bytes[3 * i + 1], bytes[3 * i + 2]);
    return result;
}

// The colour table sits at fixed offsets, a 40-byte information header being
// assumed. Fields beyond the end of a short file read as 0, and entries cut off
// by the end of the file stay black.
PaletteReadResult parseBmp(QByteArrayView text)
{
    if (!startsWithNoCase(text, "BM"))
        return failure(kFormatUnknown);
    const auto *bytes = reinterpret_cast<const unsigned char *>(text.data());
    const qsizetype size = text.size();
    const int bits = size > 28 ? bytes[28] : 0;
    const int used = size > 46 ? bytes[46] : 0;
    if (bits != 1 && bits != 2 && bits != 4 && bits != 8)
        return failure(bits == 24 ? kTrueColor : kFormatUnknown);

    const int count = used == 0 ? 1 << bits : used;
    PaletteReadResult result;
    for (int i = 0; i < count; ++i) {
        const qsizetype blue = 54 + 4 * qsizetype(i);
        if (blue + 2 >= size)
            break;
        result.colors[i] = colorOf(bytes[blue + 2], bytes[blue + 1], bytes[blue]);
    }
    return result;
}

QString fileNameOf(const QString &path)
{
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

// The text after the last "." of the file name, in lower case; empty without one.
QString extensionOf(const QString &path)
{
    const QString name = fileNameOf(path);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : name.mid(dot + 1).toLower();
}

std::optional<PaletteKind> knownKind(const QString &extension)
{
    if (extension == QLatin1String("pal"))
        return PaletteKind::Pal;
    if (extension == QLatin1String("act"))
        return PaletteKind::Act;
    if (extension == QLatin1String("bmp"))
        return PaletteKind::Bmp;
    if (extension == QLatin1String("gpl"))
        return PaletteKind::Gpl;
    return std::nullopt;
}

} // namespace

std::optional<int> ParseComponent(QByteArrayView piece)
{
    const auto value = parseDecimal(piece);
    if (!value)
        return std::nullopt;
    const double rounded = std::nearbyint(*value); // ties to even
    if (rounded < 0 || rounded > 32767)
        return std::nullopt;
    return std::min(int(rounded), 255);
}

namespace {

PaletteReadResult parseGpl(QByteArrayView text)
{
    const GimpPaletteRead read = ParseGimpPalette(text);
    if (!read.ok)
        return failure(kFormatUnknown);
    PaletteReadResult result;
    result.colors = read.colors;
    if (read.rowCount > qsizetype(result.colors.size()))
        result.notice = QStringLiteral("The palette holds %1 colors; only the first 256 were read.")
                            .arg(read.rowCount);
    return result;
}

} // namespace

PaletteReadResult ParsePalette(QByteArrayView text, PaletteKind kind)
{
    switch (kind) {
    case PaletteKind::Gpl:
        return parseGpl(text);
    case PaletteKind::Act:
        return parseAct(text);
    case PaletteKind::Bmp:
        return parseBmp(text);
    case PaletteKind::Pal:
        if (startsWithNoCase(text, "JASC-PAL"))
            return parseJasc(text);
        if (startsWithNoCase(text, "RIFF"))
            return parseRiff(text);
        return failure(kFormatUnknown);
    }
    return failure(kFormatUnknown);
}

PaletteReadResult ReadPalette(QByteArrayView text, PaletteKind kind, UserMessages &messages)
{
    PaletteReadResult result = ParsePalette(text, kind);
    if (!result.ok)
        messages.show(kErrorTitle, result.error, MsgIcon::Exclamation, MsgButtons::Ok);
    else if (!result.notice.isEmpty())
        messages.show(QStringLiteral("Palette Tool"), result.notice, MsgIcon::Information,
                      MsgButtons::Ok);
    return result;
}

std::optional<QByteArray> ReadFileBytes(const QString &path)
{
    // Only regular files: a directory cannot be read, and a pipe or device
    // could block or never end.
    const QFileInfo info(path);
    if (!info.isFile())
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = file.read(MaxPaletteFileBytes);
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes;
}

PaletteReadResult ReadPaletteFile(const QString &path, PaletteKind kind, UserMessages &messages)
{
    const auto bytes = ReadFileBytes(path);
    if (!bytes) {
        PaletteReadResult result =
            failure(QStringLiteral("The file \"%1\" cannot be read.").arg(path));
        messages.show(kErrorTitle, result.error, MsgIcon::Exclamation, MsgButtons::Ok);
        return result;
    }
    return ReadPalette(*bytes, kind, messages);
}

QByteArray LoadBuiltInTable(int resourceId)
{
    if (resourceId < 101 || resourceId > 104)
        return {};
    static const bool registered = [] {
        initPaletteResources();
        return true;
    }();
    Q_UNUSED(registered);
    QFile file(QStringLiteral(":/palettes/%1.act").arg(resourceId));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

PaletteKind PaletteKindForPath(const QString &path)
{
    return knownKind(extensionOf(path)).value_or(PaletteKind::Pal);
}

std::optional<PaletteKind> PaletteKindForOpen(const QString &path, int filterIndex)
{
    if (const auto kind = knownKind(extensionOf(path)))
        return kind;
    switch (filterIndex) {
    case 1:
    case 2:
    case 3:
        return PaletteKind::Pal;
    case 4:
        return PaletteKind::Act;
    case 5:
        return PaletteKind::Bmp;
    case 7:
        return PaletteKind::Gpl;
    default:
        return std::nullopt;
    }
}

PaletteWriteFormat PaletteWriteFormatForPath(const QString &path, int lastFilterIndex)
{
    const QString extension = extensionOf(path);
    if (extension == QLatin1String("act"))
        return PaletteWriteFormat::Act;
    if (extension == QLatin1String("gpl"))
        return PaletteWriteFormat::Gpl;
    if (extension == QLatin1String("pal") && lastFilterIndex == 2)
        return PaletteWriteFormat::Riff;
    return PaletteWriteFormat::Jasc;
}

QString PaletteSaveAsPath(const QString &path, int filterIndex)
{
    if (fileNameOf(path).contains(QLatin1Char('.')))
        return path;
    if (filterIndex == 1 || filterIndex == 2)
        return path + QStringLiteral(".pal");
    if (filterIndex == 3)
        return path + QStringLiteral(".act");
    if (filterIndex == 4)
        return path + QStringLiteral(".gpl");
    return path;
}

QByteArray WriteJasc(const PaletteTable &colors)
{
    QByteArray out;
    out.reserve(20 + 256 * 13);
    out += "JASC-PAL\r\n0100\r\n256\r\n";
    for (const std::int32_t color : colors) {
        out += QByteArray::number(redOf(color));
        out += ' ';
        out += QByteArray::number(greenOf(color));
        out += ' ';
        out += QByteArray::number(blueOf(color));
        out += "\r\n";
    }
    return out;
}

QByteArray WriteRiff(const PaletteTable &colors)
{
    static const char header[24] = {'R', 'I', 'F', 'F', 0x10, 0x04, 0x00, 0x00,
                                    'P', 'A', 'L', ' ', 'd',  'a',  't',  'a',
                                    0x04, 0x04, 0x00, 0x00, 0x00, 0x03, 0x00, 0x01};
    QByteArray out(header, sizeof header);
    out.reserve(RiffFileBytes);
    for (const std::int32_t color : colors) {
        out += char(redOf(color));
        out += char(greenOf(color));
        out += char(blueOf(color));
        out += char(0);
    }
    return out;
}

QByteArray WriteAct(const PaletteTable &colors)
{
    QByteArray out;
    out.reserve(ActFileBytes);
    for (const std::int32_t color : colors) {
        out += char(redOf(color));
        out += char(greenOf(color));
        out += char(blueOf(color));
    }
    return out;
}

QByteArray WritePalette(const PaletteTable &colors, PaletteWriteFormat format, const QString &name)
{
    switch (format) {
    case PaletteWriteFormat::Gpl:
        return WriteGimpPalette(colors, name);
    case PaletteWriteFormat::Riff:
        return WriteRiff(colors);
    case PaletteWriteFormat::Act:
        return WriteAct(colors);
    case PaletteWriteFormat::Jasc:
        break;
    }
    return WriteJasc(colors);
}

std::optional<QString> SavePaletteFile(const QString &path, const QByteArray &bytes)
{
    // Unbuffered, so a short write (disk full, size limit) shows in the count
    // below; through the buffer it would only be flushed partly at commit.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return file.errorString();
    if (file.write(bytes) != bytes.size()) {
        const QString error = file.error() != QFileDevice::NoError
                                  ? file.errorString()
                                  : QStringLiteral("Only part of the file could be written.");
        file.cancelWriting();
        return error;
    }
    if (!file.commit())
        return file.errorString();
    return std::nullopt;
}

bool SavePalette(const QString &path, const PaletteTable &colors, PaletteWriteFormat format,
                 UserMessages &messages)
{
    const QString name = QFileInfo(path).completeBaseName();
    const auto error = SavePaletteFile(path, WritePalette(colors, format, name));
    if (!error)
        return true;
    messages.show(kErrorTitle,
                  QStringLiteral("The palette could not be saved to \"%1\": %2\n"
                                 "The previous file was left unchanged.")
                      .arg(path, *error),
                  MsgIcon::Exclamation, MsgButtons::Ok);
    return false;
}

} // namespace tintwell
