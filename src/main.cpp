#include <QApplication>
#include <QLabel>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tintwell"));
    QApplication::setOrganizationName(QStringLiteral("Tintwell"));
    QLabel placeholder(QStringLiteral("Tintwell"));
    placeholder.setWindowTitle(QStringLiteral("Tintwell"));
    placeholder.resize(411, 245);
    placeholder.show();
    return app.exec();
}
