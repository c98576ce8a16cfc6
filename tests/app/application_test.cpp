// The real application with its real windows, offscreen: what one window does
// reaches the others through the joins the application makes.
#include "app/application.h"
#include "advanced/frmadvanced.h"
#include "core/schemefiles.h"
#include "picker/converterpanel.h"
#include "mainwindow/frmlicense.h"
#include "mainwindow/frmmain.h"
#include "palette/frmpalette.h"
#include "palette/palettefile.h"
#include "platform/dialogtest.h"
#include "platform/settings.h"

#include <QApplication>
#include <QColorDialog>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <QComboBox>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <gtest/gtest.h>

#include <memory>

namespace tintwell {
namespace {

std::int32_t rgb(int r, int g, int b) { return r | (g << 8) | (b << 16); }

struct AppFixture : ::testing::Test {
    QTemporaryDir dir;
    RecordingMessages messages;
    std::unique_ptr<Application> app;
    QString savedTo; // what the palette's save dialog answers; empty: cancel

    QString settingsPath() const { return dir.filePath(QStringLiteral("settings.ini")); }

    void start(std::int32_t lastColor = rgb(255, 128, 0))
    {
        ASSERT_TRUE(dir.isValid());
        {
            // Not a first run, so no modal terms window.
            clsRegistry reg(settingsPath());
            reg.SetLong(clsRegistry::settingsKey(), QStringLiteral("Last Color"), lastColor);
        }
        app = std::make_unique<Application>(Application::Options{dir.path(), settingsPath(), &messages});
        app->paletteTool().runFileDialog = [this](clsCommonFileDialog &d, bool) {
            d.FileName = savedTo;
            d.FilterIndex = 1;
            d.Canceled = savedTo.isEmpty();
            return !d.Canceled;
        };
        app->start();
    }
    frmMain &main() { return app->mainWindow(); }
    frmPalette &palette() { return app->paletteTool(); }
    PaletteState &pal() { return app->context().Palette; }
};

TEST_F(AppFixture, SelectAndSetColorJoinThePaletteToolAndTheMainWindow)
{
    start();
    palette().selectEntry(9);
    palette().cmdSelectColor()->click();
    EXPECT_EQ(main().currentColor(), pal().PaletteColors[9]);
    EXPECT_EQ(main().txtCopyBox(kBoxRGB)->text(),
              QStringLiteral("%1,%2,%3").arg(pal().PaletteColors[9] & 0xFF).arg((pal().PaletteColors[9] >> 8) & 0xFF)
                  .arg((pal().PaletteColors[9] >> 16) & 0xFF));

    main().SetColors(rgb(1, 2, 3));
    palette().selectEntry(4);
    palette().cmdSetColor()->click();
    EXPECT_EQ(pal().PaletteColors[4], rgb(1, 2, 3));
    EXPECT_TRUE(pal().PaletteChanged);
    // The main window's lock shows that the palette now holds the colour.
    main().SetColors(rgb(1, 2, 3));
    EXPECT_FALSE(main().imgLock()->isHidden());
}

TEST_F(AppFixture, AutoSelectFollowsTheMainWindowBeforeThePaletteToolIsShown)
{
    {
        clsRegistry reg(settingsPath());
        modRegistry::SetFlag(reg, SettingId::AutoSelect, true);
    }
    start(rgb(255, 255, 255));
    ASSERT_TRUE(palette().isHidden());
    // White is entry 0 of the Web 216 table, the first run's table.
    EXPECT_FALSE(main().imgLock()->isHidden());

    main().SetColors(rgb(204, 153, 102));
    const int expected = 1 * 36 + 2 * 6 + 3;
    EXPECT_EQ(pal().PaletteIndex, expected);
    EXPECT_EQ(palette().lblIndex()->text(), QStringLiteral("Index: %1").arg(expected));

    main().SetColors(rgb(1, 2, 3));
    EXPECT_TRUE(main().imgLock()->isHidden());
    EXPECT_EQ(pal().PaletteIndex, expected);

    palette().mnuOptionsAutoSelect()->trigger();
    main().SetColors(rgb(255, 255, 255));
    EXPECT_EQ(pal().PaletteIndex, expected);
}

TEST_F(AppFixture, YesToTheShutDownPromptReallySavesThePalette)
{
    start();
    main().show();
    pal().PaletteColors[0] = rgb(6, 6, 6);
    pal().PaletteChanged = true;

    // Yes, then the save dialog cancelled: the program keeps running.
    messages.answers = {MsgResult::Yes};
    EXPECT_FALSE(main().close());
    EXPECT_TRUE(pal().PaletteChanged);
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("Save current palette?"));

