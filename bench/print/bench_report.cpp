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

void BM_PreparePages(benchmark::State &state)
{
    TfrxReport report;
    report.OnGetValue = answerEverything;
    for (auto _ : state)
        benchmark::DoNotOptimize(report.PreparePages(true));
}
BENCHMARK(BM_PreparePages)->Unit(benchmark::kMicrosecond);

void BM_DrawPageToImageAt600Dpi(benchmark::State &state)
{
    const TfrxReport &report = preparedReport();
    QImage sheet(qCeil(210.0 / 25.4 * printerDpi), qCeil(297.0 / 25.4 * printerDpi), QImage::Format_RGB32);
    for (auto _ : state) {
        sheet.fill(Qt::white);
        QPainter painter(&sheet);
        report.drawPage(0, painter, printerDpi, printerDpi, QPointF());
    }
}
BENCHMARK(BM_DrawPageToImageAt600Dpi)->Unit(benchmark::kMillisecond);

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
BENCHMARK(BM_DrawPageToPdfAt600Dpi)->Unit(benchmark::kMillisecond);

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
