#pragma once
// Open and save dialogs behind a handful of properties, the way every window of
// the program asks for a file: set the properties, call ShowOpen or ShowSave,
// test Canceled, read FileName, FileTitle and FilterIndex.
//
// The dialog is QFileDialog as Qt picks it. What needs no window (the filter
// text, the option bits, the initial folder, the default extension) is in free
// functions below, so it can be tested without a display.

#include <QFileDialog>
#include <QString>
#include <QStringList>
#include <cstdint>

class QWidget;

namespace tintwell {

// Option bits the callers pass in `flags`, numbered as they always were.
namespace FileDialogFlags {
inline constexpr std::int32_t OverwritePrompt = 0x2;
inline constexpr std::int32_t HideReadOnly = 0x4;
inline constexpr std::int32_t NoChangeDir = 0x8;
inline constexpr std::int32_t PathMustExist = 0x800;
inline constexpr std::int32_t FileMustExist = 0x1000;
inline constexpr std::int32_t NoDereferenceLinks = 0x100000;
} // namespace FileDialogFlags

struct FileFilterPair {
    QString description;
    QStringList patterns;
    friend bool operator==(const FileFilterPair &, const FileFilterPair &) = default;
};

// "Description|*.a;*.b|Description|pattern..." into its pairs. A pair without
// patterns (an odd number of parts, or an empty pattern part) gets "*", so the
// dialog still lists something; one trailing bar is ignored.
QList<FileFilterPair> ParseFilter(const QString &Filter);

// The pairs as QFileDialog name filters. Each keeps its description as the user
// sees it and ends in "(patterns)" for Qt to match against, space-separated.
// "*.*" becomes "*": here a file name need not contain a dot.
QStringList QtNameFilters(const QString &Filter);

// The 1-based pair of Filter that the dialog's selectedNameFilter() names; 0
// when none does.
int FilterIndexOf(const QString &Filter, const QString &selectedNameFilter);

// 1-based pair index for the dialog: FilterIndex when it names a pair, else 1.
// 0 when there are no pairs at all.
int EffectiveFilterIndex(int FilterIndex, int pairCount);

// The folder to open in: InitDir itself when it is a folder, its folder when it
// names a file (callers keep "last file used" settings), the nearest existing
// folder above it otherwise, empty (Qt's default) when nothing of it exists.
QString ResolveInitDir(const QString &InitDir);

// DefaultExt added to a chosen name whose file part has no extension.
// A leading "." in DefaultExt is allowed.
QString ApplyDefaultExt(const QString &FileName, const QString &DefaultExt);

class clsCommonFileDialog
{
public:
    bool Canceled = false;
    QString DefaultExt;
    QString DefaultFileTitle;
    QString DialogTitle;
    QString FileName;
    QString FileTitle;
    QString Filter;
    std::int32_t FilterIndex = 0;
    QString InitDir;
    std::int32_t flags = 0;
    std::int16_t MaxFileSize = 256;

    // Modal on owner (may be null); waits until the dialog closes.
    void ShowOpen(QWidget *owner);
    void ShowSave(QWidget *owner);

    // The two halves of a Show call, for tests that drive the dialog themselves:
    // set the dialog up from the properties, and take its outcome back.
    void configure(QFileDialog &dialog, bool save);
    void takeResult(const QFileDialog &dialog, bool accepted, bool save);

private:
    void show(QWidget *owner, bool save);
};

} // namespace tintwell
