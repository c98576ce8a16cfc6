#include "platform/filedialog.h"

#include "dialogtest.h"

#include <QDir>
#include <QTemporaryDir>

#include "printers.h"
#include "../support/files.h"

#include <gtest/gtest.h>

using namespace tintwell;

namespace {

const QString kScripts = "Script Files (*.vbs, *.js)|*.vbs;*.js|All Files (*.*)|*.*";

} // namespace

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

    QTemporaryDir dir;
    const QString sub = QDir(dir.path()).absolutePath() + "/sub";
    QDir().mkpath(sub);
    test::writeBytes(sub + "/last.vbs", "");
    EXPECT_EQ(ResolveInitDir(sub + "/last.vbs"), sub);
    EXPECT_EQ(ResolveInitDir(sub + "/gone/deeper/x.js"), sub);
    EXPECT_EQ(ResolveInitDir("   "), QString());
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
    // selectFile leaves the name box alone while it has the focus (the user may
    // be typing), which it gets once the dialog is active.
    static void choose(QFileDialog &d, const QString &name)
    {
        if (QWidget *focus = d.focusWidget())
            focus->clearFocus();
        d.selectFile(name);
    }
    QTemporaryDir dir;
    QString root = QDir(dir.path()).absolutePath();
    clsCommonFileDialog fd;
};

TEST_F(FileDialogTest, PropertiesAndFlagsReachTheDialog)
{
    fd.flags = 4100;
    fd.FilterIndex = 2;
    fd.DialogTitle = "Import Script";
    fd.MaxFileSize = 0;
    QFileDialog open;
    fd.configure(open, false);
    EXPECT_EQ(fd.MaxFileSize, 256);
    EXPECT_EQ(open.fileMode(), QFileDialog::ExistingFile);
    EXPECT_EQ(open.windowTitle(), "Import Script");
    EXPECT_EQ(open.directory().absolutePath(), root);
    EXPECT_EQ(FilterIndexOf(kScripts, open.selectedNameFilter()), 2);
    fd.flags = 2054;
    fd.configure(open, true);
    EXPECT_FALSE(open.testOption(QFileDialog::DontConfirmOverwrite));
    fd.flags = 0;
    fd.configure(open, true);
    EXPECT_TRUE(open.testOption(QFileDialog::DontConfirmOverwrite));
    fd.configure(open, false);
    EXPECT_EQ(open.fileMode(), QFileDialog::AnyFile); // open without "must exist" takes any name
}

TEST_F(FileDialogTest, ChosenFileAndPairComeBackAndCancelKeepsThem)
{
    fd.flags = 4100;
    for (bool cancel : {false, true}) {
        test::whenModalShows<QFileDialog>([cancel](QFileDialog &d) {
            d.selectNameFilter(d.nameFilters().at(cancel ? 0 : 1));
            choose(d, cancel ? "one.vbs" : "two.js");
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
