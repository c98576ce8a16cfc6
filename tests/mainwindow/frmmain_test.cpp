#include "mainwindowfixture.h"
#include "support/mnemonics.h"
#include "core/colormodel.h"
#include "mainwindow/sliderrow.h"
#include "platform/settings.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>


namespace tintwell {
namespace {

// ------------------------------------------------------------------ start-up

TEST_F(MainWindowFixture, FirstStartShowsTermsOnceThenWhiteCentredAndStored)
{
    open();
    EXPECT_EQ(licenseShown, 1);
    EXPECT_FALSE(placedWhenLicenseShown) << "terms come before the window is placed";
    EXPECT_EQ(w->currentColor(), 0xFFFFFF);
    EXPECT_EQ(w->txtCopyBox(0)->text(), QStringLiteral("FFFFFF"));
    EXPECT_EQ(w->txtCopyBox(3)->text(), QStringLiteral("255,255,255"));
    EXPECT_EQ(stored("Last Color"), 16777215);

    const QSize screen = w->screen()->geometry().size();
    const int x = stored("MainX");
    const int y = stored("MainY");
    ASSERT_NE(x, -12345);
    ASSERT_NE(y, -12345);
    // Centred in twips, up to the rounding of the twips-to-pixel move.
    const int windowW = w->sizeHint().expandedTo(QSize(frmMain::ClientWidth, frmMain::ClientHeight)).width();
    EXPECT_NEAR(x, (screen.width() - windowW) * 15 / 2, 15);
    EXPECT_EQ(w->pos().x(), (x + 7) / 15);
    EXPECT_TRUE(w->sliderModeItem(0)->isChecked());
    EXPECT_FALSE(w->mnuOptionsUseOldSliders()->isChecked());

    // The second start finds "Last Color" and no longer shows the terms.
    w->SetColors(rgb(10, 20, 30));
    open();
    EXPECT_EQ(licenseShown, 1);
    EXPECT_EQ(w->currentColor(), rgb(10, 20, 30));
    EXPECT_EQ(boxes(), (std::array<QString, 3>{"10", "20", "30"}));
}

TEST_F(MainWindowFixture, StoredSettingsAreRestored)
{
    reg->SetLong(key(), QStringLiteral("Last Color"), rgb(255, 128, 0));
    reg->SetLong(key(), QStringLiteral("Sliders"), 1);
    reg->SetLong(key(), QStringLiteral("Format"), 2);
    reg->SetLong(key(), QStringLiteral("MainX"), 300);
    reg->SetLong(key(), QStringLiteral("MainY"), 450);
    reg->SetLong(key(), QStringLiteral("Click Copy"), 1);
    reg->SetLong(key(), QStringLiteral("Lowercase Hex"), 1);
    open();
    EXPECT_EQ(licenseShown, 0);
    EXPECT_EQ(w->currentColor(), rgb(255, 128, 0));
    EXPECT_TRUE(w->sliderModeItem(1)->isChecked());
    EXPECT_EQ(w->fraSliders()->title(), QStringLiteral("&Color Sliders - HSL"));
    EXPECT_EQ(w->txtRGBValue(0)->toolTip(), QStringLiteral("Hue Value"));
    EXPECT_TRUE(w->formatItem(2)->isChecked());
    EXPECT_EQ(ctx->SchemeIndex, 2);
    EXPECT_EQ(w->pos(), QPoint(20, 30));
    EXPECT_TRUE(w->mnuOptionsClicktoCopy()->isChecked());
    EXPECT_EQ(w->lblCopySwatch()->text(), QStringLiteral("Click to Copy"));
    EXPECT_TRUE(w->mnuOptionsLowercaseHex()->isChecked());
    EXPECT_EQ(w->txtCopyBox(0)->text(), QStringLiteral("ff8000"));
}

TEST_F(MainWindowFixture, OldSlidersOneStartsOldStyleAndZeroOrAbsentNewStyle)
{
    for (int stored : {1, 0, -1}) {
        SCOPED_TRACE(stored);
        if (stored >= 0)
            reg->SetLong(key(), QStringLiteral("Old Sliders"), stored);
        else
            reg->DeleteValue(key(), QStringLiteral("Old Sliders"));
        reg->SetLong(key(), QStringLiteral("Last Color"), rgb(200, 40, 90));
        open();
        const bool old = stored == 1;
        EXPECT_EQ(w->mnuOptionsUseOldSliders()->isChecked(), old);
        EXPECT_EQ(w->sliders().UseOldSliders, old);
        EXPECT_EQ(this->stored("Old Sliders"), old ? 1 : 0);
        const QImage &bg = w->tracks().TrackBackground();
        // Old style: every track flat; new style: the red row runs from
        // (0, G, B) to (255, G, B).
        if (old) {
            EXPECT_EQ(bg.pixel(0, 0), bg.pixel(175, 15));
            EXPECT_EQ(bg.pixel(0, 29), bg.pixel(199 - 1, 43));
            EXPECT_GT(w->picColorBox(0)->oldThumbWidth(), 0);
        } else {
            EXPECT_EQ(QColor(bg.pixel(0, 0)), QColor(0, 40, 90));
            const QColor top(bg.pixel(174, 0));
            EXPECT_GE(top.red(), 250);
            EXPECT_EQ(top.green(), 40);
            EXPECT_EQ(top.blue(), 90);
            EXPECT_EQ(w->picColorBox(0)->oldThumbWidth(), 0);
        }
    }
}

TEST_F(MainWindowFixture, StyleOptionTogglesAndStores)
{
    open();
    ASSERT_FALSE(w->mnuOptionsUseOldSliders()->isChecked());
    const auto before = outputs();
    w->mnuOptionsUseOldSliders()->trigger();
    EXPECT_TRUE(w->mnuOptionsUseOldSliders()->isChecked());
    EXPECT_EQ(stored("Old Sliders"), 1);
    w->mnuOptionsUseOldSliders()->trigger();
    EXPECT_FALSE(w->mnuOptionsUseOldSliders()->isChecked());
    EXPECT_EQ(stored("Old Sliders"), 0);
    EXPECT_EQ(outputs(), before);
}

// Every stored value garbled in its own way: wrong types, out of range,
// positions far off screen. The window starts with the defaults.
TEST_F(MainWindowFixture, CorruptStoredValuesFallBackToDefaults)
{
    const QString k = key();
    reg->SetString(k, QStringLiteral("Format"), QStringLiteral("banana"));
    reg->SetLong(k, QStringLiteral("Sliders"), 7);
    reg->SetBinary(k, QStringLiteral("Last Color"), QStringLiteral("\x01\x02"));
    reg->SetLong(k, QStringLiteral("On Top"), -5);
    reg->SetString(k, QStringLiteral("Click Copy"), QStringLiteral("yes"));
    reg->SetString(k, QStringLiteral("Lowercase Hex"), QStringLiteral("1"));
    reg->SetString(k, QStringLiteral("Extra Hex Zeros"), QString());
    reg->SetBinary(k, QStringLiteral("Old Sliders"), QStringLiteral("\xff"));
    reg->SetString(k, QStringLiteral("MainX"), QStringLiteral("-"));
    reg->SetLong(k, QStringLiteral("MainY"), 2000000000);
    reg->SetLong(k, QStringLiteral("Custom Colors"), 5);
    reg->SetLong(k, QStringLiteral("Last Palette"), 9);
    open();
    EXPECT_EQ(ctx->SchemeIndex, 0);
    EXPECT_TRUE(w->formatItem(0)->isChecked());
    EXPECT_EQ(stored("Format"), 0) << "the value in use is stored over the damaged one";
    EXPECT_EQ(w->sliders().SliderMode, kSliderModeRGB);
    // A "Last Color" that is present but unreadable is not a first run.
    EXPECT_EQ(w->currentColor(), 0xFFFFFF);
    EXPECT_FALSE(w->mnuOptionsAlwaysonTop()->isChecked());
    EXPECT_FALSE(w->mnuOptionsAddExtraZerosToHex()->isChecked());
    EXPECT_FALSE(w->mnuOptionsLowercaseHex()->isChecked());
    EXPECT_FALSE(w->mnuOptionsClicktoCopy()->isChecked());
    EXPECT_EQ(w->txtCopyBox(0)->text(), QStringLiteral("FFFFFF"));
    const QRect screen = w->screen()->geometry();
    EXPECT_TRUE(screen.contains(w->pos())) << w->pos().x() << "," << w->pos().y();
}

TEST_F(MainWindowFixture, AFormatOutOfRangeIsCorrectedSoStandardCanBeChosenAgain)
{
    reg->SetLong(key(), QStringLiteral("Format"), 9);
    reg->SetLong(key(), QStringLiteral("Last Color"), rgb(1, 2, 3));
    open();
    EXPECT_TRUE(w->formatItem(0)->isChecked());
    EXPECT_EQ(stored("Format"), 0);
    w->formatItem(2)->trigger();
    w->formatItem(0)->trigger();
    EXPECT_EQ(stored("Format"), 0);
    EXPECT_EQ(w->currentColor(), rgb(1, 2, 3));
}

TEST_F(MainWindowFixture, ADamagedSettingsFileIsSetAsideAndTheWindowStarts)
{
    const QString path = dir.filePath(QStringLiteral("settings.ini"));
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray("\x00\x01garbage[[[\n=\xff\xfe", 16));
    }
    open();
    EXPECT_EQ(w->currentColor(), 0xFFFFFF);
    EXPECT_EQ(stored("Last Color"), 16777215);
    QDir d(dir.path());
    const QStringList kept = d.entryList(QDir::Files).filter(QStringLiteral("settings"));
    EXPECT_GE(kept.size(), 2) << "the damaged file is kept beside the new one: " << kept.join(' ').toStdString();
}

