#pragma once
// What the picker needs from the screen, behind an interface so tests hand in
// an image of their own. Coordinates are the virtual desktop's, in device pixels.

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
#include <memory>

namespace tintwell {

class ScreenGrabber
{
public:
    virtual ~ScreenGrabber() = default;
    // Bounding rectangle of every monitor.
    virtual QRect virtualGeometry() const = 0;
    // The pointer's position.
    virtual QPoint cursorPos() const = 0;
    // Returns once the display has carried out every request made so far, so
    // the expose events of a window just hidden are waiting to be handled.
    virtual void settle() = 0;
    // One copy of `rect` (inside virtualGeometry) as an RGB32 image of its
    // size; a null image when the screen cannot be read.
    virtual QImage grab(const QRect &rect) = 0;
    // Logical dots per inch, which set the magnifier's size.
    virtual double logicalDpi() const = 0;
    // Empty when the screen can be read; otherwise why not, for the user.
    virtual QString unreadableReason() const = 0;
};

// The screen through Qt: on X11 a grab of the root window.
std::unique_ptr<ScreenGrabber> MakeQtScreenGrabber();

// The message for a session whose screen Qt cannot read (Wayland).
QString WaylandPickerMessage();

} // namespace tintwell
