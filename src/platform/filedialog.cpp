#include "platform/filedialog.h"

#include <QDir>
#include <QFileInfo>

namespace tintwell {

QList<FileFilterPair> ParseFilter(const QString &Filter)
{
    QList<FileFilterPair> pairs;
    if (Filter.isEmpty())
        return pairs;
    const QStringList parts = Filter.split(u'|');
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        FileFilterPair pair;
        pair.description = parts.at(i).trimmed();
        // A trailing bar leaves an empty last part: not a pair the user meant.
        if (pair.description.isEmpty() && i + 1 >= parts.size())
            break;
        const QString patterns = i + 1 < parts.size() ? parts.at(i + 1) : QString();
        for (const QString &p : patterns.split(u';', Qt::SkipEmptyParts)) {
            const QString t = p.trimmed();
            if (!t.isEmpty())
                pair.patterns.append(t);
        }
        if (pair.patterns.isEmpty())
            pair.patterns.append(QStringLiteral("*"));
        pairs.append(pair);
    }
    return pairs;
}

namespace {

struct QtFilter {
    QString shown;  // what the dialog lists with the details hidden
    QString filter; // what it is given
};

QList<QtFilter> qtFilters(const QString &Filter)
{
    QList<QtFilter> filters;
    for (const FileFilterPair &pair : ParseFilter(Filter)) {
        QStringList patterns;
        for (const QString &p : pair.patterns) {
            // Qt splits patterns at spaces; one pattern with a space in it would
            // turn into two, so the space goes to the nearest wildcard.
            QString q = p == QStringLiteral("*.*") ? QStringLiteral("*") : p;
            q.replace(u' ', u'?');
            if (!patterns.contains(q))
                patterns.append(q);
        }
        const QString description =
            pair.description.isEmpty() ? patterns.join(u' ') : pair.description;
        // Qt reads the patterns from the last parentheses and, with the details
        // hidden, shows what comes before them: the description as written.
        filters.append({description.simplified(),
                        description + QStringLiteral(" (") + patterns.join(u' ') + u')'});
    }
    return filters;
}

} // namespace

QStringList QtNameFilters(const QString &Filter)
{
    QStringList filters;
    for (const QtFilter &f : qtFilters(Filter))
        filters.append(f.filter);
    return filters;
}

int FilterIndexOf(const QString &Filter, const QString &selectedNameFilter)
{
    const QList<QtFilter> filters = qtFilters(Filter);
    // The dialog reports the filter as given or, with details hidden, as shown.
    for (qsizetype i = 0; i < filters.size(); ++i)
        if (filters.at(i).filter == selectedNameFilter)
            return int(i + 1);
    for (qsizetype i = 0; i < filters.size(); ++i)
        if (filters.at(i).shown == selectedNameFilter.simplified())
            return int(i + 1);
    return 0;
}

int EffectiveFilterIndex(int FilterIndex, int pairCount)
{
    if (pairCount <= 0)
        return 0;
    return FilterIndex >= 1 && FilterIndex <= pairCount ? FilterIndex : 1;
}

QString ResolveInitDir(const QString &InitDir)
{
    if (InitDir.trimmed().isEmpty())
        return QString();
    QString path = QFileInfo(QDir::cleanPath(InitDir)).absoluteFilePath();
    for (;;) {
        const QFileInfo info(path);
        if (info.isDir())
            return path;
        const QString parent = info.absolutePath();
        if (parent == path)
            return QString();
        path = parent;
    }
}

QString ApplyDefaultExt(const QString &FileName, const QString &DefaultExt)
{
    QString ext = DefaultExt.trimmed();
    while (ext.startsWith(u'.'))
        ext.remove(0, 1);
    if (FileName.isEmpty() || ext.isEmpty())
        return FileName;
    const QString name = QFileInfo(FileName).fileName();
    if (name.isEmpty() || name.contains(u'.'))
        return FileName;
    return FileName + u'.' + ext;
}

void clsCommonFileDialog::configure(QFileDialog &dialog, bool save)
{
    if (MaxFileSize < 1)
        MaxFileSize = 256;

    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    // An open dialog without "file must exist" takes any name, as it always has;
    // callers that need an existing file pass the flag.
    dialog.setFileMode(!save && (flags & FileDialogFlags::FileMustExist) ? QFileDialog::ExistingFile
                                                                          : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite,
                     !save || !(flags & FileDialogFlags::OverwritePrompt));
    dialog.setOption(QFileDialog::DontResolveSymlinks,
                     (flags & FileDialogFlags::NoDereferenceLinks) != 0);
    dialog.setOption(QFileDialog::HideNameFilterDetails, true);
    if (!DialogTitle.isEmpty())
        dialog.setWindowTitle(DialogTitle);

    const QString dir = ResolveInitDir(InitDir);
    if (!dir.isEmpty())
        dialog.setDirectory(dir);

    const QStringList filters = QtNameFilters(Filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        dialog.selectNameFilter(filters.at(EffectiveFilterIndex(FilterIndex, int(filters.size())) - 1));
    }

    QString ext = DefaultExt.trimmed();
    while (ext.startsWith(u'.'))
        ext.remove(0, 1);
    dialog.setDefaultSuffix(ext);

    const QString title = DefaultFileTitle.trimmed();
    if (!title.isEmpty())
        dialog.selectFile(title);
}

void clsCommonFileDialog::takeResult(const QFileDialog &dialog, bool accepted, bool save)
{
    const QStringList chosen = dialog.selectedFiles();
    if (!accepted || chosen.isEmpty() || chosen.first().trimmed().isEmpty()) {
        Canceled = true;
        return;
    }
    QString name = QDir::cleanPath(chosen.first().trimmed());
    if (save)
        name = ApplyDefaultExt(name, DefaultExt);
    FileName = name;
    FileTitle = QFileInfo(name).fileName();
    const int index = FilterIndexOf(Filter, dialog.selectedNameFilter());
    if (index > 0)
        FilterIndex = index;
}

void clsCommonFileDialog::ShowOpen(QWidget *owner)
{
    show(owner, false);
}

void clsCommonFileDialog::ShowSave(QWidget *owner)
{
    show(owner, true);
}

void clsCommonFileDialog::show(QWidget *owner, bool save)
{
    Canceled = false;
    QFileDialog dialog(owner);
    configure(dialog, save);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    takeResult(dialog, accepted, save);
}

} // namespace tintwell
