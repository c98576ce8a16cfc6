#pragma once
// A screen made of an image, with a pointer the test moves.
#include "picker/screengrabber.h"

#include <QList>

namespace tintwell::testing {

class FakeScreen : public ScreenGrabber
{
public:
    explicit FakeScreen(QImage image, QPoint origin = QPoint(0, 0)) : screen(std::move(image)), origin(origin) {}

    QRect virtualGeometry() const override { return QRect(origin, screen.size()); }
    QPoint cursorPos() const override { return pointer; }
    void settle() override { ++settled; }
    QImage grab(const QRect &rect) override
    {
        grabs.append(rect);
        settledAtGrab.append(settled);
        if (!reason.isEmpty() || emptyGrabs)
            return {};
        return screen.copy(rect.translated(-origin));
    }
    double logicalDpi() const override { return dpi; }
    QString unreadableReason() const override { return reason; }

    QImage screen;
    QPoint origin;
    QPoint pointer;
    double dpi = 96;
    QString reason;
    bool emptyGrabs = false;
    QList<QRect> grabs;
    int settled = 0;
    QList<int> settledAtGrab; // how often settle() had run when each grab came
};

} // namespace tintwell::testing
