#include "mainwindow/sliderdrawing.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace tintwell {

SystemColors SystemColors::fromPalette(const QPalette &palette)
{
    SystemColors c;
    c.face = palette.color(QPalette::Active, QPalette::Button).rgb();
    c.highlight = palette.color(QPalette::Active, QPalette::Light).rgb();
    c.shadow = palette.color(QPalette::Active, QPalette::Dark).rgb();
    c.darkShadow = palette.color(QPalette::Active, QPalette::Shadow).rgb();
    c.scrollBar = palette.color(QPalette::Active, QPalette::Midlight).rgb();
    return c;
}

int DeviceEdge(int v, qreal scale)
{
    return int(std::floor(qreal(v) * scale + 0.5));
}

QImage ScaledImage(int w, int h, qreal scale)
{
    QImage image(DeviceEdge(w, scale), DeviceEdge(h, scale), QImage::Format_RGB32);
    image.setDevicePixelRatio(scale);
    return image;
}

namespace {

// Fills the device pixels of logical columns left..right, rows top..bottom
// (inclusive), clipped to the image.
void fillDevice(QImage &image, int left, int top, int right, int bottom, QRgb colour)
{
    const qreal s = image.devicePixelRatio();
    const int x0 = std::max(DeviceEdge(left, s), 0);
    const int x1 = std::min(DeviceEdge(right + 1, s), image.width());
    const int y0 = std::max(DeviceEdge(top, s), 0);
    const int y1 = std::min(DeviceEdge(bottom + 1, s), image.height());
    for (int y = y0; y < y1; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        std::fill(line + std::max(x0, 0), line + std::max(x1, x0), colour);
    }
}

bool unscaled(const QImage &image) { return image.devicePixelRatio() == 1.0; }

} // namespace

void DrawPixel(QImage &image, int x, int y, QRgb colour)
{
    if (!unscaled(image)) {
        fillDevice(image, x, y, x, y, colour);
        return;
    }
    if (x >= 0 && y >= 0 && x < image.width() && y < image.height())
        image.setPixel(x, y, colour);
}

void DrawLine(QImage &image, int x1, int y1, int x2, int y2, QRgb colour)
{
    // Bresenham, stopping before the end point as a pen line does.
    const int dx = std::abs(x2 - x1);
    const int dy = -std::abs(y2 - y1);
    const int sx = x1 < x2 ? 1 : -1;
    const int sy = y1 < y2 ? 1 : -1;
    int err = dx + dy;
    int x = x1;
    int y = y1;
    while (x != x2 || y != y2) {
        DrawPixel(image, x, y, colour);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

void DrawFill(QImage &image, int left, int top, int right, int bottom, QRgb colour)
{
    if (!unscaled(image)) {
        fillDevice(image, left, top, right, bottom, colour);
        return;
    }
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, image.width() - 1);
    bottom = std::min(bottom, image.height() - 1);
    for (int y = top; y <= bottom; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = left; x <= right; ++x)
            line[x] = colour;
    }
}

void DrawFrame(QImage &image, int left, int top, int right, int bottom, QRgb colour)
{
    if (!unscaled(image)) {
        fillDevice(image, left, top, right, top, colour);
        fillDevice(image, left, bottom, right, bottom, colour);
        fillDevice(image, left, top, left, bottom, colour);
        fillDevice(image, right, top, right, bottom, colour);
        return;
    }
    for (int x = left; x <= right; ++x) {
        DrawPixel(image, x, top, colour);
        DrawPixel(image, x, bottom, colour);
    }
    for (int y = top; y <= bottom; ++y) {
        DrawPixel(image, left, y, colour);
        DrawPixel(image, right, y, colour);
    }
}

namespace {

// The same ramp with a colour per device column: column d stands for logical
// position (d + 0.5) / scale - 0.5, which is d itself at scale 1.
void drawScaledGradient(QImage &image, QRgb from, QRgb to, int x1, int x2, int height, int y)
{
    const int width = x2 - x1;
    if (width <= 0)
        return;
    const qreal s = image.devicePixelRatio();
    const float steps[3] = {float(qRed(to) - qRed(from)) / float(width),
                            float(qGreen(to) - qGreen(from)) / float(width),
                            float(qBlue(to) - qBlue(from)) / float(width)};
    const int starts[3] = {qRed(from), qGreen(from), qBlue(from)};
    const int d0 = std::max(DeviceEdge(x1, s), 0);
    const int d1 = std::min(DeviceEdge(x2, s), image.width());
    const int y0 = std::max(DeviceEdge(y, s), 0);
    const int y1 = std::min(DeviceEdge(y + height, s), image.height());
    if (d1 <= d0 || y1 <= y0)
        return;
    auto *first = reinterpret_cast<QRgb *>(image.scanLine(y0));
    for (int d = d0; d < d1; ++d) {
        // Never past the last logical pixel's value: the ramp still stops
        // one step short of `to`.
        const float k = std::clamp(float((d + 0.5) / s - 0.5) - float(x1), 0.0f, float(width - 1));
        int c[3];
        for (int i = 0; i < 3; ++i)
            c[i] = std::clamp(int(std::nearbyint(float(starts[i]) + k * steps[i])), 0, 255);
        first[d] = qRgb(c[0], c[1], c[2]);
    }
    for (int line = y0 + 1; line < y1; ++line)
        std::copy(first + d0, first + d1, reinterpret_cast<QRgb *>(image.scanLine(line)) + d0);
}

} // namespace

