// One picker pass (screen copy, average, magnified view, SetColors with every
// output) at 1x1, 5x5 and 9x zoom, goal under 1 ms; and the average of a
// 1920 x 1080 area including its screen copy, goal under 100 ms.
//
// The passes read the real screen, so run them on an X server big enough for
// the area, e.g.
//   xvfb-run -a -s "-screen 0 1920x1080x24" build/bench/picker/bench_picker
// Without one only the in-memory benchmarks run.
#include "app/application.h"
#include "mainwindow/frmmain.h"
#include "picker/pickerpanel.h"
#include "picker/sampling.h"
#include "picker/screengrabber.h"
#include "platform/registry.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
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

    Window()
    {
        const QString settings = dir.filePath(QStringLiteral("settings.ini"));
        {
            // Past the first run: no terms window.
            clsRegistry reg(settings);
            reg.SetLong(clsRegistry::settingsKey(), QStringLiteral("Last Color"), 0x3366CC);
        }
        app = std::make_unique<Application>(Application::Options{dir.path(), settings, &messages});
        app->start();
        w = &app->mainWindow();
        w->move(0, 0);
        QCoreApplication::processEvents();
    }
    void send(QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held)
    {
        QWidget *z = w->pickerPanel()->picZoom();
        QMouseEvent e(type, QPointF(5, 5), z->mapToGlobal(QPointF(5, 5)), button, held, Qt::NoModifier);
        QApplication::sendEvent(z, &e);
    }
};

bool OnX11()
{
    return QGuiApplication::platformName() == QLatin1String("xcb");
}

// state.range(0): sample item (0 1x1, 2 5x5); state.range(1): zoom item (0 1x, 4 9x).
void BM_PickerPass(benchmark::State &state)
{
    if (!OnX11()) {
        state.SkipWithError("needs an X server");
        return;
    }
    Window win;
    win.w->pickerSampleItem(int(state.range(0)))->trigger();
    win.w->pickerZoomItem(int(state.range(1)))->trigger();
    QCursor::setPos(700, 500);
    win.send(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton);
    for (auto _ : state)
        win.send(QEvent::MouseMove, Qt::NoButton, Qt::LeftButton);
    win.send(QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton);
    benchmark::DoNotOptimize(win.w->currentColor());
}
BENCHMARK(BM_PickerPass)->Args({0, 0})->Args({2, 0})->Args({0, 4})->Unit(benchmark::kMicrosecond);

// Press, anchor at the top-left, drag to the bottom-right, release: the
// frame, the screen copy, the sums with the progress window, SetColors.
void BM_AreaSample1920x1080(benchmark::State &state)
{
    if (!OnX11()) {
        state.SkipWithError("needs an X server");
        return;
    }
    Window win;
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    if (screen.width() < 1920 || screen.height() < 1080) {
        state.SkipWithError("needs a screen of at least 1920 x 1080");
        return;
    }
    win.w->pickerSampleItem(3)->trigger();
    for (auto _ : state) {
        QCursor::setPos(0, 0);
        win.send(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton);
        win.send(QEvent::MouseButtonPress, Qt::RightButton, Qt::LeftButton | Qt::RightButton);
        QCursor::setPos(1919, 1079);
        win.send(QEvent::MouseMove, Qt::NoButton, Qt::LeftButton | Qt::RightButton);
        win.send(QEvent::MouseButtonRelease, Qt::RightButton, Qt::LeftButton);
        win.send(QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton);
    }
    benchmark::DoNotOptimize(win.w->currentColor());
}
BENCHMARK(BM_AreaSample1920x1080)->Unit(benchmark::kMillisecond)->Iterations(5);

// The screen copy alone, for comparison with the whole area sample.
void BM_GrabFullHd(benchmark::State &state)
{
    if (!OnX11()) {
        state.SkipWithError("needs an X server");
        return;
    }
    auto grabber = MakeQtScreenGrabber();
    for (auto _ : state)
        benchmark::DoNotOptimize(grabber->grab(QRect(0, 0, 1920, 1080)));
}
BENCHMARK(BM_GrabFullHd)->Unit(benchmark::kMillisecond)->Iterations(5);

// The arithmetic alone, from memory: the sums of a full-HD image and one view.
void BM_AverageFullHdInMemory(benchmark::State &state)
{
    QImage img(1920, 1080, QImage::Format_RGB32);
    img.fill(qRgb(12, 34, 56));
    for (auto _ : state)
        benchmark::DoNotOptimize(AverageColor(img, img.rect()));
}
BENCHMARK(BM_AverageFullHdInMemory)->Unit(benchmark::kMillisecond);

void BM_MagnifyAndDraw(benchmark::State &state)
{
    QImage src(54, 54, QImage::Format_RGB32);
    src.fill(qRgb(90, 80, 70));
    const ZoomStep step = ZoomStepFor(int(state.range(0)), 15);
    for (auto _ : state) {
        QImage view = MagnifiedView(src, QPoint(0, 0), QRect(0, 0, step.side, step.side), 54, step.side);
        DrawInvertedOutline(view, QRect(25, 25, 5, 5));
        DrawPickerCrosshair(view, QPoint(20, 20));
        benchmark::DoNotOptimize(view);
    }
}
BENCHMARK(BM_MagnifyAndDraw)->Arg(0)->Arg(4)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
