#include "ui/widgets/twips.h"

#include <QScreen>
#include <QWidget>
#include <cmath>

namespace qel::ui {

namespace {

double usable(double dotsPerInch) {
    return std::isfinite(dotsPerInch) && dotsPerInch > 0 ? dotsPerInch : kFallbackDotsPerInch;
}

}  // namespace

int twipsToPixels(int twips, double dotsPerInch) {
    return static_cast<int>(std::lround(twips * usable(dotsPerInch) / kTwipsPerInch));
}

int pixelsToTwips(int pixels, double dotsPerInch) {
    return static_cast<int>(std::lround(pixels * kTwipsPerInch / usable(dotsPerInch)));
}

double dotsPerInchX(const QWidget& widget) {
    const QScreen* screen = widget.screen();
    return usable(screen ? screen->logicalDotsPerInchX() : kFallbackDotsPerInch);
}

double dotsPerInchY(const QWidget& widget) {
    const QScreen* screen = widget.screen();
    return usable(screen ? screen->logicalDotsPerInchY() : kFallbackDotsPerInch);
}

int twipsToPixelsX(const QWidget& widget, int twips) {
    return twipsToPixels(twips, dotsPerInchX(widget));
}

int twipsToPixelsY(const QWidget& widget, int twips) {
    return twipsToPixels(twips, dotsPerInchY(widget));
}

int pixelsToTwipsX(const QWidget& widget, int pixels) {
    return pixelsToTwips(pixels, dotsPerInchX(widget));
}

int pixelsToTwipsY(const QWidget& widget, int pixels) {
    return pixelsToTwips(pixels, dotsPerInchY(widget));
}

}  // namespace qel::ui
