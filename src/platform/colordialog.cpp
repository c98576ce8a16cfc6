#include "platform/colordialog.h"

#include "platform/registry.h"
#include "platform/settings.h"

#include <QColorDialog>

namespace tintwell {

namespace {
constexpr qsizetype kBlobSize = 64;
}

QString NormalizeCustomColors(const QString &CustomColors)
{
    if (CustomColors.isEmpty()) {
        QString white;
        white.reserve(kBlobSize);
        for (int i = 0; i < 16; ++i)
            white += QString(3, QChar(0xFF)) + QChar(0);
        return white;
    }
    QString s = clsRegistry::charsFromBytes(clsRegistry::bytesFromChars(CustomColors.left(kBlobSize)));
    if (s.size() < kBlobSize)
        s += QString(kBlobSize - s.size(), QChar(0));
    return s;
}

CustomColorArray CustomColorsFromString(const QString &CustomColors)
{
    const QString s = NormalizeCustomColors(CustomColors);
    CustomColorArray colors;
    for (int i = 0; i < 16; ++i)
        colors[i] = QColor(s.at(4 * i).unicode(), s.at(4 * i + 1).unicode(), s.at(4 * i + 2).unicode());
    return colors;
}

QString CustomColorsToString(const CustomColorArray &colors)
{
    QString s;
    s.reserve(kBlobSize);
    for (const QColor &c : colors) {
        const QColor rgb = c.isValid() ? c.toRgb() : QColor(Qt::white);
        s += QChar(rgb.red());
        s += QChar(rgb.green());
        s += QChar(rgb.blue());
        s += QChar(0);
    }
    return s;
}

QColor ColorFromValue(std::int32_t value)
{
    const auto v = std::uint32_t(value);
    return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}

std::int32_t ValueFromColor(const QColor &color)
{
    const QColor rgb = color.toRgb();
    return std::int32_t(rgb.red() | (rgb.green() << 8) | (rgb.blue() << 16));
}

void clsColorDialog::configure(QColorDialog &dialog)
{
    // QColorDialog keeps its custom colours for the whole process; they are set
    // afresh from our string every time, so no other caller's choice leaks in.
    const CustomColorArray colors = CustomColorsFromString(CustomColors);
    for (int i = 0; i < int(colors.size()) && i < QColorDialog::customCount(); ++i)
        QColorDialog::setCustomColor(i, colors[i]);
    dialog.setCurrentColor(ColorFromValue(Color));
}

void clsColorDialog::takeResult(const QColorDialog &dialog, bool accepted)
{
    Canceled = !accepted;
    if (!accepted)
        return;
    Color = ValueFromColor(dialog.currentColor());
    CustomColorArray colors;
    for (int i = 0; i < int(colors.size()); ++i)
        colors[i] = i < QColorDialog::customCount() ? QColorDialog::customColor(i) : QColor(Qt::white);
    CustomColors = CustomColorsToString(colors);
}

void clsColorDialog::ShowColor(QWidget *owner)
{
    QColorDialog dialog(owner);
    configure(dialog);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    takeResult(dialog, accepted);
}

std::int32_t ChooseColor(clsColorDialog &dialog, clsRegistry &reg, std::int32_t current,
                         QWidget *owner)
{
    dialog.Color = current;
    dialog.CustomColors = modRegistry::GetCustomColors(reg);
    dialog.flags = 0x103; // start at Color, custom part open, any colour
    dialog.ShowColor(owner);
    modRegistry::SetCustomColors(reg, dialog.CustomColors);
    return dialog.Canceled ? current : dialog.Color;
}

} // namespace tintwell
