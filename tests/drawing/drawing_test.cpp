#include "drawing/gear_drawing.h"
#include "drawing/view.h"
#include "geometry/angles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <iterator>
#include <optional>
#include <tuple>
#include <vector>

namespace tamrel {

bool operator==(const UserScale& a, const UserScale& b) {
    return a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height;
}

namespace {

// A canvas that records every call with its single-precision arguments and the pen in force.
struct TestCanvas : Canvas {
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

const char *const Tip = "199.3655", *const Root = "185.078";

struct Gear {
    double db, alphaT, xt;
    std::int16_t z;
    const char *tip = Tip, *root = Root;
    float rotation = 0;
};

// A compute run's drawing inputs for the default gear: module 3.175, 59 teeth, 20 degrees
// pressure angle, 15 degrees helix, profile shift -0.1445.
const double Beta = RAD(15), At = std::atan(std::tan(RAD(20)) / std::cos(Beta));
const double Db = std::cos(At) * (59 * (3.175 / std::cos(Beta))), Xt = std::cos(Beta) * -0.1445;
const Gear Default{Db, At, Xt, 59};

TestCanvas draw(const Gear& g) {
    TestCanvas c;
    DrawGear(c, g.db, g.alphaT, g.z, g.xt, g.tip, g.root, g.rotation, NumberLocale{"."});
    return c;
}

// The calls: the clear, four circles of 361 calls with the pen set to blue before the third and
// to black after the fourth, the centre, then 20 calls per flank, A then B of each tooth. A
// change of any coordinate's last bit, of the order or of a pen colour changes the hash: the
// default gear, tip and root swapped, turned, the outer circle on the base circle, one tooth, the
// largest gear single precision holds and the most teeth.
TEST(DrawGear, DrawsTheRecordedCallSequences) {
    const std::pair<Gear, std::uint64_t> table[] = {
        {Default, 0xa1328de1582aa626ULL},
        {{Db, At, Xt, 59, Root, Tip}, 0xa1328de1582aa626ULL},
        {{Db, At, Xt, 59, Tip, Root, 0.75f}, 0x216d9701941755bcULL},
        {{180, At, Xt, 59, "180", "170"}, 0x6ef13a3fd5da4c4cULL},
        {{Db / 59, At, std::cos(Beta) * 0.3, 1, "10", "1.5", 0.25f}, 0x374a1c97394163f8ULL},
        {{6.6e38, 0, 0, 59, "6.7e38", "6.7e38"}, 0x68b7966b92c14f1dULL},
        {{Db / 59 * 32767, At, Xt, 32767, "107710.6227", "107696.3352", 0.75f},
         0x0f58ee18ad2c0d87ULL}};
    for (const auto& [gear, hash] : table) {
        const TestCanvas c = draw(gear);
        EXPECT_EQ(c.calls.size(), 1448 + 40 * gear.z) << gear.z << " " << gear.tip;
        EXPECT_EQ(c.hash(), hash) << gear.z << " " << gear.tip;
    }
    // The default gear's base, reference, tip and root circles from the top, flank A of tooth 0,
    // the start of its flank B and of flank A of tooth 1, as call number, x and y; its base tooth
    // angle.
    const TestCanvas c = draw(Default);
    const double known[] = {1,        0,        90.73851,  362,      0,        96.96656, 724,
                            0,        99.68275, 1085,      0,        92.539,   1448,     0,
                            90.73851, 1449,     0.032059,  91.20926, 1467,     2.787231, 99.643775,
                            1468,     7.485436, 90.429233, 1488,     9.644913, 90.224462};
    for (std::size_t i = 0; i < std::size(known); i += 3) {
        EXPECT_NEAR(c.calls[std::size_t(known[i])].x, known[i + 1], 1e-5) << known[i];
        EXPECT_NEAR(c.calls[std::size_t(known[i])].y, known[i + 2], 1e-5) << known[i];
    }
    EXPECT_NEAR(std::atan2(c.calls[1468].x, c.calls[1468].y), 0.0825884, 0.5e-7);
}

// Refused, the picture only cleared (so the pen stays): bad diameters, the outer circle below the
// base circle, an outer or reference circle within a millionth of the single-precision limit or
// beyond; a base circle not positive, no tooth, a non-finite angle, shift or turn.
TEST(DrawGear, RefusedGearsOnlyClearThePicture) {
    const std::tuple<double, const char*, const char*> texts[] = {
        {Db, "0", Root},      {Db, "abc", Root},         {Db, Tip, "-5"},
        {Db, Tip, ""},        {Db, "1e39", Root},        {Db, "1.7e308", "1.6e308"},
        {Db, "181.4", "170"}, {Db, "6.805642e38", Root}, {6.6e38, "6.7e38", "6.7e38"}};
    for (auto [db, tip, root] : texts)
        EXPECT_EQ(draw({db, At, Xt, 59, tip, root}).calls.size(), 1u) << tip << " " << root;
    const std::tuple<double, double, std::int16_t, double, float> numbers[] = {
        {0, At, 59, Xt, 0},   {NAN, At, 59, Xt, 0},  {Db, INFINITY, 59, Xt, 0}, {Db, At, 0, Xt, 0},
        {Db, At, 59, NAN, 0}, {Db, At, 59, Xt, NAN}, {Db, At, 59, Xt, INFINITY}};
    for (auto [db, alphaT, z, xt, turn] : numbers)
        EXPECT_EQ(draw({db, alphaT, xt, z, Tip, Root, turn}).calls.size(), 1u) << db << " " << z;
}

// A left drag pans; a right drag of a fiftieth of the view height up widens the view by a tenth
// about its centre, down narrows it; the wheel zooms by 1.2 a notch about the point under the
// pointer. Other buttons, a factor 0 or below, a width lost to rounding, edges beyond single
// precision or, once a view is fitted, a zoom beyond a millionth or a million times it change
// nothing. A double click restores the fitted view, if there is one.
TEST(View, PansZoomsWithinLimitsAndDoubleClickRestoresTheFit) {
    const UserScale fit{-145, 116, 290, -232}, tiny{1e6f, 0, 1, -1}, out{0, 0, 2.61e8f, -2.088e8f};
    const UserScale wide{-3e38f, 3e38f, 6e37f, -6e37f}, in{0, 0, 3.19e-4f, -2.552e-4f};
    using Move = std::tuple<UserScale, bool, int, int, float, float, UserScale>;
    for (const auto& [from, fitted, buttons, wheel, x, y, to] :
         {Move{fit, false, LeftButton, 0, 15, -2, {-150, 118, 290, -232}},
          {fit, false, RightButton, 0, 15, 11.6f, {-159.5f, 127.6f, 319, -255.20001f}},
          {fit, false, RightButton, 0, 15, -11.6f, {-130.5f, 104.4f, 261, -208.79999f}},
          {fit, false, RightButton, 0, 15, -115, {-1.25f, 1, 2.5f, -2}},
          {fit, false, RightButton, 0, 15, 116, {-290, 232, 580, -464}},
          {fit, false, 0, 120, 37.5f, -61.25f, {-114.583336f, 86.458336f, 241.66666f, -193.33334f}},
          {fit, false, 0, 1, 37.5f, -61.25f, {-144.72293f, 115.7309f, 289.55972f, -231.64778f}},
          {fit, false, LeftButton | RightButton, 0, 15, 50, fit},
          {fit, false, RightButton, 0, 15, -116, fit},
          {tiny, false, RightButton, 0, 15, -0.4999999f, tiny},
          {wide, false, RightButton, 0, 15, 3e38f, wide},
          {{3e38f, 0, 3e38f, -1}, false, RightButton, 0, 15, -0.2f, {3e38f, 0, 3e38f, -1}},
          {in, true, 0, -120, 0, 0, {0, 0, 3.828e-4f, -3.0624e-4f}},
          {in, true, 0, 120, 0, 0, in},
          {in, true, RightButton, 0, 0, -2.552e-5f, in},
          {out, true, 0, -120, 0, 0, out},
          {out, true, RightButton, 0, 0, 2.61e7f, out}}) {
        TestCanvas canvas;
        canvas.scale = from;
        ViewState view{10, 0, fitted ? std::optional{fit} : std::nullopt};
        wheel ? onPictureWheel(canvas, view, x, y, wheel)
              : onPictureMouseMove(canvas, view, buttons, x, y);
        EXPECT_EQ(canvas.scale, to) << buttons << " " << wheel << " " << y;
        EXPECT_EQ(view.lastY, buttons == RightButton && !(to == from) ? y : 0) << y;
        onPictureDoubleClick(canvas, view);
        EXPECT_EQ(canvas.scale, fitted ? fit : to);
    }
}

// Every tick turns the gear by a thousandth of a radian while rotation is on, and only then.
TEST(View, TickTurnsTheGearOnlyWhileRotating) {
    TestCanvas canvas;
    ProgramState state;
    state.rotationAngle = 1;
    drawingTick(canvas, state, {false, "200", "180"}, NumberLocale{});
    EXPECT_EQ(state.rotationAngle, 1.0f);
    drawingTick(canvas, state, {true, "200", "180"}, NumberLocale{});
    EXPECT_EQ(state.rotationAngle, static_cast<float>(1.0 + 0.001));
}

}  // namespace
}  // namespace tamrel
