// The real application, offscreen: what one window does reaches the others
// through the joins the application makes; each window alone has its own folder.
#include "app/application.h"
#include "advanced/frmadvanced.h"
#include "core/schemefiles.h"
#include "mainwindow/frmlicense.h"
#include "mainwindow/frmmain.h"
#include "palette/frmpalette.h"
#include "palette/palettefile.h"
#include "picker/converterpanel.h"
#include "platform/dialogtest.h"
#include "platform/settings.h"
#include "support/files.h"

#include <QTest>
#include <QtWidgets>
#include <gtest/gtest.h>

namespace tintwell {
namespace {

std::int32_t rgb(int r, int g, int b) { return r | (g << 8) | (b << 16); }

struct AppFixture : ::testing::Test {
    QTemporaryDir dir;
    RecordingMessages messages;
    std::unique_ptr<Application> app;
    QString savedTo; // what the palette's save dialog answers; empty: cancel

    QString settingsPath() const { return dir.filePath(QStringLiteral("settings.ini")); }
    void store(const char *name, std::int32_t value)
    {
        clsRegistry(settingsPath()).SetLong(clsRegistry::settingsKey(), QString::fromLatin1(name), value);
    }
    // Custom 1, Standard changed by `edit`, as the scheme in use.
    void useSlot1(const std::function<void(FormatScheme &)> &edit = {})
    {
        FormatScheme scheme;
        LoadScheme(scheme, 0, messages, QString());
        if (edit)
            edit(scheme);
        ASSERT_TRUE(WriteCustomScheme(scheme, QStringLiteral("Mine"), 1, dir.path(), messages));
        store("Format", kFirstCustomScheme);
    }
    // A stored "Last Color" means no first run, so no modal terms window.
    void start(std::int32_t lastColor = rgb(255, 128, 0))
    {
        ASSERT_TRUE(dir.isValid());
        if (lastColor >= 0)
            store("Last Color", lastColor);
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
    QString rgbText() { return main().txtCopyBox(kBoxRGB)->text(); }
    frmAdvanced &openAdvanced(const char *node)
    {
        main().show();
        main().cmdAdvanced()->click();
        frmAdvanced &adv = app->advancedWindow();
        for (QTreeWidgetItemIterator it(adv.tvwFormats()); *it; ++it)
            if ((*it)->data(0, Qt::UserRole).toString() == QLatin1String(node))
                adv.tvwFormats()->setCurrentItem(*it);
        EXPECT_EQ(adv.tvwFormats()->currentItem()->data(0, Qt::UserRole).toString(), QLatin1String(node));
        return adv;
    }
};

TEST_F(AppFixture, SelectAndSetColorJoinThePaletteToolAndTheMainWindow)
{
    start();
    pal().PaletteColors[9] = rgb(7, 8, 9);
    palette().selectEntry(9);
    palette().cmdSelectColor()->click();
    EXPECT_EQ(rgbText(), QStringLiteral("7,8,9"));
    main().SetColors(rgb(1, 2, 3));
    palette().selectEntry(4);
    palette().cmdSetColor()->click();
    EXPECT_EQ(pal().PaletteColors[4], rgb(1, 2, 3));
    main().SetColors(rgb(1, 2, 3));
    EXPECT_FALSE(main().imgLock()->isHidden()) << "the lock shows the palette holds the colour";
}

// The palette tool is loaded hidden at start-up, so Auto Select works at once.
TEST_F(AppFixture, AutoSelectFollowsTheMainWindowBeforeThePaletteToolIsShown)
{
    store("Auto Select", 1);
    start(rgb(255, 255, 255));
    ASSERT_TRUE(palette().isHidden());
    EXPECT_FALSE(main().imgLock()->isHidden()) << "white is entry 0 of Web 216, the first run's table";
    main().SetColors(rgb(204, 153, 102));
    EXPECT_EQ(palette().lblIndex()->text(), QStringLiteral("Index: %1").arg(1 * 36 + 2 * 6 + 3));
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
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("Save current palette?"));

