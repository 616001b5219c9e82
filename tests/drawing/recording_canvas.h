#pragma once

#include "drawing/canvas.h"

#include <cstddef>
#include <vector>

namespace tamrel::test {

// A canvas that records every call with its single-precision arguments and the pen colour in
// force when the call was made.
class RecordingCanvas : public Canvas {
public:
    enum class Kind { Clear, Pen, Point, Line, Scale };
    struct Call {
        Kind kind;
        float x = 0;        // Point, Line
        float y = 0;        // Point, Line
        Rgb pen = 0;        // the pen colour in force (for Pen: the new colour)
        UserScale scale{};  // Scale
    };

    // The initial foreground colour, distinct from black and blue so that tests can see it.
    static constexpr Rgb InitialPen = 0x123456;

    explicit RecordingCanvas(Rgb initialPen = InitialPen) : pen_(initialPen) {}

    void clear() override { calls.push_back({Kind::Clear, 0, 0, pen_, {}}); }
    void setPenColor(Rgb color) override {
        pen_ = color;
        calls.push_back({Kind::Pen, 0, 0, pen_, {}});
    }
    void plotPoint(float x, float y) override { calls.push_back({Kind::Point, x, y, pen_, {}}); }
    void lineTo(float x, float y) override { calls.push_back({Kind::Line, x, y, pen_, {}}); }
    UserScale userScale() const override { return scale_; }
    void setUserScale(const UserScale& scale) override {
        scale_ = scale;
        calls.push_back({Kind::Scale, 0, 0, pen_, scale});
    }

    Rgb pen() const { return pen_; }
    // Sets the scale without recording a call (the state before a test step).
    void presetScale(const UserScale& scale) { scale_ = scale; }

    std::size_t count(Kind kind) const {
        std::size_t n = 0;
        for (const Call& call : calls) {
            n += call.kind == kind ? 1 : 0;
        }
        return n;
    }

    std::vector<Call> calls;

private:
    Rgb pen_;
    UserScale scale_{};
};

inline bool operator==(const RecordingCanvas::Call& a, const RecordingCanvas::Call& b) {
    return a.kind == b.kind && a.x == b.x && a.y == b.y && a.pen == b.pen &&
           a.scale.left == b.scale.left && a.scale.top == b.scale.top &&
           a.scale.width == b.scale.width && a.scale.height == b.scale.height;
}

}  // namespace tamrel::test
