#pragma once
// Pixel drawing of the slider rows: the primitives, the step-button images,
// the gradient strips and the two 199 x 71 track images. Coordinates are the
// fixed layout's logical pixels; an image whose device pixel ratio is above 1
// is drawn at that ratio, so nothing is stretched on a high-DPI screen: a
// logical pixel of a line or frame covers its whole block of device pixels,
// and gradients get a colour per device column. Nothing here knows about
// widgets, schemes or settings; colours come in as plain values, so all of it
// tests without a display.

#include <QImage>
#include <QPalette>
#include <QRgb>
#include <array>
#include <optional>
#include <vector>

namespace tintwell {

// The four 3-D colours of the rows and the flat colour of old-style tracks,
// resolved once from a widget palette.
struct SystemColors {
    QRgb face = qRgb(212, 208, 200);
    QRgb highlight = qRgb(255, 255, 255);
    QRgb shadow = qRgb(128, 128, 128);
    QRgb darkShadow = qRgb(64, 64, 64);
    QRgb scrollBar = qRgb(200, 200, 200);

    static SystemColors fromPalette(const QPalette &palette);
};

// Device pixel where logical coordinate v starts at ratio `scale`. Blocks of
// neighbouring logical pixels meet exactly, so fills never leave seams.
int DeviceEdge(int v, qreal scale);
// An image of logical size w x h at the ratio, device pixels to match.
QImage ScaledImage(int w, int h, qreal scale);

// Lines leave out their end point; frames and fills include right and bottom.
// Everything is clipped to the image.
void DrawLine(QImage &image, int x1, int y1, int x2, int y2, QRgb colour);
void DrawFrame(QImage &image, int left, int top, int right, int bottom, QRgb colour);
void DrawFill(QImage &image, int left, int top, int right, int bottom, QRgb colour);
void DrawPixel(QImage &image, int x, int y, QRgb colour);

// Horizontal gradient over x1 .. x2 - 1 on line y, then copied down to
// y + height - 1. The last pixel stops one step short of `to`.
void DrawGradient(QImage &image, QRgb from, QRgb to, int x1, int x2, int height, int y);

// The 13 x 14 step-button images.
constexpr int ButtonWidth = 13;
constexpr int ButtonHeight = 14;
enum class StepGlyph { Minus, Plus };
QImage DrawStepButton(StepGlyph glyph, bool pressed, const SystemColors &colours, qreal scale = 1.0);

// Track geometry shared by drawing and hit-testing.
constexpr int TrackStart = 13;        // first track pixel in row coordinates
constexpr int TrackHeight = 14;
constexpr int ShadeRow = 3;
constexpr int HueSpectrumY = 57;
inline int trackLength(int row) { return row == ShadeRow ? 199 : 175; }
inline int stripY(int row)
{
    static constexpr std::array<int, 4> y{0, 15, 29, 43};
    return y[static_cast<std::size_t>(row)];
}

// One piece of a gradient strip: from `from` at x1 to `to` before x2.
struct GradientSegment {
    QRgb from;
    QRgb to;
    int x1;
    int x2;
};
using RowGradient = std::vector<GradientSegment>;

// How a row's thumb is drawn: new-style pointers when oldThumbWidth is 0,
// otherwise a raised box of that width.
struct ThumbLook {
    int oldThumbWidth = 0;
    bool focused = false;
    int pagingDirection = 0; // old style: -1 or 1 while the track is held, else 0
};

// TrackBackground holds the prepared strips, TrackBuffer the same strips with
// thumbs on them; the rows show TrackBuffer.
class TrackImages
{
public:
    static constexpr int Width = 199;
    static constexpr int Height = 71;

    TrackImages();

    // The device pixel ratio the images are drawn at. Changing it redraws the
    // background from what was last drawn into each strip and clears
    // TrackBuffer, whose rows must then be redrawn (generation() tells them).
    void setScale(qreal scale);
    qreal scale() const { return m_scale; }
    int generation() const { return m_generation; }

    const QImage &TrackBackground() const { return m_background; }
    const QImage &TrackBuffer() const { return m_buffer; }

    // The fixed red-yellow-green-cyan-blue-magenta-red strip at y 57.
    void DrawHueSpectrum();
    // Draws one row's strip of TrackBackground from its segments.
    void DrawRowBackground(int row, const RowGradient &gradient);
    // Old style: the whole background in one flat colour.
    void FillFlat(QRgb colour);

    // Row 0 takes the hue spectrum instead of its own strip (HSL and HSB).
    void setRow0FromSpectrum(bool on) { m_row0FromSpectrum = on; }
    bool row0FromSpectrum() const { return m_row0FromSpectrum; }

    void CopyRowBackground(int row);
    // Thumb of `row` at `value` of 0 .. base.
    void DrawThumb(int row, float value, float base, const ThumbLook &look,
                   const SystemColors &colours);

private:
    void paintBackground();
    void drawScaledPointers(int top, int length, int left, QRgb fill, const SystemColors &colours);

    QImage m_background;
    QImage m_buffer;
    bool m_row0FromSpectrum = false;
    qreal m_scale = 1.0;
    int m_generation = 0;
    // What the background holds, so another scale can redraw it: a flat
    // colour under everything, then each strip's last gradient (rows 0-3,
    // then the hue spectrum).
    std::optional<QRgb> m_flat;
    std::array<std::optional<RowGradient>, 5> m_strips;
};

// Thumb geometry in row coordinates (x from the row's inner left edge).
// New style: the pointers are centred on pixel TrackStart + pos, and a press
// in (pos, pos + 26) takes the thumb, 13 pixels either side of it. Old style:
// the box covers pos + 1 .. pos + width of the row, strip x pos - 12 onwards.
struct ThumbSpan {
    float pos;
    int width;
};
ThumbSpan thumbSpan(int row, float value, float base, int oldThumbWidth);
// Value under row coordinate x (not limited to 0 .. base).
float valueAtX(int row, float x, float base, int oldThumbWidth);

constexpr int NewThumbHitWidth = 26;

} // namespace tintwell
