#include "platform/colordialog.h"
#include "platform/registry.h"
#include "platform/settings.h"

#include "dialogtest.h"

#include <QColorDialog>
#include <QTemporaryDir>

#include "printers.h"

#include <gtest/gtest.h>

using namespace tintwell;

TEST(CustomColorBlob, SixteenRedGreenBlueZeroQuadsOf64Bytes)
{
    for (const QColor &c : CustomColorsFromString(QString()))
        EXPECT_EQ(c, QColor(255, 255, 255));
    const QString shortBlob = QStringLiteral("\x10\x20\x30");
    EXPECT_EQ(NormalizeCustomColors(shortBlob), shortBlob + QString(61, QChar(0)));
    const CustomColorArray padded = CustomColorsFromString(shortBlob);
    EXPECT_EQ(padded[0], QColor(0x10, 0x20, 0x30));
    EXPECT_EQ(padded[15], QColor(0, 0, 0)); // padding is black, not white
    EXPECT_EQ(NormalizeCustomColors(QString(64, QChar(7)) + QStringLiteral("extra")), QString(64, QChar(7)));
    EXPECT_EQ(NormalizeCustomColors(QString(QChar(0x263A))).at(0), QChar(u'?'));

    CustomColorArray colors;
    for (int i = 0; i < 16; ++i)
        colors[i] = QColor(i * 16, 255 - i, i * 3);
    QString blob = CustomColorsToString(colors);
    EXPECT_EQ(blob.mid(4 * 5, 4), QString::fromLatin1("\x50\xfa\x0f\x00", 4));
    EXPECT_EQ(CustomColorsFromString(blob), colors);
    blob[3] = QChar(0x80); // a fourth byte that is not 0 does not leak into the colour
    EXPECT_EQ(CustomColorsFromString(blob)[0], colors[0]);

    EXPECT_EQ(ColorFromValue(0x00FF8000), QColor(0x00, 0x80, 0xFF)); // values are blue, green, red
    EXPECT_EQ(ValueFromColor(QColor(0x12, 0x34, 0x56)), 0x00563412);
    EXPECT_EQ(ColorFromValue(std::int32_t(0x80123456)), QColor(0x56, 0x34, 0x12));
}

TEST(ColorDialog, TheChosenColourAndTheCustomColoursAreStoredAndOfferedAgain)
{
    QTemporaryDir dir;
    clsRegistry reg{dir.path() + "/settings.ini"};
    QList<QColor> seen;
    test::whenModalShows<QColorDialog>([&](QColorDialog &d) {
        seen = {d.currentColor(), QColorDialog::customColor(0)};
        QColorDialog::setCustomColor(3, QColor(1, 2, 3));
        d.setCurrentColor(QColor(0x40, 0x50, 0x60));
        d.accept();
    });
    clsColorDialog dialog;
    EXPECT_EQ(ChooseColor(dialog, reg, 0x00FF8000, nullptr), 0x00605040);
    EXPECT_EQ(seen, QList<QColor>({QColor(0x00, 0x80, 0xFF), Qt::white})) << "nothing stored yet: all white";
    EXPECT_FALSE(dialog.Canceled);
    EXPECT_EQ(CustomColorsFromString(modRegistry::GetCustomColors(reg))[3], QColor(1, 2, 3));

    // Offered again next time, even when the process-wide table was changed meanwhile;
    // a cancel changes neither the colour nor the stored custom colours.
    QColorDialog::setCustomColor(3, QColor(9, 9, 9));
    test::whenModalShows<QColorDialog>([&](QColorDialog &d) {
        seen = {QColorDialog::customColor(3)};
        QColorDialog::setCustomColor(0, QColor(200, 0, 0));
        d.setCurrentColor(Qt::green);
        d.reject();
    });
    clsColorDialog fresh;
    EXPECT_EQ(ChooseColor(fresh, reg, 0x00605040, nullptr), 0x00605040);
    EXPECT_TRUE(fresh.Canceled);
    EXPECT_EQ(fresh.Color, 0x00605040);
    EXPECT_EQ(seen, QList<QColor>{QColor(1, 2, 3)});
    const CustomColorArray stored = CustomColorsFromString(modRegistry::GetCustomColors(reg));
    EXPECT_EQ(stored[0], QColor(Qt::white));
    EXPECT_EQ(stored[3], QColor(1, 2, 3));
}
