#include "common/fonts.h"
#include "common/regionalsettings.h"
#include "print/report.h"

#include <QApplication>
#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>

#include <benchmark/benchmark.h>

namespace {

// Every variable answered with a text of typical length.
void answerEverything(const QString &name, QVariant &value)
{
    value = name == QLatin1String("m19") ? QStringLiteral("1234 Minta, Fő utca 12. A ép. 2. lh. 3. em. 4 ajtó ")
                                          : QStringLiteral("Árvíz Bt. ") + name;
}

TfrxReport &preparedReport()
{
    static TfrxReport report;
    static const bool prepared = [] {
        report.OnGetValue = answerEverything;
        return report.PreparePages(true);
    }();
    if (!prepared)
        throw std::runtime_error("preparation failed");
    return report;
}

constexpr double printerDpi = 600.0;

// Several runs of at least two seconds each: the median and the spread, not one figure of a busy machine.
void repeated(benchmark::internal::Benchmark *benchmark)
{
    benchmark->MinTime(2.0)->Repetitions(7)->ReportAggregatesOnly(true);
}

// A white A4 sheet at 600 dpi (about 140 MB), every page of it touched once by the fill.
QImage whiteSheet()
{
    QImage sheet(qCeil(210.0 / 25.4 * printerDpi), qCeil(297.0 / 25.4 * printerDpi), QImage::Format_RGB32);
    sheet.fill(Qt::white);
    return sheet;
}

void BM_PreparePages(benchmark::State &state)
{
    TfrxReport report;
    report.OnGetValue = answerEverything;
    for (auto _ : state)
        benchmark::DoNotOptimize(report.PreparePages(true));
}
BENCHMARK(BM_PreparePages)->Unit(benchmark::kMicrosecond)->Apply(repeated);

// What a fresh sheet costs before anything is drawn: the allocation and the first touch of its pages.
void BM_AllocateSheetAt600Dpi(benchmark::State &state)
{
    for (auto _ : state) {
        const QImage sheet = whiteSheet();
        benchmark::DoNotOptimize(sheet.constBits());
    }
}
BENCHMARK(BM_AllocateSheetAt600Dpi)->Unit(benchmark::kMillisecond)->Apply(repeated);

// The drawing alone: the sheet is allocated and touched before the timed loop.
void BM_DrawPageToImageAt600Dpi(benchmark::State &state)
{
    const TfrxReport &report = preparedReport();
    QImage sheet = whiteSheet();
    for (auto _ : state) {
        QPainter painter(&sheet);
        report.drawPage(0, painter, printerDpi, printerDpi, QPointF());
    }
    benchmark::DoNotOptimize(sheet.constBits());
}
BENCHMARK(BM_DrawPageToImageAt600Dpi)->Unit(benchmark::kMillisecond)->Apply(repeated);

void BM_DrawPageToPdfAt600Dpi(benchmark::State &state)
{
    const TfrxReport &report = preparedReport();
    for (auto _ : state) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF());
        writer.setResolution(int(printerDpi));
        QPainter painter(&writer);
        report.drawPage(0, painter, printerDpi, printerDpi, QPointF());
        painter.end();
        benchmark::DoNotOptimize(buffer.size());
    }
}
BENCHMARK(BM_DrawPageToPdfAt600Dpi)->Unit(benchmark::kMillisecond)->Apply(repeated);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    fonts::install();
    Regional::instance().setSettings({u',', u' ', QStringLiteral("yyyy.MM.dd.")});
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