    messages.answers = {MsgResult::Yes};
    savedTo = dir.filePath(QStringLiteral("atexit"));
    EXPECT_TRUE(main().close());
    QFile saved(dir.filePath(QStringLiteral("atexit.pal")));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(ParsePalette(saved.readAll(), PaletteKind::Pal).colors[0], rgb(6, 6, 6));
    EXPECT_FALSE(pal().PaletteChanged);
}

TEST_F(AppFixture, TheColourDialogSetsTheColourAndKeepsItsCustomColours)
{
    start();
    main().show();
    test::whenModalShows<QColorDialog>([](QColorDialog &d) {
        d.setCurrentColor(QColor(10, 20, 30));
        QColorDialog::setCustomColor(0, QColor(40, 50, 60));
        d.accept();
    });
    main().cmdColorDialog()->click();
    EXPECT_EQ(main().currentColor(), rgb(10, 20, 30));
    // Stored as bytes: red, green, blue and a zero for each of the 16.
    const QString custom = modRegistry::GetCustomColors(app->registry());
    ASSERT_GE(custom.size(), 4);
    EXPECT_EQ(custom.left(4), QString::fromLatin1("\x28\x32\x3c\x00", 4));

    // Cancelled: the colour stays.
    test::whenModalShows<QColorDialog>([](QColorDialog &d) {
        d.setCurrentColor(QColor(200, 200, 200));
        d.reject();
    });
    main().cmdColorDialog()->click();
    EXPECT_EQ(main().currentColor(), rgb(10, 20, 30));
}

// --------------------------------------------- advanced window and scripts

void selectNode(frmAdvanced &w, const char *key)
{
    for (QTreeWidgetItemIterator it(w.tvwFormats()); *it; ++it)
        if ((*it)->data(0, Qt::UserRole).toString() == QLatin1String(key)) {
            w.tvwFormats()->setCurrentItem(*it);
            return;
        }
    FAIL() << "no node " << key;
}

void typeInto(QLineEdit *box, const QString &text)
{
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, text);
    QTest::keyClick(box, Qt::Key_Return);
}

TEST_F(AppFixture, SavingTheActiveSlotInTheAdvancedWindowChangesTheMainWindowAtOnce)
{
    // Custom 1 exists and is the scheme in use.
    FormatScheme standard;
    LoadScheme(standard, 0, messages, QString());
    ASSERT_TRUE(WriteCustomScheme(standard, QStringLiteral("Live"), 1, dir.path(), messages));
    {
        clsRegistry reg(settingsPath());
        reg.SetLong(clsRegistry::settingsKey(), QStringLiteral("Format"), kFirstCustomScheme);
    }
    start();
    main().show();
    ASSERT_EQ(main().txtCopyBox(kBoxRGB)->text(), QStringLiteral("255,128,0"));

    main().cmdAdvanced()->click();
    frmAdvanced &adv = app->advancedWindow();
    ASSERT_TRUE(adv.isVisible());
    EXPECT_EQ(adv.cboFormatGroup()->currentText(), QStringLiteral("Live"));
    selectNode(adv, "RGBOutputBase");
    typeInto(adv.txtInput(0), QStringLiteral("1"));
    selectNode(adv, "RGBOutputFormat");
    typeInto(adv.txtInput(0), QStringLiteral("0.00"));
    EXPECT_EQ(main().txtCopyBox(kBoxRGB)->text(), QStringLiteral("255,128,0")) << "not before the save";
    adv.cmdSave()->click();
    EXPECT_EQ(main().txtCopyBox(kBoxRGB)->text(), QStringLiteral("1.00,128,0"));
    EXPECT_EQ(main().currentColor(), rgb(255, 128, 0));

    // Deleting the slot in use puts the main window on Standard.
    messages.answers = {MsgResult::Yes};
    adv.cmdDelete()->click();
    EXPECT_TRUE(main().formatItem(0)->isChecked());
    EXPECT_EQ(main().txtCopyBox(kBoxRGB)->text(), QStringLiteral("255,128,0"));
    EXPECT_FALSE(main().formatItem(kFirstCustomScheme)->isVisible());
}

