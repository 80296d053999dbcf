#pragma once
// Window and control sizes are kept in twips, 1/1440 inch, so a window is
// as big on the race director's screen as it was meant to be at any
// resolution. Every window converts them here, at the logical resolution of
// the screen it is on, rounding to the nearest pixel.
#include "core/io/twips.h"

class QWidget;

namespace qel::ui {

// The assumed resolution while a window has no screen (none attached yet).
inline constexpr double kFallbackDotsPerInch = 96.0;

int twipsToPixels(int twips, double dotsPerInch);
int pixelsToTwips(int pixels, double dotsPerInch);

// The logical resolution of the screen the widget is on, across and down.
double dotsPerInchX(const QWidget& widget);
double dotsPerInchY(const QWidget& widget);

// Across (widths, lefts) and down (heights, tops) at the widget's screen.
int twipsToPixelsX(const QWidget& widget, int twips);
int twipsToPixelsY(const QWidget& widget, int twips);
int pixelsToTwipsX(const QWidget& widget, int pixels);
int pixelsToTwipsY(const QWidget& widget, int pixels);

}  // namespace qel::ui
