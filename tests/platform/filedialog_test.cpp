#include "platform/filedialog.h"

#include "dialogtest.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "printers.h"

#include <gtest/gtest.h>

using namespace tintwell;

namespace {

const QString kScripts = QStringLiteral("Script Files (*.vbs, *.js)|*.vbs;*.js|All Files (*.*)|*.*");

void touch(const QString &path)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
}

} // namespace

TEST(FileFilter, PairsBecomeQtNameFiltersThatShowTheDescription)
{
    const QList<FileFilterPair> pairs = ParseFilter(kScripts);
    ASSERT_EQ(pairs.size(), 2);
    EXPECT_EQ(pairs[0], (FileFilterPair{QStringLiteral("Script Files (*.vbs, *.js)"),
                                        {QStringLiteral("*.vbs"), QStringLiteral("*.js")}}));
    EXPECT_EQ(pairs[1].patterns, QStringList{QStringLiteral("*.*")});

    const QStringList qt = QtNameFilters(kScripts);
    EXPECT_EQ(qt, (QStringList{QStringLiteral("Script Files (*.vbs, *.js) (*.vbs *.js)"),
                               QStringLiteral("All Files (*.*) (*)")}));
    // Qt shows what comes before the last parentheses and matches what is inside.
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setNameFilters(qt);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.selectNameFilter(qt.at(1));
    EXPECT_EQ(dialog.selectedNameFilter(), QStringLiteral("All Files (*.*)"));
    EXPECT_EQ(FilterIndexOf(kScripts, dialog.selectedNameFilter()), 2);
    EXPECT_EQ(FilterIndexOf(kScripts, qt.at(0)), 1);
    EXPECT_EQ(FilterIndexOf(kScripts, QStringLiteral("Something else")), 0);
}

TEST(FileFilter, OddAndEmptyPartsStillGiveUsablePairs)
{
    EXPECT_TRUE(ParseFilter(QString()).isEmpty());
    EXPECT_TRUE(QtNameFilters(QString()).isEmpty());
    EXPECT_EQ(QtNameFilters(QStringLiteral("Palettes|*.pal|")),
              QStringList{QStringLiteral("Palettes (*.pal)")});
    EXPECT_EQ(QtNameFilters(QStringLiteral("Text|*.txt|Lonely")),
              (QStringList{QStringLiteral("Text (*.txt)"), QStringLiteral("Lonely (*)")}));
    EXPECT_EQ(QtNameFilters(QStringLiteral("|*.a; ;*.b;*.a")), QStringList{QStringLiteral("*.a *.b (*.a *.b)")});
    EXPECT_EQ(QtNameFilters(QStringLiteral("Odd|my file.txt")), QStringList{QStringLiteral("Odd (my?file.txt)")});
    // Same patterns under two descriptions stay two choices.
    EXPECT_EQ(QtNameFilters(QStringLiteral("Paint Shop Pro Palette (*.pal)|*.pal|Microsoft Palette (*.pal)|*.pal")).size(), 2);
}

TEST(FileFilter, IndexFallsBackToTheFirstPair)
{
    EXPECT_EQ(EffectiveFilterIndex(0, 2), 1);
    EXPECT_EQ(EffectiveFilterIndex(2, 2), 2);
    EXPECT_EQ(EffectiveFilterIndex(3, 2), 1);
    EXPECT_EQ(EffectiveFilterIndex(-1, 2), 1);
    EXPECT_EQ(EffectiveFilterIndex(1, 0), 0);
}

TEST(FileDialogRules, InitialFolderFromAFolderAFileOrWhatIsLeftOfAPath)
{
    QTemporaryDir dir;
    const QString root = QDir(dir.path()).absolutePath();
    QDir().mkpath(root + QStringLiteral("/sub"));
    touch(root + QStringLiteral("/sub/last.vbs"));
    EXPECT_EQ(ResolveInitDir(root + QStringLiteral("/sub")), root + QStringLiteral("/sub"));
    EXPECT_EQ(ResolveInitDir(root + QStringLiteral("/sub/last.vbs")), root + QStringLiteral("/sub"));
    EXPECT_EQ(ResolveInitDir(root + QStringLiteral("/sub/gone/deeper/x.js")), root + QStringLiteral("/sub"));
    EXPECT_EQ(ResolveInitDir(QString()), QString());
    EXPECT_EQ(ResolveInitDir(QStringLiteral("   ")), QString());
}