TEST_F(AppFixture, AnExportScriptWrittenInTheEditorShapesTheMainWindowsOutput)
{
    FormatScheme standard;
    LoadScheme(standard, 0, messages, QString());
    ASSERT_TRUE(WriteCustomScheme(standard, QStringLiteral("Scripted"), 1, dir.path(), messages));
    {
        clsRegistry reg(settingsPath());
        reg.SetLong(clsRegistry::settingsKey(), QStringLiteral("Format"), kFirstCustomScheme);
    }
    start();
    main().show();
    main().cmdAdvanced()->click();
    frmAdvanced &adv = app->advancedWindow();
    selectNode(adv, "HTM");
    ASSERT_TRUE(adv.fraScripting()->isVisible());
    adv.cmdExportScript()->click();
    script::frmScript &editor = app->scriptEditor();
    ASSERT_TRUE(editor.isVisible());
    editor.txtCode()->setPlainText(QStringLiteral("tnOutput \"#\" & LCase(Hex(tnRed)) & \"!\""));
    editor.close(); // hands the script back to the advanced window
    EXPECT_TRUE(adv.Changed());
    adv.cmdSave()->click();
    EXPECT_EQ(main().txtCopyBox(kBoxHTML)->text(), QStringLiteral("#ff!"));
    main().SetColors(rgb(16, 0, 0));
    EXPECT_EQ(main().txtCopyBox(kBoxHTML)->text(), QStringLiteral("#10!"));
}

TEST_F(AppFixture, TheConverterRunsTheSchemesConverterScriptWhichSetsTheColour)
{
    FormatScheme scheme;
    LoadScheme(scheme, 0, messages, QString());
    // Reversed digits for HTML, to tell the script from the built-in rule;
    // three calls back into the colour, with the export boxes following each.
    scheme.Info[TN_HTML].ConverterScript = QStringLiteral(
        "t = StrReverse(tnConverter)\r\n"
        "tnConverterRGB 1, 1, 1\r\n"
        "tnConverterRGB 2, 2, 2\r\n"
        "tnConverterRGB CLng(\"&H\" & Mid(t, 1, 2)), CLng(\"&H\" & Mid(t, 3, 2)), CLng(\"&H\" & Mid(t, 5, 2))");
    ASSERT_TRUE(WriteCustomScheme(scheme, QStringLiteral("Backwards"), 1, dir.path(), messages));
    {
        clsRegistry reg(settingsPath());
        reg.SetLong(clsRegistry::settingsKey(), QStringLiteral("Format"), kFirstCustomScheme);
    }
    start();
    ConverterPanel *converter = main().converterPanel();
    converter->cboConvertType()->setCurrentIndex(kBoxHTML);
    converter->txtConvert()->setText(QStringLiteral("302010"));
    converter->cmdConvert()->click();
    EXPECT_EQ(main().currentColor(), rgb(0x01, 0x02, 0x03));
    EXPECT_EQ(main().txtCopyBox(kBoxHTML)->text(), QStringLiteral("010203"));
    EXPECT_TRUE(messages.shown.isEmpty());

    // Hexadecimal has no script: the built-in rule reads it.
    converter->cboConvertType()->setCurrentIndex(kBoxHex);
    converter->txtConvert()->setText(QStringLiteral("80FF"));
    converter->cmdConvert()->click();
    EXPECT_EQ(main().currentColor(), rgb(255, 128, 0));
}

TEST_F(AppFixture, TheFirstRunShowsTheTermsCentredAsADialogOnce)
{
    ASSERT_TRUE(dir.isValid());
    int shown = 0;
    QRect frame, screen;
    Qt::WindowFlags flags;
    test::whenModalShows<frmLicense>([&](frmLicense &terms) {
        ++shown;
        frame = terms.frameGeometry();
        screen = terms.screen()->availableGeometry();
        flags = terms.windowFlags();
        terms.accept();
    });
    app = std::make_unique<Application>(Application::Options{dir.path(), settingsPath(), &messages});
    app->start();
    EXPECT_EQ(shown, 1);
    EXPECT_LE(std::abs(frame.center().x() - screen.center().x()), 1);
    EXPECT_LE(std::abs(frame.center().y() - screen.center().y()), 1);
    EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(main().currentColor(), rgb(255, 255, 255));
}

} // namespace
} // namespace tintwell
