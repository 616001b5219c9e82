// One drawing tick of a fitted gear onto the picture PicGEAR, beside the same tick drawn the
// plain way (one QPainter call per segment through a transform), for growing numbers of teeth.
#include "fitted_gear.h"
#include "straightforward_drawing.h"

#include "drawing/view.h"
#include "ui/pic_gear.h"

#include <QApplication>
#include <QWindow>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

using tamrel::bench::FittedGear;

// The inner area of the placed picture, where both drawings go.
constexpr int ImageWidth = 509;
constexpr int ImageHeight = 253;

// A picture that is drawn at all: a refused gear would measure an empty tick.
bool showsSomething(const QImage& image) {
    const QRgb background = image.pixel(0, 0);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != background) {
                return true;
            }
        }
    }
    return false;
}

void BM_DrawingTick(benchmark::State& state) {
    const FittedGear gear = tamrel::bench::fitGear(static_cast<std::int16_t>(state.range(0)));
    tamrel::PicGear picture;
    picture.show();
    picture.setUserScale(gear.view);
    tamrel::ProgramState program = gear.state;
    const tamrel::TickInputs inputs{true, gear.tip, gear.root};
    const tamrel::NumberLocale locale;
    for (auto _ : state) {
        tamrel::drawingTick(picture, program, inputs, locale);
        benchmark::DoNotOptimize(picture.image().constBits());
    }
    if (!showsSomething(picture.image())) {
        state.SkipWithError("the tick drew nothing");
    }
}

void BM_StraightforwardTick(benchmark::State& state) {
    const FittedGear gear = tamrel::bench::fitGear(static_cast<std::int16_t>(state.range(0)));
    QImage image(ImageWidth, ImageHeight, QImage::Format_RGB32);
    float rotation = 0;
    for (auto _ : state) {
        tamrel::bench::straightforwardTick(image, gear, rotation);
        benchmark::DoNotOptimize(image.constBits());
    }
    if (!showsSomething(image)) {
        state.SkipWithError("the tick drew nothing");
    }
}

// Showing the picture on screen after a tick: the same for every number of teeth.
void BM_PictureRepaint(benchmark::State& state) {
    const FittedGear gear = tamrel::bench::fitGear(59);
    tamrel::PicGear picture;
    picture.show();
    picture.setUserScale(gear.view);
    tamrel::ProgramState program = gear.state;
    tamrel::drawingTick(picture, program, {true, gear.tip, gear.root}, tamrel::NumberLocale{});
    // Repainting only paints once the window is on screen.
    while (picture.windowHandle() == nullptr || !picture.windowHandle()->isExposed()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    for (auto _ : state) {
        picture.repaint();
    }
}

BENCHMARK(BM_DrawingTick)
    ->ArgName("teeth")
    ->Arg(59)
    ->Arg(500)
    ->Arg(5000)
    ->Arg(32767)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StraightforwardTick)
    ->ArgName("teeth")
    ->Arg(59)
    ->Arg(500)
    ->Arg(5000)
    ->Arg(32767)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PictureRepaint)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
