#pragma once

#include "drawing/canvas.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace tamrel::test {

// A canvas that records every call with its single-precision arguments and the pen in force.
class TestCanvas : public Canvas {
public:
    enum class Kind : std::uint32_t { Clear, Pen, Point, Line };
    struct Call {
        Kind kind;
        float x;
        float y;
        Rgb pen;
    };
    // The initial foreground colour, distinct from black and blue.
    static constexpr Rgb InitialPen = 0x123456;

    void clear() override { calls.push_back({Kind::Clear, 0, 0, pen}); }
    void setPenColor(Rgb color) override {
        pen = color;
        calls.push_back({Kind::Pen, 0, 0, pen});
    }
    void plotPoint(float x, float y) override { calls.push_back({Kind::Point, x, y, pen}); }
    void lineTo(float x, float y) override { calls.push_back({Kind::Line, x, y, pen}); }
    UserScale userScale() const override { return scale; }
    void setUserScale(const UserScale& s) override {
        scale = s;
        ++scaleChanges;
    }

    // FNV-1a over the bits of every call: equal hashes mean the same calls, bit for bit.
    std::uint64_t hash() const {
        std::uint64_t h = 14695981039346656037ULL;
        for (const Call& call : calls) {
            unsigned char bytes[sizeof(Call)];
            std::memcpy(bytes, &call, sizeof(Call));
            for (unsigned char byte : bytes) {
                h = (h ^ byte) * 1099511628211ULL;
            }
        }
        return h;
    }

    std::vector<Call> calls;
    Rgb pen = InitialPen;
    UserScale scale{};
    int scaleChanges = 0;
};

}  // namespace tamrel::test