void DrawGradient(QImage &image, QRgb from, QRgb to, int x1, int x2, int height, int y)
{
    if (!unscaled(image)) {
        drawScaledGradient(image, from, to, x1, x2, height, y);
        return;
    }
    const int width = x2 - x1;
    if (width == 0 || y < 0 || y >= image.height())
        return;
    const float steps[3] = {float(qRed(to) - qRed(from)) / float(width),
                            float(qGreen(to) - qGreen(from)) / float(width),
                            float(qBlue(to) - qBlue(from)) / float(width)};
    const int starts[3] = {qRed(from), qGreen(from), qBlue(from)};
    auto channel = [&](int c, int k) {
        const float v = float(starts[c]) + float(k) * steps[c];
        return std::clamp(int(std::nearbyint(v)), 0, 255);
    };
    for (int k = 0; k < width; ++k)
        DrawPixel(image, x1 + k, y, qRgb(channel(0, k), channel(1, k), channel(2, k)));
    const int left = std::max(std::min(x1, x2), 0);
    const int right = std::min(std::max(x1, x2), image.width());
    if (right <= left)
        return;
    const auto *source = reinterpret_cast<const QRgb *>(image.constScanLine(y));
    for (int line = y + 1; line < y + height && line < image.height(); ++line) {
        auto *target = reinterpret_cast<QRgb *>(image.scanLine(line));
        std::copy(source + left, source + right, target + left);
    }
}

namespace {

void drawGlyph(QImage &b, StepGlyph glyph, int o, const SystemColors &c)
{
    const QRgb h = c.highlight;
    const QRgb d = c.darkShadow;
    if (glyph == StepGlyph::Minus) {
        DrawLine(b, 3 + o, 5 + o, 9 + o, 5 + o, h);
        DrawPixel(b, 3 + o, 6 + o, h);
        DrawLine(b, 3 + o, 7 + o, 10 + o, 7 + o, d);
        DrawLine(b, 9 + o, 5 + o, 9 + o, 7 + o, d);
        return;
    }
    DrawLine(b, 3 + o, 5 + o, 6 + o, 5 + o, h);
    DrawLine(b, 5 + o, 3 + o, 5 + o, 5 + o, h);
    DrawLine(b, 7 + o, 5 + o, 9 + o, 5 + o, h);
    DrawLine(b, 5 + o, 7 + o, 5 + o, 9 + o, h);
    DrawPixel(b, 3 + o, 6 + o, h);
    DrawPixel(b, 6 + o, 3 + o, h);
    DrawLine(b, 3 + o, 7 + o, 5 + o, 7 + o, d);
    DrawLine(b, 7 + o, 3 + o, 7 + o, 5 + o, d);
    DrawLine(b, 5 + o, 9 + o, 8 + o, 9 + o, d);
    DrawLine(b, 7 + o, 7 + o, 7 + o, 9 + o, d);
    DrawLine(b, 8 + o, 7 + o, 10 + o, 7 + o, d);
    DrawLine(b, 9 + o, 5 + o, 9 + o, 7 + o, d);
}

} // namespace

QImage DrawStepButton(StepGlyph glyph, bool pressed, const SystemColors &c, qreal scale)
{
    QImage b = ScaledImage(ButtonWidth, ButtonHeight, scale);
    DrawFill(b, 0, 0, ButtonWidth - 1, ButtonHeight - 1, c.face);
    if (pressed) {
        DrawFrame(b, 0, 0, 12, 13, c.shadow);
        drawGlyph(b, glyph, 1, c);
        return b;
    }
    DrawLine(b, 1, 1, 11, 1, c.highlight);
    DrawLine(b, 1, 2, 1, 12, c.highlight);
    DrawLine(b, 1, 12, 11, 12, c.shadow);
    DrawLine(b, 11, 1, 11, 13, c.shadow);
    DrawLine(b, 0, 13, 13, 13, c.darkShadow);
    DrawLine(b, 12, 0, 12, 13, c.darkShadow);
    drawGlyph(b, glyph, 0, c);
    return b;
}

