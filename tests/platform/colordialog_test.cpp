#include "platform/colordialog.h"
#include "platform/registry.h"
#include "platform/settings.h"

#include "dialogtest.h"

#include <QColorDialog>
#include <QTemporaryDir>

#include "printers.h"

#include <gtest/gtest.h>

using namespace tintwell;

TEST(CustomColorBlob, EmptyShortLongAndWideStringsNormaliseTo64Bytes)
{
    const CustomColorArray white = CustomColorsFromString(QString());
    for (const QColor &c : white)
        EXPECT_EQ(c, QColor(255, 255, 255));
    EXPECT_EQ(NormalizeCustomColors(QString()), CustomColorsToString(white));

    const QString shortBlob = QStringLiteral("\x10\x20\x30");
    const QString n = NormalizeCustomColors(shortBlob);
    ASSERT_EQ(n.size(), 64);
    EXPECT_EQ(n.left(3), shortBlob);
    EXPECT_EQ(n.mid(3), QString(61, QChar(0)));
    const CustomColorArray padded = CustomColorsFromString(shortBlob);
    EXPECT_EQ(padded[0], QColor(0x10, 0x20, 0x30));
    EXPECT_EQ(padded[15], QColor(0, 0, 0)); // padding is black, not white

    QString longBlob = QString(64, QChar(7)) + QStringLiteral("extra");
    EXPECT_EQ(NormalizeCustomColors(longBlob), QString(64, QChar(7)));
    EXPECT_EQ(NormalizeCustomColors(QString(QChar(0x263A))).at(0), QChar(u'?'));
}

TEST(CustomColorBlob, ColoursRoundTripInRedGreenBlueZeroOrder)
{
    CustomColorArray colors;
    for (int i = 0; i < 16; ++i)
        colors[i] = QColor(i * 16, 255 - i, i * 3);
    const QString blob = CustomColorsToString(colors);
    ASSERT_EQ(blob.size(), 64);
    EXPECT_EQ(blob.at(4 * 5).unicode(), 80);
    EXPECT_EQ(blob.at(4 * 5 + 1).unicode(), 250);
    EXPECT_EQ(blob.at(4 * 5 + 2).unicode(), 15);
    EXPECT_EQ(blob.at(4 * 5 + 3).unicode(), 0);
    EXPECT_EQ(CustomColorsFromString(blob), colors);

    // A fourth byte that is not 0 does not leak into the colour.
    QString odd = blob;
    odd[3] = QChar(0x80);
    EXPECT_EQ(CustomColorsFromString(odd)[0], colors[0]);
}

TEST(CustomColorBlob, ColourValuesAreBlueGreenRed)
{
    EXPECT_EQ(ColorFromValue(0x00FF8000), QColor(0x00, 0x80, 0xFF));
    EXPECT_EQ(ValueFromColor(QColor(0x12, 0x34, 0x56)), 0x00563412);
    EXPECT_EQ(ColorFromValue(std::int32_t(0x80123456)), QColor(0x56, 0x34, 0x12));
}

class ColorDialogTest : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    clsRegistry reg{dir.path() + QStringLiteral("/settings.ini")};
    clsColorDialog dialog;
};

TEST_F(ColorDialogTest, AcceptTakesTheColourAndTheCustomColoursWhichAreStored)
{
    QColor shownAtStart;
    QColor firstCustom;
    test::whenModalShows<QColorDialog>([&](QColorDialog &d) {
        shownAtStart = d.currentColor();
        firstCustom = QColorDialog::customColor(0);
        QColorDialog::setCustomColor(3, QColor(1, 2, 3));
        d.setCurrentColor(QColor(0x40, 0x50, 0x60));
        d.accept();
    });
    const std::int32_t chosen = ChooseColor(dialog, reg, 0x00FF8000, nullptr);
    EXPECT_EQ(shownAtStart, QColor(0x00, 0x80, 0xFF));
    EXPECT_EQ(firstCustom, QColor(255, 255, 255)); // nothing stored yet: all white
    EXPECT_FALSE(dialog.Canceled);
    EXPECT_EQ(chosen, 0x00605040);
    EXPECT_EQ(CustomColorsFromString(modRegistry::GetCustomColors(reg))[3], QColor(1, 2, 3));

    // Offered again next time, even when the process-wide table was changed meanwhile.
    QColorDialog::setCustomColor(3, QColor(9, 9, 9));
    QColor offered;
    test::whenModalShows<QColorDialog>([&](QColorDialog &d) {
        offered = QColorDialog::customColor(3);
        d.reject();
    });
    clsColorDialog fresh;
    EXPECT_EQ(ChooseColor(fresh, reg, 0x00605040, nullptr), 0x00605040);
    EXPECT_EQ(offered, QColor(1, 2, 3));
}

TEST_F(ColorDialogTest, CancelChangesNothingButTheCustomColoursAreStillStored)
{
    CustomColorArray colors;
    colors.fill(QColor(10, 20, 30));
    const QString blob = CustomColorsToString(colors);
    modRegistry::SetCustomColors(reg, blob);
    test::whenModalShows<QColorDialog>([](QColorDialog &d) {
        QColorDialog::setCustomColor(0, QColor(200, 0, 0));
        d.setCurrentColor(Qt::green);
        d.reject();
    });
    EXPECT_EQ(ChooseColor(dialog, reg, 0x00123456, nullptr), 0x00123456);
    EXPECT_TRUE(dialog.Canceled);
    EXPECT_EQ(dialog.Color, 0x00123456);
    EXPECT_EQ(dialog.CustomColors, blob);
    std::int32_t error = 1;
    EXPECT_EQ(reg.GetBinary(clsRegistry::settingsKey(), QStringLiteral("Custom Colors"), error), blob);
    EXPECT_EQ(error, 0);
}
