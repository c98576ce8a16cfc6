#include "app/application.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tintwell"));
    QApplication::setOrganizationName(QStringLiteral("Tintwell"));
    tintwell::Application tintwell({});
    tintwell.start();
    return app.exec();
}
