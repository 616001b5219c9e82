#include "ui/pixel_raster.h"

#include <utility>

namespace tamrel {

namespace {

static_assert((-1 >> 1) == -1, "the fixed-point steps need an arithmetic right shift");

// Device coordinates up to this size are clipped in one step; larger ones are first brought
// near the image, where the slope of the line can locate its ends precisely.
constexpr double FarLimit = 1e6;
// How far beyond the image a far-off line is brought.
constexpr double FarMargin = 8;

bool isFar(double v) {
    return !(std::abs(v) <= FarLimit);
}

// The quotient a / b in 16.16 fixed point, cut toward zero; |a| <= |b|, b != 0. A 32-bit
// division, much quicker than a 64-bit one, serves whenever a x 65536 fits.
std::int64_t fixedRatio(std::int32_t a, std::int32_t b) {
    if (a >= -32767 && a <= 32767) {
        return a * 65536 / b;
    }
    return std::int64_t{a} * 65536 / b;
}

struct Box {
    double left, top, right, bottom;
};

// Brings the ends of a line with far-off ends to the box along its major axis. The line is
// rebuilt from its point nearest the box centre, which stays exact for long symmetric or
// axis-parallel lines whose ends are far beyond the precision that would locate them from an end.
bool clipFar(double& ax, double& ay, double& bx, double& by, const Box& box) {
    const double dx = bx - ax;
    const double dy = by - ay;
    const double span = std::max(std::abs(dx), std::abs(dy));
    if (!std::isfinite(span) || span == 0) {
        return false;
    }
    const double ux = dx / span;
    const double uy = dy / span;
    const double centreX = (box.left + box.right) / 2;
    const double centreY = (box.top + box.bottom) / 2;
    const double t = std::clamp(
        ((centreX - ax) * ux + (centreY - ay) * uy) / (ux * ux + uy * uy) / span, 0.0, 1.0);
    const double baseX = ax + t * dx;
    const double baseY = ay + t * dy;

    const bool xMajor = std::abs(dx) >= std::abs(dy);
    double& a = xMajor ? ax : ay;
    double& b = xMajor ? bx : by;
    double& aMinor = xMajor ? ay : ax;
    double& bMinor = xMajor ? by : bx;
    const double base = xMajor ? baseX : baseY;
    const double baseMinor = xMajor ? baseY : baseX;
    const double slope = xMajor ? uy / ux : ux / uy;
    const double lo = std::max(std::min(a, b), xMajor ? box.left : box.top);
    const double hi = std::min(std::max(a, b), xMajor ? box.right : box.bottom);
    if (lo > hi) {
        return false;
    }
    for (auto [major, minor] : {std::pair<double*, double*>{&a, &aMinor}, {&b, &bMinor}}) {
        const double target = std::clamp(*major, lo, hi);
        if (target != *major) {
            *major = target;
            *minor = baseMinor + (target - base) * slope;
        }
    }
    return std::isfinite(aMinor) && std::isfinite(bMinor);
}

// Clips one coordinate range of a line to [lo, hi], moving the other coordinate along; false
// when the line lies wholly beyond one end. First the start, then the end.
bool clipAxis(double& a1, double& b1, double& a2, double& b2, double lo, double hi) {
    if (a1 < lo) {
        if (a2 <= lo) {
            return false;
        }
        b1 += (b2 - b1) / (a2 - a1) * (lo - a1);
        a1 = lo;
    } else if (a1 > hi) {
        if (a2 >= hi) {
            return false;
        }
        b1 += (b2 - b1) / (a2 - a1) * (hi - a1);
        a1 = hi;
    }
    if (a2 < lo) {
        b2 += (b2 - b1) / (a2 - a1) * (lo - a2);
        a2 = lo;
    } else if (a2 > hi) {
        b2 += (b2 - b1) / (a2 - a1) * (hi - a2);
        a2 = hi;
    }
    return true;
}

}  // namespace

void PixelRaster::fitToImage() {
    forgetPixels();
    width_ = image_.width();
    height_ = image_.height();
    bandLeft_ = -1;
    bandTop_ = -1;
    bandRight_ = width_ + 1;
    bandBottom_ = height_ + 1;
}

void PixelRaster::drawDot(const Point& p) {
    const double column = std::floor(p.x + 0.5);
    const double row = std::floor(p.y + 0.5);
    // Also false for NaN.
    if (!(column >= 0 && column < width_ && row >= 0 && row < height_)) {
        return;
    }
    pixels()[static_cast<qsizetype>(row) * stride_ + static_cast<qsizetype>(column)] = pen_;
}

void PixelRaster::drawOutsideBand(Point from, Point to) {
    if (samePoint(from, to)) {
        drawDot(from);
        return;
    }
    if (!std::isfinite(from.x) || !std::isfinite(from.y) || !std::isfinite(to.x) ||
        !std::isfinite(to.y)) {
        return;
    }
    if (isFar(from.x) || isFar(from.y) || isFar(to.x) || isFar(to.y)) {
        const Box box{-FarMargin, -FarMargin, width_ + FarMargin, height_ + FarMargin};
        if (!clipFar(from.x, from.y, to.x, to.y, box)) {
            return;
        }
        if (samePoint(from, to)) {
            drawDot(from);
            return;
        }
    }
    if (!clipAxis(from.x, from.y, to.x, to.y, bandLeft_, bandRight_) ||
        !clipAxis(from.y, from.x, to.y, to.x, bandTop_, bandBottom_)) {
        return;
    }
    drawFixed(toFixed(from.x), toFixed(from.y), toFixed(to.x), toFixed(to.y));
}

// Steps along the major axis from the pixel the lower end rounds to, up to the pixel the higher
// end rounds to (not included), following the minor coordinate in 16.16 fixed point. It is
// sampled half a pixel ahead when it grows and at the pixel centre otherwise, then floored.
void PixelRaster::drawFixed(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
    const std::int32_t dx = std::abs(x2 - x1);
    const std::int32_t dy = std::abs(y2 - y1);
    const bool xMajor = dx >= dy;
    if (xMajor && dx == 0) {
        return;
    }
    // Swap the axes so that the loop always steps along the major one.
    std::int32_t major1 = xMajor ? x1 : y1;
    std::int32_t minor1 = xMajor ? y1 : x1;
    std::int32_t major2 = xMajor ? x2 : y2;
    std::int32_t minor2 = xMajor ? y2 : x2;
    if (major1 > major2) {
        std::swap(major1, major2);
        std::swap(minor1, minor2);
    }
    std::int32_t step = pixelOfFixed(major1);
    const std::int32_t end = pixelOfFixed(major2);
    if (step == end) {
        return;
    }
    const std::int64_t increment = fixedRatio(minor2 - minor1, major2 - major1);
    const std::int32_t ahead = increment > 0 ? 32 : 0;
    std::int64_t minor = std::int64_t{minor1} * 1024;
    minor += (std::int64_t{step} * 64 + ahead - major1) * increment >> 6;

    QRgb* bits = pixels();
    for (; step < end; ++step, minor += increment) {
        if (xMajor) {
            put(step, minor >> 16, bits);
        } else {
            put(minor >> 16, step, bits);
        }
    }
}

}  // namespace tamrel