    messages.answers = {MsgResult::Yes};
    savedTo = dir.filePath(QStringLiteral("atexit"));
    EXPECT_TRUE(main().close());
    const QByteArray saved = test::fileBytes(dir.filePath(QStringLiteral("atexit.pal")));
    ASSERT_FALSE(saved.isEmpty());
    EXPECT_EQ(ParsePalette(saved, PaletteKind::Pal).colors[0], rgb(6, 6, 6));
    EXPECT_FALSE(pal().PaletteChanged);
}

// What the dialog stores and a cancel: tests/platform/colordialog_test.cpp.
TEST_F(AppFixture, TheColourButtonOpensTheRealDialogAndTakesItsColour)
{
    start();
    main().show();
    test::whenModalShows<QColorDialog>([](QColorDialog &d) {
        d.setCurrentColor(QColor(10, 20, 30));
        d.accept();
    });
    main().cmdColorDialog()->click();
    EXPECT_EQ(main().currentColor(), rgb(10, 20, 30));
}

TEST_F(AppFixture, SavingTheActiveSlotInTheAdvancedWindowChangesTheMainWindowAtOnce)
{
    useSlot1();
    start();
    frmAdvanced &adv = openAdvanced("RGBOutputFormat");
    adv.txtInput(0)->setText(QStringLiteral("0.00"));
    QTest::keyClick(adv.txtInput(0), Qt::Key_Return);
    EXPECT_EQ(rgbText(), QStringLiteral("255,128,0")) << "not before the save";
    adv.cmdSave()->click();
    EXPECT_EQ(rgbText(), QStringLiteral("255.00,128,0")) << "the first value's format";
    EXPECT_EQ(main().currentColor(), rgb(255, 128, 0));
    // Deleting the slot in use puts the main window on Standard.
    messages.answers = {MsgResult::Yes};
    adv.cmdDelete()->click();
    EXPECT_TRUE(main().formatItem(0)->isChecked());
    EXPECT_EQ(rgbText(), QStringLiteral("255,128,0"));
    EXPECT_FALSE(main().formatItem(kFirstCustomScheme)->isVisible());
}

TEST_F(AppFixture, AnExportScriptWrittenInTheEditorShapesTheMainWindowsOutput)
{
    useSlot1();
    start();
    frmAdvanced &adv = openAdvanced("HTM");
    adv.cmdExportScript()->click();
    ASSERT_TRUE(app->scriptEditor().isVisible());
    app->scriptEditor().txtCode()->setPlainText(QStringLiteral("tnOutput \"#\" & LCase(Hex(tnRed)) & \"!\""));
    app->scriptEditor().close(); // hands the script back to the advanced window
    adv.cmdSave()->click();
    EXPECT_EQ(main().txtCopyBox(kBoxHTML)->text(), QStringLiteral("#ff!"));
    main().SetColors(rgb(16, 0, 0));
    EXPECT_EQ(main().txtCopyBox(kBoxHTML)->text(), QStringLiteral("#10!"));
}

TEST_F(AppFixture, TheConverterRunsTheSchemesConverterScriptWhichSetsTheColour)
{
    // Reversed digits for HTML, to tell the script from the built-in rule.
    useSlot1([](FormatScheme &s) {
        s.Info[TN_HTML].ConverterScript = QStringLiteral("t = StrReverse(tnConverter)\r\ntnConverterRGB "
            "CLng(\"&H\" & Mid(t, 1, 2)), CLng(\"&H\" & Mid(t, 3, 2)), CLng(\"&H\" & Mid(t, 5, 2))");
    });
    start();
    ConverterPanel *converter = main().converterPanel();
    converter->cboConvertType()->setCurrentIndex(kBoxHTML);
    converter->txtConvert()->setText(QStringLiteral("302010"));
    converter->cmdConvert()->click();
    EXPECT_EQ(main().txtCopyBox(kBoxHTML)->text(), QStringLiteral("010203"));
    EXPECT_TRUE(messages.shown.isEmpty());
    converter->cboConvertType()->setCurrentIndex(kBoxHex); // no script: the built-in rule
    converter->txtConvert()->setText(QStringLiteral("80FF"));
    converter->cmdConvert()->click();
    EXPECT_EQ(main().currentColor(), rgb(255, 128, 0));
}

TEST_F(AppFixture, TheFirstRunShowsTheTermsCentredAsADialogOnce)
{
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
    start(-1);
    EXPECT_EQ(shown, 1);
    EXPECT_LE((frame.center() - screen.center()).manhattanLength(), 2);
    EXPECT_FALSE(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
}

} // namespace
} // namespace tintwell
