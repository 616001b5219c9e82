#include "drawing/gear_drawing.h"
#include "drawing/view.h"
#include "geometry/angles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <tuple>
#include <vector>

namespace tamrel {

bool operator==(const UserScale& a, const UserScale& b) {
    return std::tie(a.left, a.top, a.width, a.height) == std::tie(b.left, b.top, b.width, b.height);
}

namespace {

// A compute run's drawing inputs for the default gear: module 3.175, 59 teeth, 20 degrees
// pressure angle, 15 degrees helix, profile shift -0.1445.
const double Beta = RAD(15), At = std::atan(std::tan(RAD(20)) / std::cos(Beta));
const double Db = std::cos(At) * (59 * (3.175 / std::cos(Beta))), Xt = std::cos(Beta) * -0.1445;
const char *const Tip = "199.3655", *const Root = "185.078";

// A table row named by its own text, which a failure prints.
// clang-format off
#define ROW(...) {#__VA_ARGS__, __VA_ARGS__}
// clang-format on

// The texts of the tip and root diameters, the turn, then the run's values; the default gear's
// unless given.
struct Gear {
    const char *tip = Tip, *root = Root;
    float rotation = 0;
    double db = Db, alphaT = At, xt = Xt;
    std::int16_t z = 59;
};

// A canvas that records every call with its single-precision arguments and the pen in force.
struct TestCanvas : Canvas {
    TestCanvas() = default;
    // The gear drawn.
    explicit TestCanvas(const Gear& g) {
        DrawGear(*this, g.db, g.alphaT, g.z, g.xt, g.tip, g.root, g.rotation, NumberLocale{"."});
    }
    struct Call {
        std::uint32_t kind;  // clear, pen, point, line
        float x, y;
        Rgb pen;
    };
    void clear() override { calls.push_back({0, 0, 0, pen}); }
    void setPenColor(Rgb color) override { calls.push_back({1, 0, 0, pen = color}); }
    void plotPoint(float x, float y) override { calls.push_back({2, x, y, pen}); }
    void lineTo(float x, float y) override { calls.push_back({3, x, y, pen}); }
    UserScale userScale() const override { return scale; }
    void setUserScale(const UserScale& s) override { scale = s; }
    // FNV-1a over the bytes of every call: equal hashes mean the same calls, bit for bit.
    std::uint64_t hash() const {
        std::uint64_t h = 14695981039346656037ULL;
        const auto* bytes = reinterpret_cast<const unsigned char*>(calls.data());
        for (std::size_t i = 0; i < calls.size() * sizeof(Call); ++i)
            h = (h ^ bytes[i]) * 1099511628211ULL;
        return h;
    }
    std::vector<Call> calls;
    Rgb pen = 0x123456;  // neither black nor blue
    UserScale scale{};
};

// A drawn gear: the clear, four circles of 361 calls with the pen set to blue before the third and
// to black after the fourth, the centre, then 20 calls per flank, A then B of each tooth. A change
// of any coordinate's last bit, of the order or of a pen colour changes the hash. Each row's name
// says which gear it pins.
TEST(DrawGear, DrawsTheRecordedCallSequences) {
    // clang-format off
    const std::tuple<const char*, Gear, std::uint64_t> pinned[] = {
        {"the default gear", {}, 0xa1328de1582aa626ULL},
        {"tip and root swapped: the same picture", {Root, Tip}, 0xa1328de1582aa626ULL},
        {"turned by 0.75 rad", {Tip, Root, 0.75f}, 0x216d9701941755bcULL},
        {"the outer circle on the base circle", {"180", "170", 0, 180}, 0x6ef13a3fd5da4c4cULL},
        {"one tooth, the root below 1 mm", {"10", "0.5", 0.25f, Db / 59, At, std::cos(Beta) * 0.3,
            1}, 0xade4dae6e37659ccULL},
        {"the largest gear single precision holds", {"6.7e38", "6.7e38", 0, 6.6e38, 0, 0},
            0x68b7966b92c14f1dULL},
        {"the most teeth", {"107710.6227", "107696.3352", 0.75f, Db / 59 * 32767, At, Xt, 32767},
            0x0f58ee18ad2c0d87ULL}};
    // clang-format on
    for (const auto& [name, gear, hash] : pinned)
        EXPECT_EQ(TestCanvas(gear).hash(), hash) << name;
}

// A refused gear only clears the picture, the pen untouched: bad diameters, the outer circle below
// the base circle, an outer or reference circle within a millionth of the single-precision limit
// or beyond; a base circle not positive, no tooth, a non-finite angle, shift or turn.
TEST(DrawGear, RefusedGearsOnlyClearThePicture) {
    // clang-format off
    const std::pair<const char*, Gear> refused[] = {
        ROW({"0"}), ROW({"abc"}), ROW({Tip, "-5"}), ROW({Tip, ""}), ROW({"1e39"}),
        ROW({"1.7e308", "1.6e308"}), ROW({"181.4", "170"}), ROW({"6.805642e38"}),
        ROW({"6.7e38", "6.7e38", 0, 6.6e38}), ROW({Tip, Root, 0, 0}), ROW({Tip, Root, 0, NAN}),
        ROW({Tip, Root, 0, Db, INFINITY}), ROW({Tip, Root, 0, Db, At, NAN}),
        ROW({Tip, Root, 0, Db, At, Xt, 0}), ROW({Tip, Root, NAN}), ROW({Tip, Root, INFINITY})};
    // clang-format on
    for (const auto& [row, gear] : refused)  // the hash of the clear alone
        EXPECT_EQ(TestCanvas(gear).hash(), 0xf42b7939409332edULL) << row;
}

// A left drag pans; a right drag of a twentieth of the view height up widens the view by a tenth
// about its centre, down narrows it; the wheel zooms by 1.2 a notch about the point under the
// pointer. Other buttons, a factor 0 or below, a width lost to rounding, edges beyond single
// precision or, once a view is fitted, a zoom beyond a millionth or a million times it change
// nothing. A double click restores the fitted view, if there is one.
TEST(View, PansZoomsWithinLimitsAndDoubleClickRestoresTheFit) {
    const UserScale fit{-145, 116, 290, -232}, tiny{1e6f, 0, 1, -1}, out{0, 0, 2.61e8f, -2.088e8f};
    const UserScale wide{-3e38f, 3e38f, 6e37f, -6e37f}, in{0, 0, 3.19e-4f, -2.552e-4f};
    const int L = LeftButton, R = RightButton;
    using Move = std::tuple<const char*, UserScale, bool, int, int, float, float, UserScale>;
    // clang-format off
    const Move moves[] = {
        ROW(fit, false, L, 0, 15, -2, {-150, 118, 290, -232}),
        ROW(fit, false, R, 0, 15, 11.6f, {-159.5f, 127.6f, 319, -255.20001f}),
        ROW(fit, false, R, 0, 15, -11.6f, {-130.5f, 104.4f, 261, -208.79999f}),
        ROW(fit, false, R, 0, 15, -115, {-1.25f, 1, 2.5f, -2}),
        ROW(fit, false, R, 0, 15, 116, {-290, 232, 580, -464}),
        ROW(fit, false, 0, 120, 37.5f, -61.25f,
            {-114.583336f, 86.458336f, 241.66666f, -193.33334f}),
        ROW(fit, false, 0, 1, 37.5f, -61.25f, {-144.72293f, 115.7309f, 289.55972f, -231.64778f}),
        ROW(fit, false, L | R, 0, 15, 50, fit), ROW(fit, false, R, 0, 15, -116, fit),
        ROW(tiny, false, R, 0, 15, -0.4999999f, tiny), ROW(wide, false, R, 0, 15, 3e38f, wide),
        ROW({3e38f, 0, 3e38f, -1}, false, R, 0, 15, -0.2f, {3e38f, 0, 3e38f, -1}),
        ROW(in, true, 0, -120, 0, 0, {0, 0, 3.828e-4f, -3.0624e-4f}),
        ROW(in, true, 0, 120, 0, 0, in), ROW(in, true, R, 0, 0, -2.552e-5f, in),
        ROW(out, true, 0, -120, 0, 0, out), ROW(out, true, R, 0, 0, 2.61e7f, out)};
    // clang-format on
    for (const auto& [row, from, fitted, buttons, wheel, x, y, to] : moves) {
        TestCanvas c;
        c.scale = from;
        ViewState v{10, 0, fitted ? std::optional{fit} : std::nullopt};
        wheel ? onPictureWheel(c, v, x, y, wheel) : onPictureMouseMove(c, v, buttons, x, y);
        EXPECT_EQ(c.scale, to) << row;
        EXPECT_EQ(v.lastY, buttons == R && !(to == from) ? y : 0) << row;
        onPictureDoubleClick(c, v);
        EXPECT_EQ(c.scale, fitted ? fit : to) << row;
    }
}

// Every tick turns the gear by a thousandth of a radian while rotation is on, and only then.
TEST(View, TickTurnsTheGearOnlyWhileRotating) {
    TestCanvas canvas;
    ProgramState state{{}, 1};
    for (const bool rotate : {false, true})
        drawingTick(canvas, state, {rotate, "200", "180"}, NumberLocale{});
    EXPECT_EQ(state.rotationAngle, static_cast<float>(1.0 + 0.001));
}

}  // namespace
}  // namespace tamrel
