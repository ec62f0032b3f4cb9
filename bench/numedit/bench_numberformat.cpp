#include "form/numedit/numberformat.h"

#include <benchmark/benchmark.h>

#include <QString>

namespace {

RegionalSettings hungarian()
{
    RegionalSettings settings;
    settings.decimalSeparator = u',';
    settings.thousandSeparator = QChar(0x00A0);
    return settings;
}

// The display form that a field writes when it is left.
void formatDisplayForm(benchmark::State &state, long double value)
{
    const RegionalSettings regional = hungarian();
    const NumberPattern pattern = NumberPattern::forField(NumberFormat::Standard, -1);
    for (auto _ : state)
        benchmark::DoNotOptimize(formatNumber(value, pattern, regional));
}
BENCHMARK_CAPTURE(formatDisplayForm, integer, 1234567.0L);
BENCHMARK_CAPTURE(formatDisplayForm, oneThird, 1.0L / 3);
BENCHMARK_CAPTURE(formatDisplayForm, generalForm, 12345678901234567890.0L);

void formatThousands(benchmark::State &state)
{
    const RegionalSettings regional = hungarian();
    const NumberPattern pattern = NumberPattern::forField(NumberFormat::Thousands, 2);
    for (auto _ : state)
        benchmark::DoNotOptimize(formatNumber(1234567.891L, pattern, regional));
}
BENCHMARK(formatThousands);

void readText(benchmark::State &state, const char *text)
{
    const RegionalSettings regional = hungarian();
    const QString number = QString::fromUtf8(text);
    for (auto _ : state)
        benchmark::DoNotOptimize(readNumber(number, regional));
}
BENCHMARK_CAPTURE(readText, integer, "1234567");
BENCHMARK_CAPTURE(readText, fraction, "0,33333333333333");
BENCHMARK_CAPTURE(readText, grouped, "1\u00A0234\u00A0567,89");
BENCHMARK_CAPTURE(readText, exponent, "12E3");

// A field's text as long as typing can make it.
void readLongestText(benchmark::State &state)
{
    const RegionalSettings regional = hungarian();
    const QString number = QStringLiteral("0,") + QString(32765, u'3');
    for (auto _ : state)
        benchmark::DoNotOptimize(readNumber(number, regional));
}
BENCHMARK(readLongestText);

} // namespace

BENCHMARK_MAIN();
