#include "picker/pickergeometry.h"

#include "core/colormodel.h"

#include <algorithm>
#include <cstdlib>

namespace tintwell {

namespace {

struct ZoomRow {
    int zoom;
    int baseSide; // at 15 twips per pixel
    int reach;
    int reference;
    int f3From, f3To, f5From, f5To;
};

constexpr std::array<ZoomRow, kZoomCount> kZoomTable{{
    {1, 54, 27, 20, 5, 9, 4, 10},
    {2, 27, 13, 20, 3, 10, 1, 12},
    {3, 18, 9, 21, 2, 12, -1, 15},
    {6, 9, 4, 20, -3, 16, -9, 22},
    {9, 6, 3, 24, -7, 21, -16, 30},
}};

int ScaledSide(int base, double twipsPerPixel)
{
    if (!(twipsPerPixel > 0))
        twipsPerPixel = 15;
    return std::max(1, int(RoundHalfEven(base * 15.0 / twipsPerPixel)));
}

// Places a span of `length` starting at `start` inside [lo, lo + extent);
// returns how far it had to move (negative: it stuck out before lo).
int Clamp1D(int &start, int length, int lo, int extent)
{
    if (start < lo) {
        const int shift = start - lo;
        start = lo;
        return shift;
    }
    const int last = lo + extent - length;
    if (start > last) {
        const int shift = start - last;
        start = last;
        return shift;
    }
    return 0;
}

} // namespace

double TwipsPerPixel(double logicalDpi)
{
    return logicalDpi > 0 ? 1440.0 / logicalDpi : 15.0;
}

int ViewSize(double twipsPerPixel)
{
    return ScaledSide(54, twipsPerPixel);
}

ZoomStep ZoomStepFor(int zoomIndex, double twipsPerPixel)
{
    const ZoomRow &r = kZoomTable[std::size_t(std::clamp(zoomIndex, 0, kZoomCount - 1))];
    ZoomStep s;
    s.zoom = r.zoom;
    s.side = ScaledSide(r.baseSide, twipsPerPixel);
    s.reach = r.reach;
    s.reference = r.reference;
    s.frame3From = r.f3From;
    s.frame3To = r.f3To;
    s.frame5From = r.f5From;
    s.frame5To = r.f5To;
    return s;
}

int SampleSide(SampleSize size)
{
    switch (size) {
    case SampleSize::One:
        return 1;
    case SampleSize::Three:
        return 3;
    case SampleSize::Five:
        return 5;
    case SampleSize::DragArea:
        break;
    }
    return 0;
}

QRect SampleBlock(QPoint position, int n, const QRect &screen)
{
    if (screen.isEmpty() || n <= 0)
        return {};
    const QPoint p(std::clamp(position.x(), screen.left(), screen.right()),
                   std::clamp(position.y(), screen.top(), screen.bottom()));
    return QRect(p.x() - n / 2, p.y() - n / 2, n, n).intersected(screen);
}

ViewGeometry MagnifyGeometry(QPoint position, const ZoomStep &step, const QRect &screen)
{
    ViewGeometry g;
    int left = position.x() - step.reach;
    int top = position.y() - step.reach;
    // A screen narrower than the square: show it from its left edge.
    const int width = std::min(step.side, std::max(screen.width(), 1));
    const int height = std::min(step.side, std::max(screen.height(), 1));
    const int dx = Clamp1D(left, width, screen.left(), screen.width());
    const int dy = Clamp1D(top, height, screen.top(), screen.height());
    g.source = QRect(left, top, step.side, step.side).intersected(screen);
    if (g.source.isEmpty())
        g.source = QRect(left, top, width, height);
    g.reference = QPoint(step.reference + step.zoom * dx, step.reference + step.zoom * dy);
    return g;
}

QRect FrameOutline(const ViewGeometry &view, const ZoomStep &step, SampleSize size)
{
    int from = 0, to = 0;
    if (size == SampleSize::Three) {
        from = step.frame3From;
        to = step.frame3To;
    } else if (size == SampleSize::Five) {
        from = step.frame5From;
        to = step.frame5To;
    } else {
        return {};
    }
    return QRect(QPoint(view.reference.x() + from, view.reference.y() + from),
                 QPoint(view.reference.x() + to, view.reference.y() + to));
}

QRect AreaRect(QPoint anchor, QPoint cursor)
{
    const int left = std::min(anchor.x(), cursor.x());
    const int top = std::min(anchor.y(), cursor.y());
    return QRect(left, top, std::abs(cursor.x() - anchor.x()) + 1, std::abs(cursor.y() - anchor.y()) + 1);
}

bool AreaShowsProgress(const QRect &area)
{
    return (long long)area.width() * area.height() > kAreaProgressThreshold;
}

QString ProgressText(long long row, long long height)
{
    long long percent = 0;
    if (height > 0 && row > 0)
        percent = (row * 200 + height) / (2 * height);
    return QStringLiteral("%1% Done").arg(percent);
}

} // namespace tintwell
