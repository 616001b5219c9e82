#pragma once

#include "drawing/gear_drawing.h"
#include "geometry/angles.h"
#include "recording_canvas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

// The worked example of the drawing and a recording of DrawGear split into its parts, shared by
// the drawing tests.
namespace tamrel::test {

using Call = RecordingCanvas::Call;
using Kind = RecordingCanvas::Kind;

inline const NumberLocale Dot{"."};

// The worked example of the drawing, with the inputs derived as the compute run and the tick derive
// them: normal module 3.175, 20 degrees, 59 teeth, helix 15 degrees, xMid -0.1445.
struct Example {
    double db;
    double alphaT;
    double xt;
    std::int16_t zAbs = 59;
    std::string tip = "199.3655";
    std::string root = "185.078";
};

inline Example workedExample() {
    const double mn = 3.175;
    const double alphaN = RAD(20);
    const double beta = RAD(15);
    const double mt = mn / std::cos(beta);
    const double alphaT = std::atan(std::tan(alphaN) / std::cos(beta));
    const double d = 59 * mt;
    const double db = std::cos(alphaT) * d;
    const double xt = std::cos(beta) * -0.1445;
    return {db, alphaT, xt};
}

// A recording of DrawGear split into its parts, checking the order of the calls on the way.
struct GearRecording {
    bool empty = true;  // only the clear
    std::vector<std::vector<Call>> circles;
    Call centre{};
    std::vector<std::vector<Call>> flanks;  // tooth 0 A, tooth 0 B, tooth 1 A, ...
};

inline GearRecording split(const std::vector<Call>& calls) {
    GearRecording r;
    std::size_t n = 0;
    EXPECT_FALSE(calls.empty());
    if (calls.empty()) {
        return r;
    }
    EXPECT_EQ(calls[n].kind, Kind::Clear);
    ++n;
    if (n == calls.size()) {
        return r;
    }
    r.empty = false;
    const auto take = [&](std::size_t count) {
        std::vector<Call> part;
        for (std::size_t i = 0; i < count && n < calls.size(); ++i, ++n) {
            EXPECT_EQ(calls[n].kind, i == 0 ? Kind::Point : Kind::Line) << "call " << n;
            part.push_back(calls[n]);
        }
        EXPECT_EQ(part.size(), count);
        return part;
    };
    const auto pen = [&](Rgb color) {
        EXPECT_LT(n, calls.size());
        if (n < calls.size()) {
            EXPECT_EQ(calls[n].kind, Kind::Pen) << "call " << n;
            EXPECT_EQ(calls[n].pen, color) << "call " << n;
            ++n;
        }
    };
    r.circles.push_back(take(361));
    r.circles.push_back(take(361));
    pen(Blue);
    r.circles.push_back(take(361));
    r.circles.push_back(take(361));
    pen(Black);
    r.centre = take(1).at(0);
    while (n < calls.size()) {
        r.flanks.push_back(take(FlankPoints));
    }
    return r;
}

inline GearRecording drawExample(RecordingCanvas& canvas, const Example& e, float rotation = 0,
                                 const NumberLocale& locale = Dot) {
    DrawGear(canvas, e.db, e.alphaT, e.zAbs, e.xt, e.tip, e.root, rotation, locale);
    return split(canvas.calls);
}

// Whether the recording is a cleared, empty picture.
inline void expectEmptyPicture(const RecordingCanvas& canvas) {
    ASSERT_EQ(canvas.calls.size(), 1u);
    EXPECT_EQ(canvas.calls[0].kind, Kind::Clear);
    EXPECT_EQ(canvas.pen(), RecordingCanvas::InitialPen);
}

}  // namespace tamrel::test
