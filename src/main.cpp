#include <QApplication>
#include <QDir>
#include <QStandardPaths>

#ifdef TINTWELL_HAVE_MAINWINDOW
#include "core/appcontext.h"
#include "mainwindow/frmmain.h"
#include "mainwindow/messageboxes.h"
#include "palette/frmpalette.h"
#include "platform/registry.h"
#endif

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tintwell"));
    QApplication::setOrganizationName(QStringLiteral("Tintwell"));
#ifdef TINTWELL_HAVE_MAINWINDOW
    tintwell::AppContext context;
    const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    context.ProgramFolder = dataHome + QStringLiteral("/Tintwell/");
    QDir().mkpath(context.ProgramFolder);
    tintwell::QMessageBoxMessages messages;
    context.Messages = &messages;
    tintwell::clsRegistry registry;
    tintwell::frmMain window(context, registry);
    messages.setParent(&window);
    tintwell::frmPalette palette(context, registry);
    palette.currentColor = [&window] { return window.currentColor(); };
    palette.selectColor = [&window](std::int32_t color) {
        window.ShadeDriven = false;
        window.SetColors(color);
    };
    window.loadPaletteTool = [&palette] { palette.Load(); };
    window.showPaletteTool = [&palette] {
        palette.show();
        palette.raise();
        palette.activateWindow();
    };
    window.savePalette = [&palette] { return palette.mnuFileSave_Click(); };
    window.selectPaletteEntry = [&palette](int index) { palette.selectEntry(index); };
    window.Load();
    window.show();
    const int rc = app.exec();
    context.Messages = &context.OwnMessages;
    return rc;
#else
    return 0;
#endif
}
