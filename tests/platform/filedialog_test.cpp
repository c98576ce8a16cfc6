#include "platform/filedialog.h"

#include "dialogtest.h"

#include <QDir>
#include <QTemporaryDir>

#include "printers.h"
#include "../support/files.h"

#include <gtest/gtest.h>

using namespace tintwell;

namespace {

const QString kScripts = QStringLiteral("Script Files (*.vbs, *.js)|*.vbs;*.js|All Files (*.*)|*.*");

// selectFile leaves the name box alone while it has the focus (the user may be
// typing), which it gets once the dialog is active.
void choose(QFileDialog &d, const QString &name)
{
    if (QWidget *focus = d.focusWidget())
        focus->clearFocus();
    d.selectFile(name);
}

} // namespace

TEST(FileFilter, PairsBecomeQtNameFiltersThatShowTheDescription)
{
    const QStringList qt = QtNameFilters(kScripts);
    EXPECT_EQ(qt, (QStringList{QStringLiteral("Script Files (*.vbs, *.js) (*.vbs *.js)"),
                               QStringLiteral("All Files (*.*) (*)")}));
    // Qt shows what comes before the last parentheses and matches what is inside.
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setNameFilters(qt);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.selectNameFilter(qt.at(1));
    EXPECT_EQ(FilterIndexOf(kScripts, dialog.selectedNameFilter()), 2);
    EXPECT_EQ(FilterIndexOf(kScripts, QStringLiteral("Something else")), 0);

    const std::pair<const char *, QStringList> odd[] = {
        {"", {}},
        {"Palettes|*.pal|", {QStringLiteral("Palettes (*.pal)")}},
        {"Text|*.txt|Lonely", {QStringLiteral("Text (*.txt)"), QStringLiteral("Lonely (*)")}},
        {"|*.a; ;*.b;*.a", {QStringLiteral("*.a *.b (*.a *.b)")}},
        {"Odd|my file.txt", {QStringLiteral("Odd (my?file.txt)")}},
        // Same patterns under two descriptions stay two choices.
        {"PSP (*.pal)|*.pal|MS (*.pal)|*.pal", {QStringLiteral("PSP (*.pal) (*.pal)"), QStringLiteral("MS (*.pal) (*.pal)")}},
    };
    for (const auto &[filter, expected] : odd)
        EXPECT_EQ(QtNameFilters(QString::fromLatin1(filter)), expected) << filter;
    EXPECT_EQ(EffectiveFilterIndex(3, 2), 1);
    EXPECT_EQ(EffectiveFilterIndex(-1, 2), 1);
    EXPECT_EQ(EffectiveFilterIndex(1, 0), 0);
}

TEST(FileDialogRules, InitialFolderAndDefaultExtension)
{
    QTemporaryDir dir;
    const QString sub = QDir(dir.path()).absolutePath() + QStringLiteral("/sub");
    QDir().mkpath(sub);
    test::writeBytes(sub + QStringLiteral("/last.vbs"), "");
    EXPECT_EQ(ResolveInitDir(sub), sub);
    EXPECT_EQ(ResolveInitDir(sub + QStringLiteral("/last.vbs")), sub);
    EXPECT_EQ(ResolveInitDir(sub + QStringLiteral("/gone/deeper/x.js")), sub);
    EXPECT_EQ(ResolveInitDir(QStringLiteral("   ")), QString());

    EXPECT_EQ(ApplyDefaultExt(QStringLiteral("/a/b/web"), QStringLiteral(".act")), QStringLiteral("/a/b/web.act"));
    EXPECT_EQ(ApplyDefaultExt(QStringLiteral("/a/b.d/web.txt"), QStringLiteral("pal")), QStringLiteral("/a/b.d/web.txt"));
    EXPECT_EQ(ApplyDefaultExt(QStringLiteral("/a/b.d/web"), QStringLiteral("pal")), QStringLiteral("/a/b.d/web.pal"));
    EXPECT_EQ(ApplyDefaultExt(QString(), QStringLiteral("pal")), QString());
}

class FileDialogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        root = QDir(dir.path()).absolutePath();
        test::writeBytes(root + QStringLiteral("/one.vbs"), "");
        test::writeBytes(root + QStringLiteral("/two.js"), "");
        fd.Filter = kScripts;
        fd.InitDir = root;
    }
    QTemporaryDir dir;
    QString root;
    clsCommonFileDialog fd;
};

TEST_F(FileDialogTest, PropertiesAndFlagsReachTheDialog)
{
    fd.flags = 4100;
    fd.FilterIndex = 2;
    fd.DialogTitle = QStringLiteral("Import Script");
    fd.MaxFileSize = 0;
    QFileDialog open;
    fd.configure(open, false);
    EXPECT_EQ(fd.MaxFileSize, 256);
    EXPECT_EQ(open.fileMode(), QFileDialog::ExistingFile);
    EXPECT_EQ(open.windowTitle(), QStringLiteral("Import Script"));
    EXPECT_EQ(open.directory().absolutePath(), root);
    EXPECT_EQ(FilterIndexOf(kScripts, open.selectedNameFilter()), 2);

    clsCommonFileDialog save;
    save.flags = 2054;
    QFileDialog s;
    save.configure(s, true);
    EXPECT_EQ(s.acceptMode(), QFileDialog::AcceptSave);
    EXPECT_FALSE(s.testOption(QFileDialog::DontConfirmOverwrite));
    save.flags = 0;
    save.configure(s, true);
    EXPECT_TRUE(s.testOption(QFileDialog::DontConfirmOverwrite));
    save.configure(s, false);
    EXPECT_EQ(s.fileMode(), QFileDialog::AnyFile); // open without "must exist" takes any name
}

TEST_F(FileDialogTest, ChosenFileAndPairComeBackAndCancelKeepsThem)
{
    fd.flags = 4100;
    test::whenModalShows<QFileDialog>([](QFileDialog &d) {
        d.selectNameFilter(d.nameFilters().at(1));
        choose(d, QStringLiteral("two.js"));
        static_cast<QDialog &>(d).accept(); // public in QDialog, virtual
    });
    fd.ShowOpen(nullptr);
    const auto expectTwo = [&](bool canceled) {
        EXPECT_EQ(fd.Canceled, canceled);
        EXPECT_EQ(fd.FileName, root + QStringLiteral("/two.js"));
        EXPECT_EQ(fd.FileTitle, QStringLiteral("two.js"));
        EXPECT_EQ(fd.FilterIndex, 2);
    };
    expectTwo(false);
    test::whenModalShows<QFileDialog>([](QFileDialog &d) {
        choose(d, QStringLiteral("one.vbs"));
        d.reject();
    });
    fd.ShowOpen(nullptr);
    expectTwo(true);
}

TEST_F(FileDialogTest, SaveOffersTheDefaultTitleAndAddsTheExtension)
{
    fd.DefaultFileTitle = QStringLiteral("  newscript  ");
    fd.DefaultExt = QStringLiteral("vbs");
    fd.flags = 2054;
    QString offered;
    test::whenModalShows<QFileDialog>([&offered](QFileDialog &d) {
        offered = d.selectedFiles().value(0);
        static_cast<QDialog &>(d).accept();
    });
    fd.ShowSave(nullptr);
    EXPECT_EQ(QFileInfo(offered).completeBaseName(), QStringLiteral("newscript"));
    ASSERT_FALSE(fd.Canceled);
    EXPECT_EQ(fd.FileName, root + QStringLiteral("/newscript.vbs")); // no padding, one extension
    EXPECT_EQ(fd.FilterIndex, 1);
}
