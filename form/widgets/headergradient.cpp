#include "form/widgets/headergradient.h"

namespace {

constexpr int bandCount = 16;

// Integer division rounded to the nearest whole number, halves away from zero.
int divideRounded(int numerator, int denominator)
{
    const int magnitude = (2 * std::abs(numerator) + denominator) / (2 * denominator);
    return numerator < 0 ? -magnitude : magnitude;
}

int step(int start, int end, int band)
{
    return start + divideRounded((end - start) * band, bandCount - 1);
}

} // namespace

QList<GradientBand> headerGradient(QColor start, QColor end, int height)
{
    QList<GradientBand> bands;
    bands.reserve(bandCount);
    for (int band = 0; band < bandCount; ++band) {
        bands.append({divideRounded(band * height, bandCount), divideRounded((band + 1) * height, bandCount),
                      QColor(step(start.red(), end.red(), band), step(start.green(), end.green(), band),
                             step(start.blue(), end.blue(), band))});
    }
    return bands;
}
