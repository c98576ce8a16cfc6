// One slider-drag step of the main window: a mouse move over a dragged thumb,
// through SetColors, to the rows, the preview and the seven output boxes
// painted again. The rows should follow a 1000 Hz mouse, so under 1 ms.
#include "app/application.h"
#include "mainwindow/frmmain.h"
#include "mainwindow/sliderrow.h"
#include "platform/registry.h"

#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace tintwell;

struct Window {
    QTemporaryDir dir;
    RecordingMessages messages;
    std::unique_ptr<Application> app;
    frmMain *w = nullptr;

    explicit Window(int mode, bool oldStyle)
    {
        const QString settings = dir.filePath(QStringLiteral("settings.ini"));
        {
            clsRegistry reg(settings);
            const QString key = clsRegistry::settingsKey();
            reg.SetLong(key, QStringLiteral("Last Color"), 0x3366CC);
            reg.SetLong(key, QStringLiteral("Sliders"), mode);
            reg.SetLong(key, QStringLiteral("Old Sliders"), oldStyle ? 1 : 0);
        }
        app = std::make_unique<Application>(Application::Options{dir.path(), settings, &messages});
        app->start();
        w = &app->mainWindow();
        QCoreApplication::processEvents();
    }

    void send(QWidget *target, QEvent::Type type, QPoint rowPos, Qt::MouseButton button, Qt::MouseButtons held)
    {
        const QPointF local(rowPos + QPoint(SliderRow::Border, SliderRow::Border));
        QMouseEvent e(type, local, target->mapToGlobal(local), button, held, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &e);
    }

    // Presses the thumb of row 0 and returns the x it was pressed at.
    int grabThumb()
    {
        SliderRow *row = w->picColorBox(0);
        const ThumbSpan span = thumbSpan(0, row->sliderValue(), row->base(), row->oldThumbWidth());
        const int x = int(span.pos) + (row->oldThumbWidth() > 0 ? row->oldThumbWidth() / 2 + 1 : NewThumbHitWidth / 2);
        send(row, QEvent::MouseButtonPress, QPoint(x, 5), Qt::LeftButton, Qt::LeftButton);
        return x;
    }

    void paintRowsAndOutputs()
    {
        for (int i = 0; i < 4; ++i)
            w->picColorBox(i)->repaint();
        for (int i = 0; i < kBoxCount; ++i)
            w->txtCopyBox(i)->repaint();
        w->picPreview()->repaint();
    }
};

void dragStep(benchmark::State &state, bool wholeWindow)
{
    Window win(int(state.range(0)), state.range(1) != 0);
    SliderRow *row = win.w->picColorBox(0);
    const int x = win.grabThumb();
    if (!row->isDragging()) {
        state.SkipWithError("the press did not take the thumb");
        return;
    }
    int step = 0;
    for (auto _ : state) {
        // Back and forth over 40 pixels, so every step changes the value.
        const int dx = (step / 40) % 2 == 0 ? step % 40 : 40 - step % 40;
        win.send(row, QEvent::MouseMove, QPoint(x + dx - 20, 5), Qt::NoButton, Qt::LeftButton);
        if (wholeWindow)
            win.w->repaint();
        else
            win.paintRowsAndOutputs();
        ++step;
    }
    benchmark::DoNotOptimize(win.w->currentColor());
    state.counters["settings_writes"] = double(win.app->registry().writeCount());
}

void BM_DragStep(benchmark::State &state) { dragStep(state, false); }
void BM_DragStepWholeWindow(benchmark::State &state) { dragStep(state, true); }

// Arguments: slider mode (0 RGB, 1 HSL, 2 HSB, 3 CMY), old style (1) or new (0).
BENCHMARK(BM_DragStep)->Args({0, 0})->Args({1, 0})->Args({2, 0})->Args({3, 0})->Args({0, 1})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DragStepWholeWindow)->Args({0, 0})->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::benchmark::Initialize(&argc, argv);
    if (::benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    ::benchmark::RunSpecifiedBenchmarks();
    ::benchmark::Shutdown();
    return 0;
}
