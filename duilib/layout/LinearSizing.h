#pragma once
// The sizing pass shared by the vertical and the horizontal layout: children stacked
// along one axis, fixed sizes first, the rest shared by the stretchable children, the
// last of which takes what remains. Each child's outer padding lies around it and its
// far padding (bottom, or right) inside its rectangle. Sums are 64-bit and coordinates
// saturate, so no skin can overflow the arithmetic.

#include "common/Win32.h"

namespace DuiLib {

class CContainerUI;

class CLinearSizing final {
public:
    enum class Axis { Vertical, Horizontal };

    struct Space {
        LONG availableMain;  // the length to share along the axis
        LONG availableCross; // the length children fill across the axis when not fixed
        LONG estimateCross;  // the cross length offered to EstimateSize
        POINT origin;        // where the first child starts (scrolling applied)
    };

    CLinearSizing() = delete;

    // Places the visible children of the container (floating ones through its
    // SetFloatPos) and returns the length along the axis that they need.
    static int Arrange(Axis axis, CContainerUI& container, const Space& space);
};

} // namespace DuiLib
