#include "mainwindowfixture.h"
#include "support/mnemonics.h"
#include "picker/converterpanel.h"

#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QScreen>

namespace tintwell {
namespace {

// ------------------------------------------------------------------ start-up

TEST_F(MainWindowFixture, FirstStartShowsTermsOnceThenWhiteCentredAndStored)
{
    open();
    EXPECT_EQ(licenseShown, 1);
    EXPECT_FALSE(placedWhenLicenseShown) << "terms come before the window is placed";
    EXPECT_EQ(w->txtCopyBox(3)->text(), QStringLiteral("255,255,255"));
    EXPECT_EQ(stored("Last Color"), 16777215);
    // Centred in twips, up to the rounding of the twips-to-pixel move.
    const int width = w->sizeHint().expandedTo(QSize(frmMain::ClientWidth, frmMain::ClientHeight)).width();
    EXPECT_NEAR(stored("MainX"), (w->screen()->geometry().width() - width) * 15 / 2, 15);
    EXPECT_EQ(w->pos().x(), (stored("MainX") + 7) / 15);

    w->SetColors(rgb(10, 20, 30));
    open();
    EXPECT_EQ(licenseShown, 1) << "the second start finds \"Last Color\"";
    EXPECT_EQ(boxes(), (Boxes{"10", "20", "30"}));
}

TEST_F(MainWindowFixture, StoredSettingsAreRestored)
{
    setAll({{"Last Color", rgb(200, 40, 90)}, {"Sliders", 1}, {"Format", 2}, {"MainX", 300}, {"MainY", 450},
            {"Old Sliders", 1}});
    open();
    EXPECT_EQ(licenseShown, 0);
    EXPECT_EQ(w->currentColor(), rgb(200, 40, 90));
    EXPECT_TRUE(w->sliderModeItem(1)->isChecked());
    EXPECT_TRUE(w->formatItem(2)->isChecked());
    EXPECT_EQ(ctx->SchemeIndex, 2);
    EXPECT_EQ(w->pos(), QPoint(20, 30));
    // The old style draws every track flat, with a box for a thumb.
    const QImage &bg = w->tracks().TrackBackground();
    EXPECT_EQ(bg.pixel(0, 0), bg.pixel(174, 0));
    EXPECT_GT(w->picColorBox(0)->oldThumbWidth(), 0);
}

// Every stored value garbled in its own way: wrong types, out of range,
// positions far off screen. The window starts with the defaults.
TEST_F(MainWindowFixture, CorruptStoredValuesFallBackToDefaults)
{
    const QString k = key();
    reg->SetString(k, QStringLiteral("Format"), QStringLiteral("banana"));
    reg->SetBinary(k, QStringLiteral("Last Color"), QStringLiteral("\x01\x02"));
    reg->SetString(k, QStringLiteral("Click Copy"), QStringLiteral("yes"));
    reg->SetString(k, QStringLiteral("Lowercase Hex"), QStringLiteral("1"));
    reg->SetString(k, QStringLiteral("Extra Hex Zeros"), QString());
    reg->SetBinary(k, QStringLiteral("Old Sliders"), QStringLiteral("\xff"));
    reg->SetString(k, QStringLiteral("MainX"), QStringLiteral("-"));
    setAll({{"Sliders", 7}, {"On Top", -5}, {"MainY", 2000000000}, {"Custom Colors", 5}, {"Last Palette", 9}});
    open();
    EXPECT_TRUE(w->formatItem(0)->isChecked());
    EXPECT_EQ(stored("Format"), 0) << "the value in use is stored over the damaged one";
    EXPECT_EQ(w->sliders().SliderMode, kSliderModeRGB);
    EXPECT_EQ(w->currentColor(), 0xFFFFFF);
    for (QAction *a : {w->mnuOptionsAlwaysonTop(), w->mnuOptionsAddExtraZerosToHex(), w->mnuOptionsLowercaseHex(),
                       w->mnuOptionsClicktoCopy(), w->mnuOptionsUseOldSliders()})
        EXPECT_FALSE(a->isChecked()) << a->text().toStdString();
    EXPECT_EQ(w->txtCopyBox(0)->text(), QStringLiteral("FFFFFF"));
    EXPECT_TRUE(w->screen()->geometry().contains(w->pos())) << w->pos().x() << "," << w->pos().y();
}

TEST_F(MainWindowFixture, AFormatOutOfRangeIsCorrectedSoStandardCanBeChosenAgain)
{
    setAll({{"Format", 9}, {"Last Color", rgb(1, 2, 3)}});
    open();
    EXPECT_TRUE(w->formatItem(0)->isChecked());
    EXPECT_EQ(stored("Format"), 0);
    w->formatItem(2)->trigger();
    w->formatItem(0)->trigger();
    EXPECT_EQ(stored("Format"), 0);
    EXPECT_EQ(w->currentColor(), rgb(1, 2, 3));
}

TEST_F(MainWindowFixture, LastColorFollowsADragWithoutAWritePerStepAndIsSavedAtClose)
{
    open();
    const int writes = reg->writeCount();
    for (int r = 0; r < 50; ++r)
        w->SetColors(rgb(r, 7, 9));
    EXPECT_LE(reg->writeCount() - writes, 1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return stored("Last Color") == rgb(49, 7, 9); }, 10000))
        << "\"Last Color\" not written within 10 s of the drag";
    w->SetColors(rgb(1, 2, 3));
    w->show();
    EXPECT_TRUE(w->close());
    EXPECT_EQ(stored("Last Color"), rgb(1, 2, 3));
}