TrackImages::TrackImages()
    : m_background(Width, Height, QImage::Format_RGB32)
    , m_buffer(Width, Height, QImage::Format_RGB32)
{
    m_background.fill(Qt::black);
    m_buffer.fill(Qt::black);
}

void TrackImages::setScale(qreal scale)
{
    if (scale <= 0 || scale == m_scale)
        return;
    m_scale = scale;
    m_background = ScaledImage(Width, Height, scale);
    m_buffer = ScaledImage(Width, Height, scale);
    m_buffer.fill(Qt::black);
    paintBackground();
    ++m_generation;
}

void TrackImages::paintBackground()
{
    m_background.fill(m_flat ? QColor::fromRgb(*m_flat) : QColor(Qt::black));
    for (int strip = 0; strip < 5; ++strip) {
        if (!m_strips[std::size_t(strip)])
            continue;
        const int y = strip == 4 ? HueSpectrumY : stripY(strip);
        for (const GradientSegment &g : *m_strips[std::size_t(strip)])
            DrawGradient(m_background, g.from, g.to, g.x1, g.x2, TrackHeight, y);
    }
}

void TrackImages::DrawHueSpectrum()
{
    static constexpr QRgb stops[] = {qRgb(255, 0, 0), qRgb(255, 255, 0), qRgb(0, 255, 0),
                                     qRgb(0, 255, 255), qRgb(0, 0, 255), qRgb(255, 0, 255),
                                     qRgb(255, 0, 0)};
    static constexpr int xs[] = {0, 30, 58, 88, 117, 147, 175};
    RowGradient spectrum;
    for (int s = 0; s < 6; ++s) {
        spectrum.push_back({stops[s], stops[s + 1], xs[s], xs[s + 1]});
        DrawGradient(m_background, stops[s], stops[s + 1], xs[s], xs[s + 1], TrackHeight,
                     HueSpectrumY);
    }
    m_strips[4] = std::move(spectrum);
}

void TrackImages::DrawRowBackground(int row, const RowGradient &gradient)
{
    for (const GradientSegment &s : gradient)
        DrawGradient(m_background, s.from, s.to, s.x1, s.x2, TrackHeight, stripY(row));
    // Every caller covers the whole strip, so the last gradient is all it shows.
    m_strips[std::size_t(row)] = gradient;
}

void TrackImages::FillFlat(QRgb colour)
{
    DrawFill(m_background, 0, 0, Width - 1, Height - 1, colour);
    m_flat = colour;
    m_strips = {};
}

void TrackImages::CopyRowBackground(int row)
{
    const int sourceY = (row == 0 && m_row0FromSpectrum) ? HueSpectrumY : stripY(row);
    const int targetY = stripY(row);
    // In device pixels; at a fractional ratio two strips may differ by a
    // line, and the last source line then fills in.
    const qreal s = m_scale;
    const int length = std::min(DeviceEdge(trackLength(row), s), m_buffer.width());
    const int source0 = DeviceEdge(sourceY, s);
    const int sourceLines = DeviceEdge(sourceY + TrackHeight, s) - source0;
    const int target0 = DeviceEdge(targetY, s);
    const int targetLines = DeviceEdge(targetY + TrackHeight, s) - target0;
    for (int k = 0; k < targetLines; ++k) {
        const int from = std::min(source0 + std::min(k, sourceLines - 1), m_background.height() - 1);
        const auto *source = reinterpret_cast<const QRgb *>(m_background.constScanLine(from));
        auto *target = reinterpret_cast<QRgb *>(m_buffer.scanLine(target0 + k));
        std::copy(source, source + length, target);
    }
}

ThumbSpan thumbSpan(int row, float value, float base, int oldThumbWidth)
{
    const int length = trackLength(row);
    if (base <= 0.0f)
        base = 1.0f;
    if (oldThumbWidth <= 0)
        return {value * float(length - 1) / base, NewThumbHitWidth};
    const float travel = float(length + 1 - oldThumbWidth);
    return {value * travel / base + 12.0f, oldThumbWidth};
}

float valueAtX(int row, float x, float base, int oldThumbWidth)
{
    const int length = trackLength(row);
    const float travel = oldThumbWidth <= 0 ? float(length - 1) : float(length + 1 - oldThumbWidth);
    return (x - float(TrackStart)) * base / travel;
}

