#pragma once
// The colour chooser with its sixteen custom colours. The custom colours travel
// as the 64-character string the settings keep under "Custom Colors": four
// characters a colour, each one byte, red, green, blue, 0.

#include <QColor>
#include <QString>
#include <array>
#include <cstdint>

class QColorDialog;
class QWidget;

namespace tintwell {

class clsRegistry;

using CustomColorArray = std::array<QColor, 16>;

// Exactly 64 characters: empty gives 16 white entries, a shorter string is
// padded with character 0, a longer one cut. Characters above 255 count as '?',
// as they would in the settings.
QString NormalizeCustomColors(const QString &CustomColors);
CustomColorArray CustomColorsFromString(const QString &CustomColors);
QString CustomColorsToString(const CustomColorArray &colors);

// Colour values are 0x00BBGGRR; the top byte is ignored.
QColor ColorFromValue(std::int32_t value);
std::int32_t ValueFromColor(const QColor &color);

class clsColorDialog
{
public:
    std::int32_t Color = 0;
    QString CustomColors;
    std::int32_t flags = 0;
    bool Canceled = false;

    // Modal on owner (may be null). Cancel leaves Color and CustomColors alone.
    void ShowColor(QWidget *owner);

    // The halves of ShowColor, for tests that drive the dialog themselves.
    void configure(QColorDialog &dialog);
    void takeResult(const QColorDialog &dialog, bool accepted);
};

// What the main window's colour button does: start at current with the stored
// custom colours, store them back whatever the user did, and return the colour
// to show (current again after a cancel).
std::int32_t ChooseColor(clsColorDialog &dialog, clsRegistry &reg, std::int32_t current,
                         QWidget *owner);

} // namespace tintwell