// ------------------------------------------------------------- slider modes

// The arithmetic of every mode and colour is the session's (tests/core); here
// the menu reaches it, shows the new units, keeps every output and stores.
TEST_F(MainWindowFixture, ModeMenuShowsTheColourInTheNewSystemAndKeepsTheOutputs)
{
    open();
    w->SetColors(rgb(255, 128, 0));
    const auto before = outputs();
    const std::pair<int, Boxes> modes[] = {{kSliderModeHSL, {"30", "100", "50"}},
                                           {kSliderModeCMY, {"0", "50", "100"}},
                                           {kSliderModeHSB, {"30", "100", "100"}},
                                           {kSliderModeRGB, {"255", "128", "0"}}};
    for (const auto &[mode, expected] : modes) {
        w->sliderModeItem(mode)->trigger();
        EXPECT_EQ(boxes(), expected) << "mode " << mode;
        EXPECT_EQ(outputs(), before) << "mode " << mode;
        EXPECT_EQ(stored("Sliders"), mode);
    }
    // The checked mode or format again changes and stores nothing.
    const int writes = reg->writeCount();
    w->sliderModeItem(kSliderModeRGB)->trigger();
    w->formatItem(0)->trigger();
    EXPECT_TRUE(w->sliderModeItem(kSliderModeRGB)->isChecked());
    EXPECT_TRUE(w->formatItem(0)->isChecked());
    EXPECT_EQ(reg->writeCount(), writes);
    EXPECT_EQ(outputs(), before);
}