// The pointers of the map above as a shape: sides straight down for two
// rows, then edges narrowing by a pixel a row to the tip at row 5, with a
// one-pixel highlight on the left and shadow and dark shadow on the right.
// Sampled at each device pixel's centre, so the slanted edges step by one
// device pixel instead of by whole logical pixels; at ratio 1 the samples
// give the map exactly.
void TrackImages::drawScaledPointers(int top, int length, int left, QRgb fill, const SystemColors &c)
{
    const qreal s = m_scale;
    const int stripTop = DeviceEdge(top, s);
    const int stripEnd = DeviceEdge(top + TrackHeight, s);
    const int clipRight = std::min(DeviceEdge(length, s), m_buffer.width());
    for (int dy = 0; dy < stripEnd - stripTop; ++dy) {
        const qreal y = (dy + 0.5) / s;
        if (y >= 5.0)
            break;
        const qreal from = y < 2.0 ? 0.0 : y - 1.5;
        const qreal to = y < 2.0 ? 7.0 : 8.5 - y;
        const int dx0 = std::max(int(std::floor((left + from) * s + 0.5)), 0);
        const int dx1 = std::min(int(std::floor((left + to) * s + 0.5)), clipRight);
        auto *upper = reinterpret_cast<QRgb *>(m_buffer.scanLine(stripTop + dy));
        auto *lower = reinterpret_cast<QRgb *>(m_buffer.scanLine(stripEnd - 1 - dy));
        for (int dx = dx0; dx < dx1; ++dx) {
            const qreal x = (dx + 0.5) / s - left;
            const QRgb colour = x >= to - 1.0   ? c.darkShadow
                                : x >= to - 2.0 ? c.shadow
                                : x < from + 1.0 ? c.highlight
                                                 : fill;
            upper[dx] = colour;
            lower[dx] = colour;
        }
    }
}

void TrackImages::DrawThumb(int row, float value, float base, const ThumbLook &look,
                            const SystemColors &c)
{
    const int top = stripY(row);
    const int length = trackLength(row);
    // A private clip keeps a thumb at either end inside its own strip.
    auto put = [&](int x, int y, QRgb colour) {
        if (x >= 0 && x < length && y >= 0 && y < TrackHeight)
            DrawPixel(m_buffer, x, top + y, colour);
    };
    const ThumbSpan span = thumbSpan(row, value, base, look.oldThumbWidth);

    if (look.oldThumbWidth <= 0) {
        // Columns 0-6 of the two pointers, top half; the bottom half mirrors it.
        static constexpr const char *map[5] = {"HFFFFSD", "HFFFFSD", ".HFFSD.", "..HSD..",
                                               "...D..."};
        const QRgb fill = look.focused ? c.highlight : c.face;
        const int left = int(std::nearbyint(span.pos)) - 3;
        if (m_scale != 1.0) {
            drawScaledPointers(top, length, left, fill, c);
            return;
        }
        for (int r = 0; r < 5; ++r) {
            for (int k = 0; k < 7; ++k) {
                QRgb colour;
                switch (map[r][k]) {
                case 'H': colour = c.highlight; break;
                case 'F': colour = fill; break;
                case 'S': colour = c.shadow; break;
                case 'D': colour = c.darkShadow; break;
                default: continue;
                }
                put(left + k, r, colour);
                put(left + k, TrackHeight - 1 - r, colour);
            }
        }
        return;
    }

    const int w = look.oldThumbWidth;
    const int x0 = int(std::nearbyint(span.pos)) - 12;
    const int x1 = x0 + w - 1;
    if (look.pagingDirection > 0) {
        for (int x = x1 + 1; x < length; ++x)
            for (int y = 0; y < TrackHeight; ++y)
                put(x, y, c.shadow);
    } else if (look.pagingDirection < 0) {
        for (int x = 0; x < x0; ++x)
            for (int y = 0; y < TrackHeight; ++y)
                put(x, y, c.shadow);
    }
    for (int x = x0; x <= x1; ++x) {
        for (int y = 0; y < TrackHeight; ++y) {
            QRgb colour = c.face;
            if (look.focused && ((x - x0) + y) % 2 == 0)
                colour = c.shadow;
            if (y == TrackHeight - 1 || x == x1)
                colour = c.darkShadow;
            else if (y == TrackHeight - 2 || x == x1 - 1)
                colour = (y == 0 || x == x0) ? c.highlight : c.shadow;
            else if (y == 0 || x == x0)
                colour = c.highlight;
            put(x, y, colour);
        }
    }
}

} // namespace tintwell
