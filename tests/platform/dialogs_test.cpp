#include "platform/colordialog.h"
#include "platform/filedialog.h"
#include "platform/settings.h"

#include "dialogtest.h"

#include <QColorDialog>
#include <QDir>
#include <QTemporaryDir>

#include "printers.h"
#include "../support/files.h"

#include <gtest/gtest.h>

using namespace tintwell;

static const QString kScripts = "Script Files (*.vbs, *.js)|*.vbs;*.js|All Files (*.*)|*.*";

TEST(FileDialogRules, FiltersInitialFolderAndDefaultExtension)
{
    const QStringList qt = QtNameFilters(kScripts);
    EXPECT_EQ(qt, QStringList({"Script Files (*.vbs, *.js) (*.vbs *.js)", "All Files (*.*) (*)"}));
    // Qt shows what comes before the last parentheses and matches what is inside.
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setNameFilters(qt);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.selectNameFilter(qt.at(1));
    EXPECT_EQ(FilterIndexOf(kScripts, dialog.selectedNameFilter()), 2);
    EXPECT_EQ(FilterIndexOf(kScripts, "Something else"), 0);
    const std::pair<const char *, QStringList> odd[] = {
        {"Text|*.txt|Lonely", {"Text (*.txt)", "Lonely (*)"}}, {"|*.a; ;*.b;*.a", {"*.a *.b (*.a *.b)"}},
        {"Odd|my file.txt", {"Odd (my?file.txt)"}},
        {"PSP (*.pal)|*.pal|MS (*.pal)|*.pal", {"PSP (*.pal) (*.pal)", "MS (*.pal) (*.pal)"}}, // two choices
    };
    for (const auto &[filter, expected] : odd)
        EXPECT_EQ(QtNameFilters(filter), expected) << filter;
    EXPECT_EQ(EffectiveFilterIndex(3, 2), 1);
    EXPECT_EQ(ApplyDefaultExt("/a/b/web", ".act"), "/a/b/web.act");
    EXPECT_EQ(ApplyDefaultExt("/a/b.d/web.txt", "pal"), "/a/b.d/web.txt");
    EXPECT_EQ(ApplyDefaultExt("/a/b.d/web", "pal"), "/a/b.d/web.pal");
}

class FileDialogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        test::writeBytes(root + "/one.vbs", "");
        test::writeBytes(root + "/two.js", "");
        fd.Filter = kScripts;
        fd.InitDir = root;
    }
    QTemporaryDir dir;
    QString root = QDir(dir.path()).absolutePath();
    clsCommonFileDialog fd;
};

TEST_F(FileDialogTest, FlagsReachTheDialog)
{
    QFileDialog d;
    const std::tuple<int, bool, QFileDialog::FileMode, bool> cases[] = {
        {4100, false, QFileDialog::ExistingFile, true}, {2054, true, QFileDialog::AnyFile, false}, // asks first
        {0, true, QFileDialog::AnyFile, true}, {0, false, QFileDialog::AnyFile, true}}; // open takes any name
    for (const auto &[flags, save, mode, noPrompt] : cases) {
        fd.flags = flags;
        fd.configure(d, save);
        EXPECT_EQ(d.fileMode(), mode) << flags;
        if (save) {
            EXPECT_EQ(d.testOption(QFileDialog::DontConfirmOverwrite), noPrompt) << flags;
        }
    }
    EXPECT_EQ(d.directory().absolutePath(), root);
    EXPECT_EQ(ResolveInitDir(root + "/one.vbs"), root); // a file, or what is left of a path
    EXPECT_EQ(ResolveInitDir(root + "/gone/deeper/x.js"), root);
    EXPECT_EQ(ResolveInitDir("   "), QString());
    fd.FilterIndex = 2;
    fd.configure(d, false);
    EXPECT_EQ(FilterIndexOf(kScripts, d.selectedNameFilter()), 2);
}

TEST_F(FileDialogTest, ChosenFileAndPairComeBackAndCancelKeepsThem)
{
    fd.flags = 4100;
    for (bool cancel : {false, true}) {
        test::whenModalShows<QFileDialog>([cancel](QFileDialog &d) {
            d.selectNameFilter(d.nameFilters().at(cancel ? 0 : 1));
            if (QWidget *focus = d.focusWidget()) // selectFile leaves the name box alone while it has the focus
                focus->clearFocus();
            d.selectFile(cancel ? "one.vbs" : "two.js");
            cancel ? d.reject() : static_cast<QDialog &>(d).accept(); // public in QDialog, virtual
        });
        fd.ShowOpen(nullptr);
        EXPECT_EQ(fd.Canceled, cancel);
        EXPECT_EQ(fd.FileName, root + "/two.js");
        EXPECT_EQ(fd.FileTitle, "two.js");
        EXPECT_EQ(fd.FilterIndex, 2);
    }
}

TEST_F(FileDialogTest, SaveOffersTheDefaultTitleAndAddsTheExtension)
{
    fd.DefaultFileTitle = "  newscript  ";
    fd.DefaultExt = "vbs";
    fd.flags = 2054;
    QString offered;
    test::whenModalShows<QFileDialog>([&offered](QFileDialog &d) {
        offered = d.selectedFiles().value(0);
        static_cast<QDialog &>(d).accept();
    });
    fd.ShowSave(nullptr);
    EXPECT_EQ(QFileInfo(offered).completeBaseName(), "newscript");
    ASSERT_FALSE(fd.Canceled);
    EXPECT_EQ(fd.FileName, root + "/newscript.vbs"); // no padding, one extension
    EXPECT_EQ(fd.FilterIndex, 1);
}

TEST(CustomColorBlob, SixteenRedGreenBlueZeroQuadsOf64Bytes)
{
    const QString shortBlob = "\x10\x20\x30";
    EXPECT_EQ(NormalizeCustomColors(shortBlob), shortBlob + QString(61, QChar(0)));
    EXPECT_EQ(CustomColorsFromString(shortBlob)[15], QColor(Qt::black)) << "padding is black, not white";
    EXPECT_EQ(NormalizeCustomColors(QString(64, QChar(7)) + QChar(0x263A)), QString(64, QChar(7)));
    CustomColorArray colors;
    colors.fill(QColor(80, 250, 15));
    QString blob = CustomColorsToString(colors);
    EXPECT_EQ(blob.left(4), QString::fromLatin1("\x50\xfa\x0f\x00", 4));
    blob[3] = QChar(0x80); // a fourth byte that is not 0 does not leak into the colour
    EXPECT_EQ(CustomColorsFromString(blob), colors);
    EXPECT_EQ(ColorFromValue(std::int32_t(0x80123456)), QColor(0x56, 0x34, 0x12)); // blue, green, red
    EXPECT_EQ(ValueFromColor(QColor(0x12, 0x34, 0x56)), 0x00563412);
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
    EXPECT_EQ(seen, QList<QColor>{QColor(1, 2, 3)});
    const CustomColorArray stored = CustomColorsFromString(modRegistry::GetCustomColors(reg));
    EXPECT_EQ(stored[0], QColor(Qt::white));
    EXPECT_EQ(stored[3], QColor(1, 2, 3));
}