TEST(FileDialogRules, DefaultExtensionOnlyForNamesWithoutOne)
{
    EXPECT_EQ(ApplyDefaultExt(QStringLiteral("/a/b/web"), QStringLiteral("pal")), QStringLiteral("/a/b/web.pal"));
    EXPECT_EQ(ApplyDefaultExt(QStringLiteral("/a/b/web"), QStringLiteral(".act")), QStringLiteral("/a/b/web.act"));
    EXPECT_EQ(ApplyDefaultExt(QStringLiteral("/a/b.d/web.txt"), QStringLiteral("pal")), QStringLiteral("/a/b.d/web.txt"));
    EXPECT_EQ(ApplyDefaultExt(QStringLiteral("/a/b.d/web"), QStringLiteral("pal")), QStringLiteral("/a/b.d/web.pal"));
    EXPECT_EQ(ApplyDefaultExt(QStringLiteral("/a/web"), QString()), QStringLiteral("/a/web"));
    EXPECT_EQ(ApplyDefaultExt(QString(), QStringLiteral("pal")), QString());
}

class FileDialogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        root = QDir(dir.path()).absolutePath();
        touch(root + QStringLiteral("/one.vbs"));
        touch(root + QStringLiteral("/two.js"));
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
    EXPECT_EQ(open.acceptMode(), QFileDialog::AcceptOpen);
    EXPECT_EQ(open.fileMode(), QFileDialog::ExistingFile);
    EXPECT_EQ(open.windowTitle(), QStringLiteral("Import Script"));
    EXPECT_EQ(open.directory().absolutePath(), root);
    EXPECT_EQ(FilterIndexOf(kScripts, open.selectedNameFilter()), 2);

    clsCommonFileDialog save;
    save.flags = 2054;
    save.DefaultExt = QStringLiteral(".vbs");
    QFileDialog s;
    save.configure(s, true);
    EXPECT_EQ(s.acceptMode(), QFileDialog::AcceptSave);
    EXPECT_FALSE(s.testOption(QFileDialog::DontConfirmOverwrite));
    EXPECT_EQ(s.defaultSuffix(), QStringLiteral("vbs"));
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
        // selectFile leaves the name box alone while it has the focus (the
        // user may be typing), which it gets once the dialog is active.
        if (QWidget *focus = d.focusWidget())
            focus->clearFocus();
        d.selectFile(QStringLiteral("two.js"));
        static_cast<QDialog &>(d).accept(); // public in QDialog, virtual
    });
    fd.ShowOpen(nullptr);
    EXPECT_FALSE(fd.Canceled);
    EXPECT_EQ(fd.FileName, root + QStringLiteral("/two.js"));
    EXPECT_EQ(fd.FileTitle, QStringLiteral("two.js"));
    EXPECT_EQ(fd.FilterIndex, 2);

    test::whenModalShows<QFileDialog>([](QFileDialog &d) {
        if (QWidget *focus = d.focusWidget())
            focus->clearFocus();
        d.selectFile(QStringLiteral("one.vbs"));
        d.reject();
    });
    fd.ShowOpen(nullptr);
    EXPECT_TRUE(fd.Canceled);
    EXPECT_EQ(fd.FileName, root + QStringLiteral("/two.js"));
    EXPECT_EQ(fd.FileTitle, QStringLiteral("two.js"));
    EXPECT_EQ(fd.FilterIndex, 2);
}

TEST_F(FileDialogTest, SaveOffersTheDefaultTitleAndAddsTheExtension)
{
    fd.DefaultFileTitle = QStringLiteral("  newscript  ");
    fd.DefaultExt = QStringLiteral("vbs");
    fd.flags = 2054;
    QString offered;
    test::whenModalShows<QFileDialog>([&offered](QFileDialog &d) {
        offered = d.selectedFiles().value(0);
        static_cast<QDialog &>(d).accept(); // public in QDialog, virtual
    });
    fd.ShowSave(nullptr);
    EXPECT_EQ(QFileInfo(offered).completeBaseName(), QStringLiteral("newscript"));
    ASSERT_FALSE(fd.Canceled);
    EXPECT_EQ(fd.FileName, root + QStringLiteral("/newscript.vbs")); // no padding, one extension
    EXPECT_EQ(fd.FileTitle, QStringLiteral("newscript.vbs"));
    EXPECT_EQ(fd.FilterIndex, 1);
}
