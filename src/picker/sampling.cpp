#include "picker/sampling.h"

#include <algorithm>
#include <vector>

namespace tintwell {

void ColorSums::add(const ColorSums &o)
{
    red += o.red;
    green += o.green;
    blue += o.blue;
    count += o.count;
}

std::int32_t ColorSums::average() const
{
    if (count == 0)
        return 0;
    return std::int32_t(red / count) | std::int32_t(green / count) << 8 | std::int32_t(blue / count) << 16;
}

namespace {

// Screen grabs come back as RGB32 already; anything else is converted once.
const QImage &Readable(const QImage &image, QImage &converted)
{
    if (image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32)
        return image;
    converted = image.convertToFormat(QImage::Format_RGB32);
    return converted;
}

ColorSums SumRowOf(const QImage &img, int y, int left, int width)
{
    ColorSums s;
    const auto *line = reinterpret_cast<const QRgb *>(img.constScanLine(y)) + left;
    std::uint64_t r = 0, g = 0, b = 0;
    for (int x = 0; x < width; ++x) {
        const QRgb p = line[x];
        r += qRed(p);
        g += qGreen(p);
        b += qBlue(p);
    }
    s.red = r;
    s.green = g;
    s.blue = b;
    s.count = std::uint64_t(width);
    return s;
}

} // namespace

ColorSums SumRow(const QImage &image, int y, int left, int width)
{
    const QRect r = QRect(left, y, width, 1).intersected(image.rect());
    if (r.isEmpty())
        return {};
    QImage converted;
    const QImage &img = Readable(image, converted);
    return SumRowOf(img, r.top(), r.left(), r.width());
}

ColorSums SumPixels(const QImage &image, const QRect &rect)
{
    const QRect r = rect.intersected(image.rect());
    ColorSums total;
    if (r.isEmpty())
        return total;
    QImage converted;
    const QImage &img = Readable(image, converted);
    for (int y = r.top(); y <= r.bottom(); ++y)
        total.add(SumRowOf(img, y, r.left(), r.width()));
    return total;
}

std::int32_t AverageColor(const QImage &image, const QRect &rect)
{
    return SumPixels(image, rect).average();
}

std::int32_t ColorAt(const QImage &image, QPoint p)
{
    if (!image.rect().contains(p))
        return 0;
    const QRgb c = image.pixel(p);
    return qRed(c) | qGreen(c) << 8 | qBlue(c) << 16;
}

QImage MagnifiedView(const QImage &source, QPoint sourceOrigin, const QRect &viewSource, int side,
                     int squareSide)
{
    QImage view(side, side, QImage::Format_RGB32);
    view.fill(Qt::black);
    if (side <= 0 || squareSide <= 0)
        return view;
    QImage converted;
    const QImage &img = Readable(source, converted);
    // Nearest pixel, as a stretch copy does it: view pixel v shows square pixel v x S / V.
    std::vector<int> map(std::size_t(side), 0);
    for (int v = 0; v < side; ++v)
        map[std::size_t(v)] = int((long long)v * squareSide / side);
    const int ox = viewSource.left() - sourceOrigin.x();
    const int oy = viewSource.top() - sourceOrigin.y();
    for (int vy = 0; vy < side; ++vy) {
        const int sy = oy + map[std::size_t(vy)];
        auto *out = reinterpret_cast<QRgb *>(view.scanLine(vy));
        if (sy < 0 || sy >= img.height())
            continue;
        const auto *in = reinterpret_cast<const QRgb *>(img.constScanLine(sy));
        for (int vx = 0; vx < side; ++vx) {
            const int sx = ox + map[std::size_t(vx)];
            if (sx >= 0 && sx < img.width())
                out[vx] = in[sx] | 0xFF000000u;
        }
    }
    return view;
}

namespace {

void InvertPixel(QImage &view, int x, int y)
{
    if (x < 0 || y < 0 || x >= view.width() || y >= view.height())
        return;
    auto *line = reinterpret_cast<QRgb *>(view.scanLine(y));
    line[x] ^= 0x00FFFFFFu;
}

} // namespace

void DrawPickerCrosshair(QImage &view, QPoint reference)
{
    const int cx = reference.x(), cy = reference.y();
    for (int d = 0; d < 3; ++d) {
        InvertPixel(view, cx + 7, cy + d);      // up
        InvertPixel(view, cx + 7, cy + 12 + d); // down
        InvertPixel(view, cx + d, cy + 7);      // left
        InvertPixel(view, cx + 12 + d, cy + 7); // right
    }
    InvertPixel(view, cx + 7, cy + 7);
}

void DrawInvertedOutline(QImage &view, const QRect &c)
{
    if (!c.isValid())
        return;
    for (int x = c.left(); x <= c.right(); ++x) {
        InvertPixel(view, x, c.top());
        if (c.bottom() != c.top())
            InvertPixel(view, x, c.bottom());
    }
    for (int y = c.top() + 1; y < c.bottom(); ++y) {
        InvertPixel(view, c.left(), y);
        if (c.right() != c.left())
            InvertPixel(view, c.right(), y);
    }
}

QImage BlankView(int side, QRgb background)
{
    QImage view(std::max(side, 1), std::max(side, 1), QImage::Format_RGB32);
    view.fill(background);
    DrawPickerCrosshair(view, QPoint(20, 20));
    return view;
}

void DrawAreaFrame(QImage &image, int phase)
{
    const int w = image.width(), h = image.height();
    if (w <= 0 || h <= 0)
        return;
    // Only the outline shows through the window's shape: leave the inside,
    // which for a screen-sized area is megabytes, alone.
    const QRgb white = qRgb(255, 255, 255);
    for (int x = 0; x < w; ++x) {
        image.setPixel(x, 0, white);
        image.setPixel(x, h - 1, white);
    }
    for (int y = 0; y < h; ++y) {
        image.setPixel(0, y, white);
        image.setPixel(w - 1, y, white);
    }
    auto put = [&image, w, h](int x, int y) {
        if (x >= 0 && y >= 0 && x < w && y < h)
            image.setPixel(x, y, qRgb(0, 0, 0));
    };
    // Dashes start every 8 pixels from phase - 4, each 4 pixels long.
    auto dashes = [phase](int length, int shift, const auto &plot) {
        for (int k = -4; k <= length; k += 8)
            for (int d = 0; d < 4; ++d)
                plot(phase + k + d - shift);
    };
    dashes(w, 0, [&](int x) { put(x, 0); });
    dashes(w, (h - 1) % 4, [&](int x) { put(x, h - 1); });
    dashes(h, 0, [&](int y) { put(0, y); });
    dashes(h, (w - 1) % 4, [&](int y) { put(w - 1, y); });
}

} // namespace tintwell
