#include "core/timesell/sold_time_text.h"

#include "core/io/format.h"

namespace qel {

std::string soldTimeText(int minutes) {
    if (minutes < 0) minutes = 0;
    return formatNumber(minutes / 60, "00") + ":" + formatNumber(minutes % 60, "00");
}

std::string remainingTimeText(double dayCount) {
    return formatDate(dayCount > 0 ? dayCount : 0.0, "h:mm:ss");
}

}  // namespace qel