TEST_F(MainWindowFixture, LastColorFollowsADragWithoutAWritePerStepAndIsSavedAtClose)
{
    open();
    const int writes = reg->writeCount();
    for (int r = 0; r < 50; ++r)
        w->SetColors(rgb(r, 7, 9));
    EXPECT_LE(reg->writeCount() - writes, 1);
    // Written a moment later; a loaded machine may take longer than the delay.
    EXPECT_TRUE(QTest::qWaitFor([&] { return stored("Last Color") == rgb(49, 7, 9); }, 10000));

    w->SetColors(rgb(1, 2, 3));
    w->show();
    EXPECT_TRUE(w->close());
    EXPECT_EQ(stored("Last Color"), rgb(1, 2, 3));
}

// ------------------------------------------------------------- slider modes

// Colours whose trip through HSL or HSB and back does not return them; the
// mode switch must keep them anyway.
TEST_F(MainWindowFixture, ModeSwitchKeepsTheColourAndEveryOutput)
{
    open();
    const std::int32_t colours[] = {rgb(255, 128, 0), rgb(1, 2, 3), rgb(254, 1, 127), rgb(17, 200, 99),
                                    rgb(128, 128, 128), rgb(0, 0, 0), rgb(255, 255, 255), rgb(3, 250, 251)};
    for (std::int32_t c : colours) {
        SCOPED_TRACE(c);
        w->SetColors(c);
        const auto before = outputs();
        for (int mode : {1, 2, 3, 0, 2, 1, 3, 0}) {
            w->sliderModeItem(mode)->trigger();
            EXPECT_EQ(w->currentColor(), c) << "mode " << mode;
            EXPECT_EQ(outputs(), before) << "mode " << mode;
            EXPECT_EQ(stored("Sliders"), mode);
        }
    }
}