// A menu opened with the mouse takes the focus from the box it was in; the
// box's commit must not read back the rounded view of the colour it shows.
TEST_F(MainWindowFixture, ModeAndSchemeSwitchesKeepTheColourWhereverTheFocusWas)
{
    open();
    ASSERT_TRUE(activate());
    for (int target = 0; target < 4; ++target) {
        SCOPED_TRACE(target);
        QWidget *focus = target < 3 ? static_cast<QWidget *>(w->txtRGBValue(target)) : w->picColorBox(ShadeRow);
        auto leaveAfter = [&](QAction *item) {
            focus->setFocus();
            ASSERT_EQ(QApplication::focusWidget(), focus);
            item->trigger();
            w->picCopySwatch()->setFocus();
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
        EXPECT_EQ(boxes(), (Boxes{"100", "50", "0"}));
        leaveAfter(w->formatItem(0));
        EXPECT_EQ(boxes(), (Boxes{"255", "128", "0"}));
        leaveAfter(w->formatItem(2));
        leaveAfter(w->formatItem(1));
        EXPECT_EQ(w->currentColor(), rgb(255, 128, 0));
    }
}

TEST_F(MainWindowFixture, TypedValuesBuildTheColourFromTheBoxes)
{
    open();
    w->SetColors(rgb(255, 128, 0));
    typeInto(0, QStringLiteral("10"));
    EXPECT_EQ(w->txtCopyBox(0)->text(), QStringLiteral("0A8000"));
    typeInto(1, QStringLiteral("999"));
    EXPECT_EQ(w->txtRGBValue(1)->text(), QStringLiteral("255")) << "limited to the top of the row";
    EXPECT_EQ(w->currentColor(), rgb(10, 255, 0));
    QTest::mouseClick(w->picColorBox(1)->plusButton(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(w->currentColor(), rgb(10, 255, 0)) << "a step past the top stays there";
    w->txtRGBValue(2)->setText(QStringLiteral("7"));
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(w->txtRGBValue(2), &out);
    EXPECT_EQ(w->currentColor(), rgb(10, 255, 7)) << "leaving a typed box commits it";
    // In HSL the typed value goes through the HSL conversion.
    w->sliderModeItem(kSliderModeHSL)->trigger();
    typeInto(2, QStringLiteral("0"));
    EXPECT_EQ(w->currentColor(), 0);
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

// The session's tests check the way back to the shaded colour; here the
// keys reach the shade row and the boxes follow it.
TEST_F(MainWindowFixture, ShadeToBlackAndWhiteMovesOnlyTheLightnessBoxAndComesBack)
{
    setAll({{"Sliders", kSliderModeHSL}, {"Last Color", rgb(255, 128, 0)}});
    open();
    SliderRow *shade = w->picColorBox(ShadeRow);
    const float start = w->sliders().ShadeValue;
    QTest::keyClick(shade, Qt::Key_Home);
    EXPECT_EQ(boxes(), (Boxes{"30", "100", "0"}));
    EXPECT_EQ(w->currentColor(), 0);
    QTest::keyClick(shade, Qt::Key_End);
    EXPECT_EQ(w->currentColor(), 0xFFFFFF);
    emit shade->valueRequested(ShadeRow, start);
    EXPECT_EQ(w->currentColor(), rgb(255, 128, 0)) << "back at the start, the colour is the one shaded";
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
    int resampled = 0;
    QObject::connect(w.get(), &frmMain::pickerSettingChanged, [&] { ++resampled; });
    ASSERT_TRUE(activate());
    QWidget *focus = w->picColorBox(0);
    focus->setFocus();
    // The one checked item of a group, -2 when more than one is.
    auto checked = [&](QAction *(frmMain::*item)(int) const, int n) {
        int k = -1;
        for (int i = 0; i < n; ++i)
            if ((w.get()->*item)(i)->isChecked())
                k = k == -1 ? i : -2;
        return k;
    };
    ASSERT_EQ(checked(&frmMain::pickerSampleItem, 4), 0);
    for (int expected : {1, 2, 3, 0}) {
        QTest::keyClick(focus, Qt::Key_S);
        EXPECT_EQ(checked(&frmMain::pickerSampleItem, 4), expected);
    }
    QTest::keyClick(focus, Qt::Key_S, Qt::ShiftModifier);
    EXPECT_EQ(checked(&frmMain::pickerSampleItem, 4), 1);
    for (int expected : {1, 2, 3, 4, 0}) {
        QTest::keyClick(focus, Qt::Key_Z);
        EXPECT_EQ(checked(&frmMain::pickerZoomItem, 5), expected);
    }
    QTest::keyClick(focus, Qt::Key_A);
    EXPECT_EQ(resampled, 10);
}

TEST_F(MainWindowFixture, AltNReachesTheTypeListAndAltVConverts)
{
    open();
    ASSERT_TRUE(activate());
    ConverterPanel *c = w->converterPanel();
    w->picColorBox(0)->setFocus();
    QTest::keyClick(w.get(), Qt::Key_N, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), c->cboConvertType());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), c->txtConvert());
    QTest::keyClick(w.get(), Qt::Key_N, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), c->cboConvertType()) << "back to the list, not the last focused control";

    session->ShadeDriven = true;
    c->cboConvertType()->setCurrentIndex(2);
    c->txtConvert()->setText(QStringLiteral("255"));
    QTest::keyClick(w.get(), Qt::Key_V, Qt::AltModifier);
    // A button's access key clicks it a moment later.
    EXPECT_TRUE(QTest::qWaitFor([&] { return w->currentColor() == rgb(255, 0, 0); }, 5000))
        << "Alt+V did not convert within 5 s";
    EXPECT_FALSE(session->ShadeDriven) << "a colour from outside the sliders ends shading";
    EXPECT_EQ(w->txtCopyBox(0)->text(), QStringLiteral("FF0000"));
    c->txtConvert()->setText(QStringLiteral("65280"));
    QTest::keyClick(c->txtConvert(), Qt::Key_Return);
    EXPECT_EQ(w->currentColor(), rgb(0, 255, 0)) << "Enter in the box converts too";
}

TEST_F(MainWindowFixture, EveryMnemonicIsUniqueAndTheMenusWinTheFirstPress)
{
    open();
    ASSERT_TRUE(activate());
    w->txtCopyBox(0)->setFocus();
    test::expectMnemonicsUnique(w.get());

    // Alt+C O copies the octal text, not the frame's first slider.
    w->SetColors(rgb(255, 128, 0));
    QApplication::clipboard()->clear();
    QTest::keyClick(w->txtCopyBox(0), Qt::Key_C, Qt::AltModifier);
    auto *copy = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    ASSERT_TRUE(copy);
    QTest::keyClick(copy, Qt::Key_O);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("100377"));
    // After a choice the next press opens the menu again; closed without a
    // choice, the press right after reaches the frame's first slider.
    QTest::keyClick(w->txtCopyBox(0), Qt::Key_C, Qt::AltModifier);
    ASSERT_EQ(QApplication::activePopupWidget(), copy);
    QTest::keyClick(copy, Qt::Key_Escape);
    QTest::keyClick(w->txtCopyBox(0), Qt::Key_C, Qt::AltModifier);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_TRUE(w->fraSliders()->isAncestorOf(QApplication::focusWidget()));
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
