#include "palette/gimppalette.h"

#include <algorithm>

namespace tintwell {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

QByteArrayView trimmed(QByteArrayView line)
{
    qsizetype begin = 0;
    qsizetype end = line.size();
    while (begin < end && isBlank(line[begin]))
        ++begin;
    while (end > begin && isBlank(line[end - 1]))
        --end;
    return line.sliced(begin, end - begin);
}

// One whole number at pos, saturating well above 255 so a run of a thousand
// digits stays a number that merely counts as 255.
bool readNumber(QByteArrayView line, qsizetype &pos, int &value)
{
    const qsizetype start = pos;
    long long v = 0;
    while (pos < line.size() && isDigit(line[pos])) {
        v = std::min<long long>(v * 10 + (line[pos] - '0'), 100000);
        ++pos;
    }
    value = int(std::min<long long>(v, 255));
    return pos > start;
}

bool readRow(QByteArrayView line, std::int32_t &color)
{
    int channels[3];
    qsizetype pos = 0;
    for (int k = 0; k < 3; ++k) {
        if (k > 0) {
            const qsizetype before = pos;
            while (pos < line.size() && isBlank(line[pos]))
                ++pos;
            if (pos == before)
                return false;
        }
        if (!readNumber(line, pos, channels[k]))
            return false;
    }
    // What follows the blue value is the colour's name, after a blank.
    if (pos < line.size() && !isBlank(line[pos]))
        return false;
    color = channels[0] + channels[1] * 256 + channels[2] * 65536;
    return true;
}

char hexDigit(int v) { return "0123456789abcdef"[v & 15]; }

} // namespace

GimpPaletteRead ParseGimpPalette(QByteArrayView text)
{
    GimpPaletteRead result;
    if (text.startsWith("\xEF\xBB\xBF"))
        text = text.sliced(3);
    qsizetype pos = 0;
    bool first = true;
    while (pos <= text.size()) {
        const char *begin = text.data() + pos;
        const char *stop = text.data() + text.size();
        const char *newline = std::find(begin, stop, '\n');
        const QByteArrayView line = trimmed(QByteArrayView(begin, newline - begin));
        pos += (newline - begin) + 1;

        if (first) {
            if (line != QByteArrayView("GIMP Palette"))
                return GimpPaletteRead{};
            first = false;
            continue;
        }
        if (line.isEmpty() || line.startsWith('#') || line.startsWith("Name:")
            || line.startsWith("Columns:"))
            continue;
        std::int32_t color = 0;
        if (!readRow(line, color))
            return GimpPaletteRead{};
        if (result.rowCount < qsizetype(result.colors.size()))
            result.colors[std::size_t(result.rowCount)] = color;
        ++result.rowCount;
    }
    result.ok = !first;
    return result;
}

QByteArray WriteGimpPalette(const std::array<std::int32_t, 256> &colors, const QString &name)
{
    QString oneLine = name;
    oneLine.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    QByteArray out;
    out.reserve(64 + 256 * 21);
    out += "GIMP Palette\nName: ";
    out += oneLine.toUtf8();
    out += "\nColumns: 16\n#\n";
    for (const std::int32_t color : colors) {
        const int channels[3] = {color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF};
        for (int k = 0; k < 3; ++k) {
            if (k > 0)
                out += ' ';
            out += QByteArray::number(channels[k]).rightJustified(3, ' ');
        }
        out += "\t#";
        for (const int c : channels) {
            out += hexDigit(c >> 4);
            out += hexDigit(c);
        }
        out += '\n';
    }
    return out;
}

} // namespace tintwell
