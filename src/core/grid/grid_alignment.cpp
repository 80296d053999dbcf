#include "core/grid/grid_alignment.h"

#include "core/grid/date_text.h"
#include "core/grid/numeric_text.h"

namespace qel {

TextPlacement placeText(int alignment, std::string_view text) {
    using H = HorizontalPlace;
    using V = VerticalPlace;
    switch (alignment) {
        case grid_align::kLeftCenter:
            return {H::Left, V::Center};
        case grid_align::kLeftBottom:
            return {H::Left, V::Bottom};
        case grid_align::kCenterTop:
            return {H::Center, V::Top};
        case grid_align::kCenterCenter:
            return {H::Center, V::Center};
        case grid_align::kCenterBottom:
            return {H::Center, V::Bottom};
        case grid_align::kRightTop:
            return {H::Right, V::Top};
        case grid_align::kRightCenter:
            return {H::Right, V::Center};
        case grid_align::kRightBottom:
            return {H::Right, V::Bottom};
        case grid_align::kGeneral:
            return {isNumericText(text) || isDateText(text) ? H::Right : H::Left, V::Center};
        default:
            return {H::Left, V::Top};
    }
}

}  // namespace qel
