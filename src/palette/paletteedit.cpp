#include "palette/paletteedit.h"

#include "core/colormodel.h"
#include "palette/palettefile.h"

#include <QFileInfo>
#include <QStringList>
#include <algorithm>

namespace tintwell {

namespace {

constexpr int kLast = 255;

int red(std::int32_t c) { return c & 0xFF; }
int green(std::int32_t c) { return (c >> 8) & 0xFF; }
int blue(std::int32_t c) { return (c >> 16) & 0xFF; }

std::int32_t &entry(PaletteState &palette, int i) { return palette.PaletteColors[std::size_t(i)]; }

void plainClick(PaletteState &palette, int index)
{
    palette.PaletteRangeCount = 0;
    palette.PaletteAnchor = index;
    palette.PaletteIndex = index;
    palette.PaletteSelectedColor = entry(palette, index);
}

// Writes one entry; true when it changed.
bool store(PaletteState &palette, int i, std::int32_t color)
{
    if (entry(palette, i) == color)
        return false;
    entry(palette, i) = color;
    return true;
}

std::optional<std::int32_t> parsePasteLine(const QString &line)
{
    // At most three pieces: the third keeps anything after it, and only a
    // number there counts.
    const QStringList pieces = line.split(QLatin1Char(' '));
    if (pieces.size() < 3)
        return std::nullopt;
    QString third = pieces.mid(2).join(QLatin1Char(' '));
    std::array<int, 3> rgb{};
    const std::array<QString, 3> texts{pieces[0], pieces[1], third};
    for (std::size_t k = 0; k < 3; ++k) {
        const QByteArray bytes = texts[k].toLatin1();
        const auto value = ParseComponent(bytes);
        if (!value)
            return std::nullopt;
        rgb[k] = *value;
    }
    return rgb[0] + rgb[1] * 256 + rgb[2] * 65536;
}

} // namespace

PaletteSpan SelectedSpan(const PaletteState &palette)
{
    if (palette.PaletteRangeCount == 0)
        return {palette.PaletteIndex, palette.PaletteIndex};
    return {std::min(palette.PaletteAnchor, palette.PaletteIndex),
            std::max(palette.PaletteAnchor, palette.PaletteIndex)};
}

bool PaletteClick(PaletteState &palette, int index, bool shift)
{
    index = std::clamp(index, 0, kLast);
    if (shift && index == palette.PaletteIndex)
        return false;
    if (!shift || index == palette.PaletteAnchor) {
        const bool same = palette.PaletteRangeCount == 0 && palette.PaletteIndex == index
                          && palette.PaletteSelectedColor == entry(palette, index);
        plainClick(palette, index);
        return !same;
    }
    if (palette.PaletteRangeCount == 0)
        palette.PaletteAnchor = palette.PaletteIndex;
    palette.PaletteIndex = index;
    palette.PaletteRangeCount = std::abs(palette.PaletteAnchor - index) + 1;
    // The current cell moved, so what "Select Color" sends follows it.
    palette.PaletteSelectedColor = entry(palette, index);
    return true;
}

int CellFromPoint(int x, int y)
{
    const int column = std::clamp(x, 0, kLast) / 16;
    const int row = std::clamp(y, 0, kLast) / 16;
    return GridIndex(column, row, 16).value_or(0);
}

bool PaletteSetColor(PaletteState &palette, std::int32_t color, bool autoIncrement)
{
    bool changed = false;
    if (palette.PaletteRangeCount == 0) {
        changed = store(palette, palette.PaletteIndex, color);
        palette.PaletteSelectedColor = color;
        if (autoIncrement && palette.PaletteIndex < kLast)
            plainClick(palette, palette.PaletteIndex + 1);
    } else {
        const PaletteSpan span = SelectedSpan(palette);
        for (int i = span.first; i <= span.last; ++i)
            changed = store(palette, i, color) || changed;
        palette.PaletteSelectedColor = color;
    }
    if (changed)
        palette.PaletteChanged = true;
    return changed;
}

bool PaletteDeleteSelection(PaletteState &palette)
{
    const PaletteSpan span = SelectedSpan(palette);
    bool changed = false;
    for (int i = span.first; i <= span.last; ++i)
        changed = store(palette, i, 0) || changed;
    palette.PaletteSelectedColor = entry(palette, palette.PaletteIndex);
    if (changed)
        palette.PaletteChanged = true;
    return changed;
}

QString PaletteCopyText(const PaletteState &palette)
{
    const PaletteSpan span = SelectedSpan(palette);
    QStringList lines;
    for (int i = span.first; i <= span.last; ++i) {
        const std::int32_t c = palette.PaletteColors[std::size_t(i)];
        lines.append(QStringLiteral("%1 %2 %3").arg(red(c)).arg(green(c)).arg(blue(c)));
    }
    return lines.join(QStringLiteral("\r\n"));
}

bool PalettePaste(PaletteState &palette, const QString &text)
{
    const QStringList lines = text.split(QLatin1Char('\n'));
    bool changed = false;
    int i = SelectedSpan(palette).first;
    for (QString line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        const auto color = parsePasteLine(line);
        if (!color)
            break;
        changed = store(palette, i, *color) || changed;
        if (i == kLast)
            break;
        ++i;
    }
    palette.PaletteSelectedColor = entry(palette, palette.PaletteIndex);
    if (changed)
        palette.PaletteChanged = true;
    return changed;
}

QString PaletteDirectoryPart(const QString &path)
{
    return path.left(path.lastIndexOf(QLatin1Char('/')) + 1);
}

QString PaletteFileName(const QString &path)
{
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

bool NamesExistingFile(const QString &path)
{
    if (path.isEmpty() || path.endsWith(QLatin1Char('/')))
        return false;
    const QFileInfo info(path);
    return info.exists() && info.isFile();
}

QString MakeLastPath(const QString &path, int tableIndex)
{
    return path + QLatin1Char('%') + QString::number(std::clamp(tableIndex, 0, 9));
}

LastPathValue ParseLastPath(const QString &value)
{
    const qsizetype percent = value.lastIndexOf(QLatin1Char('%'));
    if (percent < 0)
        return {value, std::nullopt};
    LastPathValue result{value.left(percent), std::nullopt};
    const QString digit = value.mid(percent + 1);
    if (digit.size() == 1 && digit[0].isDigit() && digit[0].unicode() < 128)
        result.tableIndex = digit[0].unicode() - '0';
    return result;
}

} // namespace tintwell