// A menu opened with the mouse takes the focus from the box it was in; the
// box's commit must not read back the rounded view of the colour it shows.
TEST_F(MainWindowFixture, ModeAndSchemeSwitchesKeepTheColourWhereverTheFocusWas)
{
    open();
    w->show();
    QApplication::setActiveWindow(w.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    QWidget *elsewhere = w->picCopySwatch();
    for (int target = 0; target < 4; ++target) {
        SCOPED_TRACE(target);
        QWidget *focus = target < 3 ? static_cast<QWidget *>(w->txtRGBValue(target)) : w->picColorBox(ShadeRow);
        auto leaveAfter = [&](QAction *item) {
            focus->setFocus();
            ASSERT_EQ(QApplication::focusWidget(), focus);
            item->trigger();
            elsewhere->setFocus();
        };
        w->formatItem(0)->trigger();
        w->sliderModeItem(kSliderModeRGB)->trigger();
        typeInto(0, QStringLiteral("255"));
        typeInto(1, QStringLiteral("128"));
        typeInto(2, QStringLiteral("0"));
        ASSERT_EQ(w->txtCopyBox(0)->text(), QStringLiteral("FF8000"));

        leaveAfter(w->sliderModeItem(kSliderModeHSL));
        EXPECT_EQ(w->txtCopyBox(0)->text(), QStringLiteral("FF8000"));
        leaveAfter(w->sliderModeItem(kSliderModeRGB));
        EXPECT_EQ(w->txtCopyBox(0)->text(), QStringLiteral("FF8000"));

        leaveAfter(w->formatItem(2));
        EXPECT_EQ(boxes(), (std::array<QString, 3>{"100", "50", "0"}));
        leaveAfter(w->formatItem(0));
        EXPECT_EQ(w->currentColor(), rgb(255, 128, 0));
        EXPECT_EQ(boxes(), (std::array<QString, 3>{"255", "128", "0"}));
        leaveAfter(w->formatItem(2));
        leaveAfter(w->formatItem(1));
        EXPECT_EQ(w->currentColor(), rgb(255, 128, 0));
    }
}

TEST_F(MainWindowFixture, ModeSwitchShowsTheColourInTheNewSystem)
{
    open();
    w->SetColors(rgb(255, 128, 0));
    w->sliderModeItem(kSliderModeHSL)->trigger();
    // Standard scheme: hue in degrees, saturation and lightness 0-100.
    EXPECT_EQ(boxes(), (std::array<QString, 3>{"30", "100", "50"}));
    EXPECT_EQ(w->fraSliders()->title(), QStringLiteral("&Color Sliders - HSL"));
    EXPECT_EQ(w->picColorBox(2)->toolTip(), QStringLiteral("Luminescence Value"));
    w->sliderModeItem(kSliderModeCMY)->trigger();
    EXPECT_EQ(boxes(), (std::array<QString, 3>{"0", "50", "100"}));
    w->sliderModeItem(kSliderModeRGB)->trigger();
    EXPECT_EQ(boxes(), (std::array<QString, 3>{"255", "128", "0"}));
}

TEST_F(MainWindowFixture, ChoosingTheCheckedModeChangesAndStoresNothing)
{
    open();
    w->SetColors(rgb(255, 128, 0));
    const int writes = reg->writeCount();
    const auto before = outputs();
    w->sliderModeItem(kSliderModeRGB)->trigger();
    EXPECT_TRUE(w->sliderModeItem(kSliderModeRGB)->isChecked());
    EXPECT_EQ(reg->writeCount(), writes);
    EXPECT_EQ(outputs(), before);
}

TEST_F(MainWindowFixture, TypedValuesBuildTheColourFromTheBoxes)
{
    open();
    w->SetColors(rgb(255, 128, 0));
    typeInto(0, QStringLiteral("10"));
    EXPECT_EQ(w->currentColor(), rgb(10, 128, 0));
    EXPECT_EQ(w->txtCopyBox(0)->text(), QStringLiteral("0A8000"));

    // Out of range is limited to the top of the row.
    typeInto(1, QStringLiteral("999"));
    EXPECT_EQ(w->txtRGBValue(1)->text(), QStringLiteral("255"));
    EXPECT_EQ(w->currentColor(), rgb(10, 255, 0));

    // In HSL a typed value goes through the HSL conversion, so it is the
    // moved value that changes the colour, not the switch.
    w->sliderModeItem(kSliderModeHSL)->trigger();
    typeInto(2, QStringLiteral("0"));
    EXPECT_EQ(w->currentColor(), 0);
}

TEST_F(MainWindowFixture, StepButtonsStopAtTheLimits)
{
    open();
    w->SetColors(rgb(254, 1, 0));
    SliderRow *red = w->picColorBox(0);
    QTest::mousePress(red->plusButton(), Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(red->plusButton(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(w->currentColor(), rgb(255, 1, 0));
    QTest::mousePress(red->plusButton(), Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(red->plusButton(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(w->currentColor(), rgb(255, 1, 0));
    EXPECT_EQ(w->txtRGBValue(0)->text(), QStringLiteral("255"));

    SliderRow *blue = w->picColorBox(2);
    QTest::mousePress(blue->minusButton(), Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(blue->minusButton(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(w->currentColor(), rgb(255, 1, 0));
    EXPECT_EQ(w->txtRGBValue(2)->text(), QStringLiteral("0"));

    SliderRow *green = w->picColorBox(1);
    green->setFocus();
    QTest::keyClick(green, Qt::Key_End);
    EXPECT_EQ(w->currentColor(), rgb(255, 255, 0));
    QTest::keyClick(green, Qt::Key_Home);
    EXPECT_EQ(w->currentColor(), rgb(255, 0, 0));
}

TEST_F(MainWindowFixture, PasteOfOtherCharactersPutsTheOldValueBack)
{
    open();
    w->SetColors(rgb(12, 34, 56));
    QLineEdit *box = w->txtRGBValue(1);
    box->setFocus();
    box->selectAll();
    QGuiApplication::clipboard()->setText(QStringLiteral("4x"));
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(box->text(), QStringLiteral("34"));
    EXPECT_EQ(w->currentColor(), rgb(12, 34, 56));
}

// ------------------------------------------------------------ shade slider

TEST_F(MainWindowFixture, ShadeToBlackAndWhiteAndBackKeepsHueAndSaturation)
{
    open();
    for (std::int32_t c : {rgb(255, 0, 0), rgb(200, 100, 50), rgb(17, 200, 99)}) {
        SCOPED_TRACE(c);
        w->SetColors(c);
        const float start = w->sliders().ShadeValue;
        const double hue = w->colorValues().HSLHue;
        const double sat = w->colorValues().HSLSaturation;
        SliderRow *shade = w->picColorBox(ShadeRow);
        shade->setFocus();
        QTest::keyClick(shade, Qt::Key_Home);
        EXPECT_EQ(w->currentColor(), 0);
        QTest::keyClick(shade, Qt::Key_End);
        EXPECT_EQ(w->currentColor(), 0xFFFFFF);
        emit shade->valueRequested(ShadeRow, start);
        EXPECT_EQ(w->colorValues().HSLHue, hue);
        EXPECT_EQ(w->colorValues().HSLSaturation, sat);
        EXPECT_EQ(w->currentColor(), c) << "back at the start, the colour is the one shaded";
    }
}

TEST_F(MainWindowFixture, ShadeInHslModeMovesOnlyTheLightnessBox)
{
    reg->SetLong(key(), QStringLiteral("Sliders"), kSliderModeHSL);
    reg->SetLong(key(), QStringLiteral("Last Color"), rgb(255, 128, 0));
    open();
    ASSERT_EQ(boxes(), (std::array<QString, 3>{"30", "100", "50"}));
    SliderRow *shade = w->picColorBox(ShadeRow);
    shade->setFocus();
    QTest::keyClick(shade, Qt::Key_Home);
    EXPECT_EQ(boxes(), (std::array<QString, 3>{"30", "100", "0"}));
    EXPECT_EQ(w->currentColor(), 0);
    // A colour from elsewhere ends the shading: the shade row follows it.
    w->SetColors(rgb(0, 0, 255));
    EXPECT_FALSE(w->session().ShadeDriven);
    EXPECT_EQ(w->session().ShadeHue, 240.0f);
    // Lightness 128 in the 0-100 units of the Standard scheme's HSL rows.
    EXPECT_FLOAT_EQ(w->sliders().ShadeValue, 128.0f * 100.0f / 255.0f);
}

// ------------------------------------------------------------------ keyboard

TEST_F(MainWindowFixture, SAndZCycleThePickerSettings)
{
    open();
    w->show();
    int resampled = 0;
    QObject::connect(w.get(), &frmMain::pickerSettingChanged, [&] { ++resampled; });
    QApplication::setActiveWindow(w.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    QWidget *focus = w->picColorBox(0);
    focus->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), focus);
    auto checked = [](auto item, int n) {
        int k = -1;
        for (int i = 0; i < n; ++i)
            if (item(i)->isChecked())
                k = k == -1 ? i : -2;
        return k;
    };
    auto sample = [&] { return checked([&](int i) { return w->pickerSampleItem(i); }, 4); };
    auto zoom = [&] { return checked([&](int i) { return w->pickerZoomItem(i); }, 5); };
    ASSERT_EQ(sample(), 0);
    for (int expected : {1, 2, 3, 0}) {
        QTest::keyClick(focus, Qt::Key_S);
        EXPECT_EQ(sample(), expected);
    }
    QTest::keyClick(focus, Qt::Key_S, Qt::ShiftModifier);
    EXPECT_EQ(sample(), 1);
    for (int expected : {1, 2, 3, 4, 0}) {
        QTest::keyClick(focus, Qt::Key_Z);
        EXPECT_EQ(zoom(), expected);
    }
    EXPECT_EQ(resampled, 10);
    QTest::keyClick(focus, Qt::Key_A);
    EXPECT_EQ(resampled, 10);
}

// ----------------------------------------------------------------- shut-down

TEST_F(MainWindowFixture, ClosingStoresThePositionUnlessCancelledAtThePalettePrompt)
{
    open();
    w->show();
    w->move(45, 60);
    ctx->Palette.PaletteChanged = true;
    ctx->OwnMessages.answers.append(MsgResult::Cancel);
    EXPECT_FALSE(w->close());
    EXPECT_TRUE(ctx->Palette.PaletteChanged);
    ASSERT_EQ(ctx->OwnMessages.shown.size(), 1);
    EXPECT_EQ(ctx->OwnMessages.shown[0].text, QStringLiteral("Save current palette?"));
    EXPECT_EQ(ctx->OwnMessages.shown[0].title, QStringLiteral("Palette Changed"));

    ctx->OwnMessages.answers.append(MsgResult::No);
    EXPECT_TRUE(w->close());
    EXPECT_EQ(peers.paletteSaves, 0);
    EXPECT_FALSE(ctx->Palette.PaletteChanged);
    EXPECT_EQ(stored("MainX"), w->pos().x() * 15);
    EXPECT_EQ(stored("MainY"), w->pos().y() * 15);
    EXPECT_TRUE(ctx->Closing);
}

} // namespace
} // namespace tintwell

namespace tintwell {
namespace {

TEST_F(MainWindowFixture, EveryMnemonicIsUniqueAndTheMenusWinTheFirstPress)
{
    open();
    w->show();
    QApplication::setActiveWindow(w.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    w->txtCopyBox(0)->setFocus();
    test::expectMnemonicsUnique(w.get());

    // Alt+C O copies the octal text, not the frame's first slider.
    w->SetColors(rgb(255, 128, 0));
    QApplication::clipboard()->clear();
    QTest::keyClick(w->txtCopyBox(0), Qt::Key_C, Qt::AltModifier);
    auto *copy = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    ASSERT_TRUE(copy);
    QTest::keyClick(copy, Qt::Key_O);
    EXPECT_EQ(QApplication::clipboard()->text(), QString::number(0x0080FF, 8));
    // After a choice the next press opens the menu again; closed without a
    // choice, the press right after reaches the frame's first slider.
    QTest::keyClick(w->txtCopyBox(0), Qt::Key_C, Qt::AltModifier);
    auto *again = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    ASSERT_EQ(again, copy);
    QTest::keyClick(again, Qt::Key_Escape);
    QTest::keyClick(w->txtCopyBox(0), Qt::Key_C, Qt::AltModifier);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_TRUE(w->fraSliders()->isAncestorOf(QApplication::focusWidget()));
}

} // namespace
} // namespace tintwell
