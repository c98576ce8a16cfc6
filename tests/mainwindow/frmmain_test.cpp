#include "mainwindowfixture.h"
#include "picker/converterpanel.h"
#include "support/files.h"
#include "support/mnemonics.h"

namespace tintwell {
namespace {

void click(QWidget *target) { QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(4, 4)); }

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
}

TEST_F(MainWindowFixture, StoredSettingsAreRestored)
{
    setAll({{"Sliders", 1}, {"Format", 2}, {"MainX", 300}, {"MainY", 450}, {"Old Sliders", 1}});
    openAt(rgb(200, 40, 90));
    EXPECT_EQ(licenseShown, 0);
    EXPECT_EQ(boxes(), (Boxes{"341", "67", "47"}));
    EXPECT_TRUE(w->sliderModeItem(1)->isChecked());
    EXPECT_TRUE(w->formatItem(2)->isChecked());
    EXPECT_EQ(ctx->SchemeIndex, 2);
    EXPECT_EQ(w->pos(), QPoint(20, 30));
    // The old style draws every track flat, with a box for a thumb.
    EXPECT_EQ(w->tracks().TrackBackground().pixel(0, 0), w->tracks().TrackBackground().pixel(174, 0));
    EXPECT_GT(w->picColorBox(0)->oldThumbWidth(), 0);
}

// Wrong types, values out of range, positions far off screen: the defaults.
TEST_F(MainWindowFixture, CorruptStoredValuesFallBackToDefaults)
{
    const QString k = clsRegistry::settingsKey();
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
    EXPECT_TRUE(w->screen()->geometry().contains(w->pos())) << w->pos().x() << "," << w->pos().y();
}

