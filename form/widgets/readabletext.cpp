#include "form/widgets/readabletext.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double readableContrast = 4.5;

double linearChannel(double channel)
{
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

double relativeLuminance(const QColor &color)
{
    const QColor rgb = color.toRgb();
    return 0.2126 * linearChannel(rgb.redF()) + 0.7152 * linearChannel(rgb.greenF())
         + 0.0722 * linearChannel(rgb.blueF());
}

double leastContrast(const QColor &text, std::initializer_list<QColor> backgrounds)
{
    double least = 21.0;
    for (const QColor &background : backgrounds)
        least = std::min(least, contrastRatio(text, background));
    return least;
}

} // namespace

double contrastRatio(const QColor &first, const QColor &second)
{
    const double a = relativeLuminance(first);
    const double b = relativeLuminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

QColor readableTextColor(const QColor &preferred, std::initializer_list<QColor> backgrounds)
{
    if (leastContrast(preferred, backgrounds) >= readableContrast)
        return preferred;
    const QColor black(Qt::black);
    const QColor white(Qt::white);
    return leastContrast(black, backgrounds) >= leastContrast(white, backgrounds) ? black : white;
}
