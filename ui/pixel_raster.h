#pragma once

#include <QImage>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

namespace tamrel {

// Aliased lines one pixel wide and single-pixel dots, written straight into the scanlines of a
// 32-bit image in device coordinates, where pixel (i, j) is centred on (i, j).
//
// A line covers, along its major axis (x when it is at least as wide as high), the pixels from
// round(start) up to but not including round(end), taken from the lower coordinate to the higher
// one; so the line from (10, 10) to (20, 10) covers x = 10 to 19 whichever way it is drawn, and
// a line whose ends round to the same pixel covers nothing. The minor coordinate is followed in
// 26.6 fixed point and floored. A line whose ends are the same point (within 1e-12 relative, as
// QPointF compares) is the dot of its start. A dot covers the pixel its position rounds to.
// These are the rules of Qt's raster engine for a cosmetic, flat-capped, aliased pen of width
// one, so the picture looks as it did when each line was drawn by QPainter; being plain integer
// steps, they give the same pixels in every build.
//
// Coordinates may lie anywhere: far-off lines are clipped to the image first, and NaN or
// infinite ones draw nothing.
class PixelRaster {
public:
    // Marks a Point that lies outside the band.
    static constexpr std::int32_t OutsideBand = INT32_MIN;

    // A device position and, when it lies in the band around the image where lines need no
    // clipping, its coordinates in 26.6 fixed point.
    struct Point {
        double x = 0;
        double y = 0;
        std::int32_t fx = OutsideBand;
        std::int32_t fy = OutsideBand;

        bool inBand() const { return fx != OutsideBand; }
    };

    // Draws into image, which must stay of format RGB32 or ARGB32 and outlive the raster. Call
    // fitToImage whenever its size changes.
    explicit PixelRaster(QImage& image) : image_(image) { fitToImage(); }

    void fitToImage();
    void setPen(QRgb pixel) { pen_ = pixel; }
    // The image's pixels are looked up again before the next drawing: call it whenever the image
    // may have been copied (a write then detaches the copy) or refilled.
    void forgetPixels() { pixels_ = nullptr; }

    // Sets p to the device position (x, y). Filled in place: the drawing of a crowded picture
    // spends much of its time here.
    void locate(Point& p, double x, double y) const {
        p.x = x;
        p.y = y;
        if (x >= bandLeft_ && x <= bandRight_ && y >= bandTop_ && y <= bandBottom_) {
            p.fx = toFixed(x);
            p.fy = toFixed(y);
        } else {
            p.fx = OutsideBand;
            p.fy = OutsideBand;
        }
    }

    void drawDot(const Point& p);

    // Most lines of a crowded drawing stay inside one pixel; they are rejected here, inline.
    void drawLine(const Point& from, const Point& to) {
        if (!from.inBand() || !to.inBand()) {
            drawOutsideBand(from, to);
            return;
        }
        const std::int32_t dx = std::abs(to.fx - from.fx);
        const std::int32_t dy = std::abs(to.fy - from.fy);
        if (dx <= 1 && dy <= 1 && samePoint(from, to)) {
            drawDot(from);
            return;
        }
        const bool xMajor = dx >= dy;
        if (xMajor ? pixelOfFixed(from.fx) == pixelOfFixed(to.fx)
                   : pixelOfFixed(from.fy) == pixelOfFixed(to.fy)) {
            return;
        }
        drawFixed(from.fx, from.fy, to.fx, to.fy);
    }

    // Whether two positions are one point as QPointF compares them.
    static bool samePoint(const Point& a, const Point& b) {
        return sameCoordinate(a.x, b.x) && sameCoordinate(a.y, b.y);
    }

private:
    // 26.6 fixed point, cut toward zero.
    static std::int32_t toFixed(double v) { return static_cast<std::int32_t>(v * 64); }
    // The pixel a fixed-point coordinate rounds to.
    static std::int32_t pixelOfFixed(std::int32_t f) { return (f + 32) >> 6; }
    static bool sameCoordinate(double a, double b) {
        if (a == 0 || b == 0) {
            return std::abs(a - b) <= 1e-12;
        }
        return std::abs(a - b) * 1e12 <= std::min(std::abs(a), std::abs(b));
    }

    void drawOutsideBand(Point from, Point to);
    void drawFixed(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2);
    QRgb* pixels() {
        if (pixels_ == nullptr) {
            pixels_ = reinterpret_cast<QRgb*>(image_.bits());
            stride_ = image_.bytesPerLine() / 4;
        }
        return pixels_;
    }
    void put(std::int64_t x, std::int64_t y, QRgb* bits) const {
        if (x >= 0 && x < width_ && y >= 0 && y < height_) {
            bits[y * stride_ + x] = pen_;
        }
    }

    QImage& image_;
    QRgb* pixels_ = nullptr;
    qsizetype stride_ = 0;
    QRgb pen_ = 0xFF000000;
    int width_ = 0;
    int height_ = 0;
    // Lines whose ends both lie within one pixel of the image are drawn unclipped.
    double bandLeft_ = -1;
    double bandTop_ = -1;
    double bandRight_ = 1;
    double bandBottom_ = 1;
};

}  // namespace tamrel
