#include "platform/print/PageBitmap.h"

#include <cmath>

namespace {

constexpr double InchesPerMetre = 1.0 / 0.0254;

} // namespace

QImage NewPageBitmap(int width, int height)
{
    QImage page(width, height, QImage::Format_RGB32);
    const int dotsPerMetre = int(std::lround(PageBitmapDpi * InchesPerMetre));
    page.setDotsPerMeterX(dotsPerMetre);
    page.setDotsPerMeterY(dotsPerMetre);
    page.fill(Qt::white);
    return page;
}
