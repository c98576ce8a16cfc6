#include "picker/screengrabber.h"

#include <QCursor>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

namespace tintwell {

QString WaylandPickerMessage()
{
    return QStringLiteral(
        "The screen picker cannot read the screen in a Wayland session: Wayland does not let "
        "programs read other windows' pixels.\n\n"
        "To use the picker, start Tintwell under XWayland:\n\n"
        "    QT_QPA_PLATFORM=xcb tintwell");
}

namespace {

class QtScreenGrabber : public ScreenGrabber
{
public:
    QRect virtualGeometry() const override
    {
        QRect all;
        for (const QScreen *s : QGuiApplication::screens())
            all = all.united(deviceGeometry(s));
        return all;
    }

    QPoint cursorPos() const override
    {
        const QPoint logical = QCursor::pos();
        const QScreen *s = QGuiApplication::screenAt(logical);
        if (!s)
            return logical;
        // Device pixels: the screen's origin stays, the offset inside it scales.
        const QPoint origin = s->geometry().topLeft();
        const QPointF inside = QPointF(logical - origin) * s->devicePixelRatio();
        return origin + inside.toPoint();
    }

    void settle() override
    {
        // The server answers a pointer query only after every earlier
        // request, and sends the events those caused before the answer.
        QCursor::pos();
    }

    QImage grab(const QRect &rect) override
    {
        if (!unreadableReason().isEmpty() || rect.isEmpty())
            return {};
        QScreen *screen = QGuiApplication::screenAt(rect.topLeft());
        if (!screen)
            screen = QGuiApplication::primaryScreen();
        if (!screen)
            return {};
        // The root window spans the whole virtual desktop; Qt's xcb grab of it
        // takes coordinates relative to the screen it is asked through.
        const QPoint origin = screen->geometry().topLeft();
        const qreal ratio = screen->devicePixelRatio();
        const QPoint inside = rect.topLeft() - origin;
        QPixmap shot = screen->grabWindow(0, int(inside.x() / ratio), int(inside.y() / ratio),
                                          int(rect.width() / ratio), int(rect.height() / ratio));
        if (shot.isNull())
            return {};
        QImage image = shot.toImage().convertToFormat(QImage::Format_RGB32);
        if (image.size() != rect.size())
            image = image.scaled(rect.size());
        return image;
    }

    double logicalDpi() const override
    {
        const QScreen *s = QGuiApplication::primaryScreen();
        return s ? s->logicalDotsPerInch() : 96.0;
    }

    QString unreadableReason() const override
    {
        if (QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
            return WaylandPickerMessage();
        return {};
    }

private:
    static QRect deviceGeometry(const QScreen *s)
    {
        const QRect g = s->geometry();
        return QRect(g.topLeft(), (QSizeF(g.size()) * s->devicePixelRatio()).toSize());
    }
};

} // namespace

std::unique_ptr<ScreenGrabber> MakeQtScreenGrabber()
{
    return std::make_unique<QtScreenGrabber>();
}

} // namespace tintwell
