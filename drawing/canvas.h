#pragma once

#include <cstdint>

namespace tamrel {

// The picture's user coordinate system: the x of the left edge, the y of the top edge, and the
// signed width and height (height negative when y grows upward).
struct UserScale {
    float left = 0;
    float top = 0;
    float width = 0;
    float height = 0;
};

// A colour as 0xRRGGBB.
using Rgb = std::uint32_t;
inline constexpr Rgb Black = 0x000000;
inline constexpr Rgb Blue = 0x0000FF;

// A surface the gear is drawn on, in user coordinates. Plotting a point or drawing a line moves
// the current position to its end.
class Canvas {
public:
    virtual ~Canvas() = default;

    virtual void clear() = 0;
    virtual void setPenColor(Rgb color) = 0;
    virtual void plotPoint(float x, float y) = 0;
    virtual void lineTo(float x, float y) = 0;

    virtual UserScale userScale() const = 0;
    virtual void setUserScale(const UserScale& scale) = 0;
    // Sets the user coordinate system from its top-left and bottom-right corners.
    void setCorners(float x1, float y1, float x2, float y2) {
        setUserScale({x1, y1, x2 - x1, y2 - y1});
    }
};

}  // namespace tamrel
