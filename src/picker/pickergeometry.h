#pragma once
// Where the picker looks and where it draws: the magnifier's size and zoom
// steps, the block a 3x3 or 5x5 sample averages, the source square of the
// magnified view with the crosshair that marks the pointer pixel in it, and
// the rectangle of a dragged area. Pure arithmetic on screen coordinates; the
// screen is the virtual desktop, whose origin may be negative when a monitor
// sits left of or above the primary one.

#include <QPoint>
#include <QRect>
#include <QString>
#include <array>

namespace tintwell {

// The checked item of each radio group of the Picker menu, in menu order.
enum class SampleSize { One = 0, Three = 1, Five = 2, DragArea = 3 };
constexpr int kSampleSizeCount = 4;
constexpr int kZoomCount = 5;
constexpr std::array<int, kZoomCount> kZoomFactors{1, 2, 3, 6, 9};

// Twips per pixel from the logical dots per inch (15 at 96 dpi, 12 at 120).
double TwipsPerPixel(double logicalDpi);
// Side of the square magnified view: 54 x 15 / T, halves to even.
int ViewSize(double twipsPerPixel);

// One row of the zoom table. The crosshair reference is the top-left of the
// crosshair figure in view pixels; its centre is reference + 7. Frame offsets
// are added to the reference on both axes and give the corners (both
// inclusive) of the outline around a 3x3 or 5x5 block.
struct ZoomStep {
    int zoom = 1;      // magnification
    int side = 54;     // S: side of the source square in screen pixels
    int reach = 27;    // k: source square's top-left = position - k
    int reference = 20; // b: crosshair reference with the square wholly on screen
    int frame3From = 5, frame3To = 9;
    int frame5From = 4, frame5To = 10;
};
// zoomIndex 0-4 for 1x, 2x, 3x, 6x, 9x; S follows the screen's twips per pixel.
ZoomStep ZoomStepFor(int zoomIndex, double twipsPerPixel);

// The screen pixels a fixed-size sample averages: the n x n block centred on
// the position (n 1, 3 or 5), cut to the screen. A block cut by an edge is
// averaged over the pixels left on the screen (four at a corner in 3x3). A
// position off the screen is first moved onto its nearest pixel.
QRect SampleBlock(QPoint position, int n, const QRect &screen);
int SampleSide(SampleSize size); // 1, 3, 5; 0 for DragArea

// The magnified view of one pass: which S x S square of the screen is
// stretched onto the view, and where the crosshair goes. Near an edge the
// square is pushed back onto the screen and the crosshair moves by
// zoom x the shift, so it still marks the pointer pixel.
struct ViewGeometry {
    QRect source;
    QPoint reference;
};
ViewGeometry MagnifyGeometry(QPoint position, const ZoomStep &step, const QRect &screen);

// Corners (inclusive) of the outline around the sampled block, in view
// pixels; an empty rectangle for 1x1 and drag-area sampling.
QRect FrameOutline(const ViewGeometry &view, const ZoomStep &step, SampleSize size);

// The dragged rectangle between the anchor and the pointer: both corner pixels
// included, whichever way the drag went.
QRect AreaRect(QPoint anchor, QPoint cursor);
// Areas of more than this many pixels show the progress window.
constexpr long long kAreaProgressThreshold = 1024;
bool AreaShowsProgress(const QRect &area);
// "n% Done" after row `row` (from 0) of `height` rows, as a whole percentage
// rounded half away from zero.
QString ProgressText(long long row, long long height);

} // namespace tintwell
