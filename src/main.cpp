#include <QApplication>
#include <QDir>
#include <QStandardPaths>

#ifdef TINTWELL_HAVE_MAINWINDOW
#include "core/appcontext.h"
#include "mainwindow/frmmain.h"
#include "mainwindow/messageboxes.h"
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
    window.Load();
    window.show();
    const int rc = app.exec();
    context.Messages = &context.OwnMessages;
    return rc;
#else
    return 0;
#endif
}
