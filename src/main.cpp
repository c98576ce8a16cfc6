#include "app/application.h"
#include "app/commandline.h"

#include <QApplication>

#include <cstdio>

namespace {

// Prints what the command line asked for; true when the program is to start.
bool startWanted(const tintwell::CommandLineResult &line)
{
    std::fputs(line.Output.toLocal8Bit().constData(), stdout);
    std::fputs(line.Error.toLocal8Bit().constData(), stderr);
    return line.Start.has_value();
}

} // namespace

int main(int argc, char *argv[])
{
    const QString version = QStringLiteral(TINTWELL_VERSION);
    QStringList rawArguments;
    for (int i = 0; i < argc; ++i)
        rawArguments << QString::fromLocal8Bit(argv[i]);
    // Help and version are answered before the toolkit looks for a display.
    if (tintwell::AsksForTextOnly(rawArguments)) {
        const auto line = tintwell::ParseCommandLine(rawArguments, version);
        startWanted(line);
        return line.ExitCode;
    }
    QApplication app(argc, argv);
    const auto line = tintwell::ParseCommandLine(QApplication::arguments(), version);
    if (!startWanted(line))
        return line.ExitCode;
    QApplication::setApplicationName(QStringLiteral("Tintwell"));
    QApplication::setOrganizationName(QStringLiteral("Tintwell"));
    QApplication::setApplicationVersion(version);
    // Ties the windows to the installed launcher entry and its icon.
    QApplication::setDesktopFileName(QStringLiteral("org.tintwell.Tintwell"));
    tintwell::Application tintwell({});
    tintwell.context().StartColor = line.Start->StartColor;
    tintwell.start();
    return app.exec();
}
