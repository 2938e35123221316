// The yardsticks every other figure is divided by, measured in the same run.
#include "BenchSizes.h"
#include "ProcessRun.h"

#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>

namespace {
// One plain copy of a full 240 x 320 screen image: the least work any
// visible change costs.
void FullScreenCopy(benchmark::State &state)
{
    QImage source(240, 320, QImage::Format_RGB32);
    source.fill(0x336699);
    QImage target(240, 320, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&target);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(0, 0, source);
        painter.end();
        benchmark::DoNotOptimize(target.constBits());
    }
}
BENCHMARK(FullScreenCopy);

void MinimalQtStart(benchmark::State &state)
{
    RunProcessIterations(state, QUORLEX_MINIMAL_START, {"-platform", "offscreen"});
}
BENCHMARK(MinimalQtStart)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(QuickRun() ? 1 : 10);
}