TEST_F(MainWindowFixture, AFormatOutOfRangeIsCorrectedSoStandardCanBeChosenAgain)
{
    setAll({{"Format", 9}});
    openAt(rgb(1, 2, 3));
    EXPECT_TRUE(w->formatItem(0)->isChecked());
    EXPECT_EQ(stored("Format"), 0);
    chooseFormat(2);
    chooseFormat(0);
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

TEST_F(MainWindowFixture, OptionsAreStoredAndRestoredAndRewriteTheHexOutputs)
{
    openAt(rgb(255, 128, 0));
    const std::pair<QAction *(frmMain::*)() const, const char *> options[] = {
        {&frmMain::mnuOptionsLowercaseHex, "Lowercase Hex"},
        {&frmMain::mnuOptionsAddExtraZerosToHex, "Extra Hex Zeros"},
        {&frmMain::mnuOptionsAlwaysonTop, "On Top"}, {&frmMain::mnuOptionsClicktoCopy, "Click Copy"},
        {&frmMain::mnuOptionsUseOldSliders, "Old Sliders"}};
    const QRgb newStyle = w->tracks().TrackBackground().pixel(174, 0);
    for (const bool on : {true, false}) {
        for (const auto &[item, name] : options) {
            (w.get()->*item)()->trigger();
            EXPECT_EQ(stored(name), on ? 1 : 0) << name;
        }
        EXPECT_EQ(bool(w->windowFlags() & Qt::WindowStaysOnTopHint), on);
        EXPECT_EQ(w->txtCopyBox(0)->text(), on ? QStringLiteral("ff8000") : QStringLiteral("FF8000"));
        EXPECT_EQ(w->txtCopyBox(1)->text(), on ? QStringLiteral("000080ff") : QStringLiteral("80FF"));
        if (on) {
            open();
            for (const auto &[item, name] : options)
                EXPECT_TRUE((w.get()->*item)()->isChecked()) << name;
        }
    }
    EXPECT_EQ(w->tracks().TrackBackground().pixel(174, 0), newStyle) << "the new style is drawn again";
    // A hex option once changed the colour in a scheme coarser than bytes.
    w.reset();
    setAll({{"Format", 3}, {"Last Color", rgb(17, 200, 99)}});
    open();
    w->mnuOptionsLowercaseHex()->trigger();
    EXPECT_EQ(w->txtCopyBox(0)->text(), QStringLiteral("11c863"));
}

// Every mode and colour: tests/core; here the menu shows the new units and stores.
TEST_F(MainWindowFixture, ModeMenuShowsTheColourInTheNewSystemAndKeepsTheOutputs)
{
    openAt(rgb(255, 128, 0));
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
        chooseFormat(0);
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

TEST_F(MainWindowFixture, TypedValuesBuildTheColourAndOtherCharactersAreRefused)
{
    openAt(rgb(255, 128, 0));
    typeInto(0, QStringLiteral("10"));
    EXPECT_EQ(w->txtCopyBox(0)->text(), QStringLiteral("0A8000"));
    typeInto(1, QStringLiteral("999"));
    EXPECT_EQ(w->txtRGBValue(1)->text(), QStringLiteral("255")) << "limited to the top of the row";
    QTest::mouseClick(w->picColorBox(1)->plusButton(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(w->currentColor(), rgb(10, 255, 0)) << "a step past the top stays there";
    w->txtRGBValue(2)->setText(QStringLiteral("7"));
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(w->txtRGBValue(2), &out);
    EXPECT_EQ(w->currentColor(), rgb(10, 255, 7)) << "leaving a typed box commits it";

    QLineEdit *box = w->txtRGBValue(1);
    box->setFocus();
    box->selectAll();
    QGuiApplication::clipboard()->setText(QStringLiteral("4x"));
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(box->text(), QStringLiteral("255")) << "a paste of other characters puts the old value back";
    EXPECT_EQ(w->currentColor(), rgb(10, 255, 7));
}

// A value the box cannot show whole scrolls, and the user reads "07" or ".07"
// for "0.07"; the first character must stay in view in every scheme and mode.
TEST_F(MainWindowFixture, EveryValueBoxShowsItsWholeTextInEveryScheme)
{
    open();
    for (int f = 0; f < 4; ++f) {
        chooseFormat(f);
        for (int mode = kSliderModeRGB; mode <= kSliderModeCMY; ++mode) {
            w->sliderModeItem(mode)->trigger();
            for (std::int32_t colour : {rgb(18, 18, 18), rgb(255, 128, 0), 0, 0xFFFFFF, rgb(250, 251, 252)}) {
                w->SetColors(colour);
                for (int i = 0; i < 3; ++i) {
                    QLineEdit *box = w->txtRGBValue(i);
                    SCOPED_TRACE(QStringLiteral("scheme %1 mode %2 box %3 text %4")
                                     .arg(f).arg(mode).arg(i).arg(box->text()).toStdString());
                    const int length = int(box->text().size());
                    for (int at : {0, length}) {
                        box->setCursorPosition(at);
                        box->grab(); // lays the text out as it is painted
                        EXPECT_EQ(box->cursorPositionAt(QPoint(0, box->height() / 2)), 0) << "cursor " << at;
                        EXPECT_EQ(box->cursorPositionAt(QPoint(box->width() - 1, box->height() / 2)), length);
                    }
                }
            }
        }
    }
}

// The way back to the shaded colour: tests/core; here the keys and the boxes.
TEST_F(MainWindowFixture, ShadeToBlackAndWhiteMovesOnlyTheLightnessBoxAndComesBack)
{
    setAll({{"Sliders", kSliderModeHSL}});
    openAt(rgb(255, 128, 0));
    SliderRow *shade = w->picColorBox(ShadeRow);
    const float start = w->sliders().ShadeValue;
    QTest::keyClick(shade, Qt::Key_Home);
    EXPECT_EQ(boxes(), (Boxes{"30", "100", "0"}));
    QTest::keyClick(shade, Qt::Key_End);
    EXPECT_EQ(w->currentColor(), 0xFFFFFF);
    emit shade->valueRequested(ShadeRow, start);
    EXPECT_EQ(w->currentColor(), rgb(255, 128, 0)) << "back at the start, the colour is the one shaded";
    // A colour from elsewhere ends the shading: the row shows its lightness, 128 of 255.
    w->SetColors(rgb(0, 0, 255));
    EXPECT_EQ(w->session().ShadeHue, 240.0f);
    EXPECT_FLOAT_EQ(w->sliders().ShadeValue, 128.0f * 100.0f / 255.0f);
}

TEST_F(MainWindowFixture, AHueHeldOnAGreyAndASaturationOnBlackSurviveAFormatSwitch)
{
    setAll({{"Sliders", kSliderModeHSL}});
    open();
    typeInto(0, QStringLiteral("120"));
    typeInto(1, QStringLiteral("0"));
    const std::int32_t grey = w->currentColor();
    chooseFormat(3);
    EXPECT_EQ(w->picColorBox(0)->base(), 1.0f) << "the rows take the new scheme's units";
    EXPECT_EQ(boxes()[0], QStringLiteral("0.33"));
    chooseFormat(0);
    EXPECT_EQ(boxes(), (Boxes{"120", "0", boxes()[2]}));
    EXPECT_EQ(w->currentColor(), grey);

    w->sliderModeItem(kSliderModeHSB)->trigger();
    chooseFormat(1); // Byte: every box in internal units
    typeInto(2, QStringLiteral("0"));
    typeInto(0, QStringLiteral("200"));
    typeInto(1, QStringLiteral("178"));
    chooseFormat(2);
    EXPECT_EQ(boxes(), (Boxes{"200", "70", "0"}));
    chooseFormat(1);
    EXPECT_EQ(boxes(), (Boxes{"200", "178", "0"}));
    EXPECT_EQ(w->currentColor(), 0);
}

// Slot 1 has line feeds alone, slot 2 carriage returns too, slot 4 a name
// without a line break, which is cut to 64 characters.
TEST_F(MainWindowFixture, CustomSlotsAppearByTheirFilesAndLoadWithEitherLineEnd)
{
    const auto edit = [](FormatScheme &s) {
        s.Info[TN_RGB].FormatName = QStringLiteral("&Mine");
        s.OutputSeparators[TN_RGB].LeftEnd = QStringLiteral("rgb(");
        s.Info[TN_HEX].ExportScript = QStringLiteral("line one\r\nline two");
    };
    writeSlot(2, QStringLiteral("Unix"), 1, edit);
    writeSlot(2, QStringLiteral("Windows"), 2, edit);
    QByteArray bytes = test::fileBytes(SlotFilePath(dir.path(), 1));
    ASSERT_TRUE(bytes.contains("\r\n"));
    test::writeBytes(SlotFilePath(dir.path(), 1), bytes.replace("\r\n", "\n"));
    test::writeBytes(SlotFilePath(dir.path(), 4), QByteArray(70, 'n'));

    openAt(rgb(17, 200, 99));
    for (int n = 1; n <= 5; ++n)
        EXPECT_EQ(w->formatItem(kFirstCustomScheme + n - 1)->isVisible(), n != 3 && n != 5) << n;
    EXPECT_EQ(w->formatItem(kFirstCustomScheme)->text(), QStringLiteral("Unix"));
    EXPECT_EQ(w->formatItem(kFirstCustomScheme + 3)->text(), QString(64, QLatin1Char('n')));
    QFile::remove(SlotFilePath(dir.path(), 4));
    w->SetCustomFormatMenuNames();
    EXPECT_FALSE(w->formatItem(kFirstCustomScheme + 3)->isVisible());

    chooseFormat(kFirstCustomScheme + 1);
    EXPECT_EQ(stored("Format"), kFirstCustomScheme + 1);
    EXPECT_EQ(boxes(), (Boxes{"7", "78", "39"}));
    const auto withCrLf = outputs();
    const FormatScheme windows = ctx->Scheme;
    chooseFormat(kFirstCustomScheme);
    EXPECT_EQ(outputs(), withCrLf);
    EXPECT_EQ(w->mnuEditCopyValue(kBoxRGB)->text(), QStringLiteral("Copy &Mine"));
    EXPECT_EQ(ctx->Scheme.Info[TN_HEX].ExportScript, windows.Info[TN_HEX].ExportScript);
    EXPECT_EQ(ctx->Scheme.OutputSeparators[TN_RGB].LeftEnd, QStringLiteral("rgb("));
    // A slot file gone missing still counts as the choice; the scheme stays.
    QFile::remove(SlotFilePath(dir.path(), 2));
    chooseFormat(0);
    chooseFormat(kFirstCustomScheme + 1);
    EXPECT_TRUE(w->formatItem(kFirstCustomScheme + 1)->isChecked());
    EXPECT_EQ(stored("Format"), kFirstCustomScheme + 1);
    EXPECT_EQ(boxes(), (Boxes{"17", "200", "99"}));
}

TEST_F(MainWindowFixture, EveryCopyItemAndItsKeyPutItsBoxTextOnTheClipboard)
{
    openAt(rgb(255, 128, 0));
    const std::array<QString, kBoxCount> standard{"FF8000", "80FF", "33023", "255,128,0",
                                                  "30,100,50", "30,100,100", "0,50,100"};
    for (int i = 0; i < kBoxCount; ++i) {
        QGuiApplication::clipboard()->setText(QStringLiteral("before"));
        w->mnuEditCopyValue(i)->trigger();
        EXPECT_EQ(clip(), standard[std::size_t(i)]) << i;
    }
    ASSERT_TRUE(activate());
    QTest::keyClick(w.get(), Qt::Key_F5);
    EXPECT_EQ(clip(), QStringLiteral("255,128,0"));
    QTest::keyClick(w.get(), Qt::Key_F2);
    EXPECT_EQ(clip(), QStringLiteral("FF8000"));
}

TEST_F(MainWindowFixture, CtrlCOrAClickWhenCheckedCopiesTheWholeBoxAndOtherKeysNothing)
{
    openAt(rgb(255, 128, 0));
    QLineEdit *box = w->txtCopyBox(3);
    box->setFocus();
    box->setSelection(0, 3); // only "255" selected: the whole text goes anyway
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    for (auto mods : {Qt::ControlModifier | Qt::ShiftModifier, Qt::ControlModifier | Qt::AltModifier,
                      Qt::KeyboardModifiers(Qt::NoModifier)})
        QTest::keyClick(box, Qt::Key_C, mods);
    click(w->txtCopyBox(4));
    EXPECT_EQ(clip(), QStringLiteral("before"));
    EXPECT_EQ(box->text(), QStringLiteral("255,128,0")) << "the boxes take no typing";
    QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clip(), QStringLiteral("255,128,0"));

    w->mnuOptionsClicktoCopy()->trigger();
    EXPECT_EQ(w->lblCopySwatch()->text(), QStringLiteral("Click to Copy"));
    click(w->txtCopyBox(4));
    EXPECT_EQ(clip(), QStringLiteral("30,100,50"));
}

TEST_F(MainWindowFixture, TheSwatchCopiesAsASolidSquareByKeyMenuContextMenuAndClick)
{
    openAt(rgb(17, 200, 99));
    auto copied = [](const std::function<void()> &how) {
        QGuiApplication::clipboard()->setText(QStringLiteral("x"));
        how();
        const QImage img = QGuiApplication::clipboard()->image();
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if (QColor(img.pixel(x, y)) != QColor(17, 200, 99))
                    return false;
        return img.size() == QSize(32, 32);
    };
    EXPECT_TRUE(copied([&] { w->mnuEditCopySwatch()->trigger(); }));
    QWidget *swatch = w->picCopySwatch();
    EXPECT_FALSE(copied([&] { QTest::keyClick(swatch, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier); }));
    EXPECT_TRUE(copied([&] { QTest::keyClick(swatch, Qt::Key_C, Qt::ControlModifier); }));
    ASSERT_FALSE(w->mnuSwatchMenu()->actions().isEmpty());
    EXPECT_TRUE(copied([&] { w->mnuSwatchMenu()->actions()[0]->trigger(); }));
    w->mnuOptionsClicktoCopy()->trigger();
    EXPECT_TRUE(copied([&] { click(swatch); }));
}

TEST_F(MainWindowFixture, ThePreviewSnapsToTheNearestPaletteEntryAndTheLockOpensThePalette)
{
    open();
    ctx->Palette.PaletteColors.fill(0);
    ctx->Palette.PaletteColors[5] = rgb(250, 130, 10);
    w->SetColors(rgb(255, 128, 0));
    click(w->picPreview());
    EXPECT_EQ(w->currentColor(), rgb(250, 130, 10));
    EXPECT_FALSE(w->imgLock()->isHidden());
    click(w->imgLock());
    EXPECT_EQ(peers.paletteShown, 1);
}

TEST_F(MainWindowFixture, TheColourDialogStartsAtTheColourAndItsAnswerIsTaken)
{
    openAt(rgb(255, 128, 0));
    peers.colorAnswer = rgb(1, 2, 3);
    w->cmdColorDialog()->click();
    EXPECT_EQ(peers.colorsOffered, QList<std::int32_t>{rgb(255, 128, 0)});
    EXPECT_EQ(w->txtCopyBox(3)->text(), QStringLiteral("1,2,3"));
}

TEST_F(MainWindowFixture, SAndZFromAnyControlGoRoundThePickerSettings)
{
    open();
    ASSERT_TRUE(activate());
    w->picColorBox(0)->setFocus();
    for (int i = 0; i < 5; ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_S);
    for (int i = 0; i < 6; ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ShiftModifier);
    EXPECT_TRUE(w->pickerSampleItem(1)->isChecked()) << "five presses: round the four sample sizes and one on";
    EXPECT_TRUE(w->pickerZoomItem(1)->isChecked()) << "six presses: round the five zooms and one on";
    EXPECT_FALSE(w->pickerZoomItem(0)->isChecked());
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

    c->cboConvertType()->setCurrentIndex(2);
    c->txtConvert()->setText(QStringLiteral("255"));
    QTest::keyClick(w.get(), Qt::Key_V, Qt::AltModifier);
    // A button's access key clicks it a moment later.
    EXPECT_TRUE(QTest::qWaitFor([&] { return w->currentColor() == rgb(255, 0, 0); }, 10000))
        << "Alt+V did not convert within 10 s";
    c->txtConvert()->setText(QStringLiteral("65280"));
    QTest::keyClick(c->txtConvert(), Qt::Key_Return);
    EXPECT_EQ(w->txtCopyBox(0)->text(), QStringLiteral("00FF00")) << "Enter in the box converts too";
}

TEST_F(MainWindowFixture, EveryMnemonicIsUniqueAndTheMenusWinTheFirstPress)
{
    openAt(rgb(255, 128, 0));
    ASSERT_TRUE(activate());
    w->txtCopyBox(0)->setFocus();
    test::expectMnemonicsUnique(w.get());

    // Alt+C O copies the octal text, not the frame's first slider.
    QApplication::clipboard()->clear();
    QTest::keyClick(w->txtCopyBox(0), Qt::Key_C, Qt::AltModifier);
    auto *copy = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    ASSERT_TRUE(copy);
    QTest::keyClick(copy, Qt::Key_O);
    EXPECT_EQ(clip(), QStringLiteral("100377"));
    // After a choice the next press opens the menu again; closed without a
    // choice, the press right after reaches the frame's first slider.
    QTest::keyClick(w->txtCopyBox(0), Qt::Key_C, Qt::AltModifier);
    ASSERT_EQ(QApplication::activePopupWidget(), copy);
    QTest::keyClick(copy, Qt::Key_Escape);
    QTest::keyClick(w->txtCopyBox(0), Qt::Key_C, Qt::AltModifier);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_TRUE(w->fraSliders()->isAncestorOf(QApplication::focusWidget()));
}

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
    EXPECT_EQ(stored("MainX"), w->pos().x() * 15);
    EXPECT_EQ(stored("MainY"), w->pos().y() * 15);
    EXPECT_TRUE(ctx->Closing);
}

} // namespace
} // namespace tintwell
