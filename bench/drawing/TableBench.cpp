// How long the table's drawing takes, at the layout widths of a small, a
// common, a large and a 3840 x 2160 screen. A spin's 47 frames must each fit well inside the
// 25 ms frame interval; a full repaint runs on first show and after dialogs.
#include <QGuiApplication>
#include <QPainter>

#include <benchmark/benchmark.h>

#include "engine/Reels.h"
#include "pictures/PictureSet.h"
#include "pictures/Scaling.h"
#include "drawing/TablePainter.h"

namespace {

// A symbol sheet like a theme's: sixteen shaded cells.
QImage SymbolSheet()
{
    QImage sheet(304, 304, QImage::Format_RGB32);
    QPainter painter(&sheet);
    for (int cell = 0; cell < 16; ++cell) {
        QLinearGradient shade(0, 0, 76, 76);
        shade.setColorAt(0, QColor::fromHsv(cell * 22, 200, 250));
        shade.setColorAt(1, QColor::fromHsv(cell * 22, 255, 90));
        painter.fillRect((cell % 4) * 76, (cell / 4) * 76, 76, 76, shade);
    }
    return sheet;
}

// The built-in pictures, with any that are missing made up at their sizes.
const pictures::PictureSet& Pictures()
{
    static const pictures::PictureSet set = [] {
        pictures::PictureSet s = pictures::PictureSet::BuiltIn();
        const std::pair<QImage*, QSize> sizes[] = {
            {&s.tableBackground, {800, 600}},  {&s.motionStrip, {76, 456}},        {&s.bonusMeterStrip, {78, 767}},
            {&s.betOneButtonStrip, {78, 118}}, {&s.betFiveButtonStrip, {78, 118}}, {&s.spinButtonStrip, {78, 118}},
            {&s.unlitLogoPanel, {302, 165}},   {&s.unlitTitlePlate, {429, 45}},    {&s.unlitBetSign, {84, 85}},
            {&s.smallRedDigits, {188, 21}},    {&s.smallGreenDigits, {188, 21}},   {&s.largeRedDigits, {376, 42}},
            {&s.largeGreenDigits, {376, 42}},
        };
        for (const auto& [image, size] : sizes) {
            if (image->isNull()) {
                *image = QImage(size, QImage::Format_RGB32);
                image->fill(QColor(90, 30, 80));
            }
        }
        s.symbolSheet = SymbolSheet();
        return s;
    }();
    return set;
}

struct Table {
    QImage surface;
    drawing::TablePainter painter;

    explicit Table(int layoutWidth)
        : surface(pictures::Scaling(layoutWidth).TableSize(), QImage::Format_RGB32),
          painter(surface, Pictures(), Metrics(layoutWidth))
    {
        surface.fill(Qt::black);
    }

    static drawing::TableMetrics Metrics(int layoutWidth)
    {
        drawing::TableMetrics m;
        m.layoutWidth = layoutWidth;
        m.logicalDpi = 96;
        return m;
    }
};

void SpinFrames(benchmark::State& state)
{
    Table t(static_cast<int>(state.range(0)));
    const engine::ReelStops stops{7, 19, 3};
    for (auto _ : state) {
        engine::MotionOffsets offsets{11, 222, 333};
        for (int frame = 1; frame <= 47; ++frame) {
            auto drawn = t.painter.DrawSpinFrame(frame, offsets, stops);
            benchmark::DoNotOptimize(drawn);
        }
    }
    // Seconds per frame (shown with an SI prefix, e.g. 40u = 40 microseconds).
    state.counters["per_frame"] =
        benchmark::Counter(47, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void FormPaint(benchmark::State& state)
{
    Table t(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        auto drawn = t.painter.FormPaint(engine::StartStops, 123456, 5, 7);
        benchmark::DoNotOptimize(drawn);
    }
}

void NudgeAndSettle(benchmark::State& state)
{
    Table t(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        for (int step = 0; step < 8; ++step) {
            benchmark::DoNotOptimize(t.painter.DrawNudgeStep(1, 12, engine::SlideDirection::Down, step));
        }
        t.painter.CaptureSettle(1);
        for (int step = 0; step < 8; ++step) {
            benchmark::DoNotOptimize(t.painter.DrawSettleStep(1, step));
        }
    }
}

// Start-up cost: every picture stretched once.
void MakePainter(benchmark::State& state)
{
    const int layout = static_cast<int>(state.range(0));
    QImage surface(pictures::Scaling(layout).TableSize(), QImage::Format_RGB32);
    for (auto _ : state) {
        drawing::TablePainter painter(surface, Pictures(), Table::Metrics(layout));
        benchmark::DoNotOptimize(painter.Geometry());
    }
}

}  // namespace

BENCHMARK(SpinFrames)->Arg(800)->Arg(1024)->Arg(1920)->Arg(2880)->Unit(benchmark::kMicrosecond);
BENCHMARK(FormPaint)->Arg(800)->Arg(1024)->Arg(1920)->Arg(2880)->Unit(benchmark::kMicrosecond);
BENCHMARK(NudgeAndSettle)->Arg(800)->Arg(1024)->Arg(1920)->Arg(2880)->Unit(benchmark::kMicrosecond);
BENCHMARK(MakePainter)->Arg(800)->Arg(1024)->Arg(1920)->Arg(2880)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
