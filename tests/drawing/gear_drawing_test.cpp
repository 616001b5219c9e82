#include "drawing/gear_drawing.h"

#include "geometry/angles.h"
#include "test_canvas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace tamrel {
namespace {

using test::TestCanvas;
using Kind = TestCanvas::Kind;

struct Gear {
    double db;
    double alphaT;
    std::int16_t zAbs;
    double xt;
    std::string tip;
    std::string root;
};

// The drawing inputs a compute run and a tick derive for module mn, pressure angle 20 degrees,
// helix beta degrees, z teeth and profile shift xMid.
Gear gearOf(double mn, double betaDegrees, std::int16_t z, double xMid, std::string tip,
            std::string root) {
    const double beta = RAD(betaDegrees);
    const double alphaT = std::atan(std::tan(RAD(20)) / std::cos(beta));
    const double d = z * (mn / std::cos(beta));
    return {std::cos(alphaT) * d, alphaT, z, std::cos(beta) * xMid, tip, root};
}

const Gear DefaultGear = gearOf(3.175, 15, 59, -0.1445, "199.3655", "185.078");

TestCanvas draw(const Gear& g, float rotation = 0, const char* separator = ".") {
    TestCanvas canvas;
    DrawGear(canvas, g.db, g.alphaT, g.zAbs, g.xt, g.tip, g.root, rotation,
             NumberLocale{separator});
    return canvas;
}

// Where the calls of a drawn gear begin: the clear, four circles of 361 calls with the pen set
// to blue before the third and to black after the fourth, the centre, then 20 calls per flank.
std::size_t circleStart(int c) {
    return 1 + 361 * c + (c >= 2 ? 1 : 0);
}
constexpr std::size_t Centre = 1 + 4 * 361 + 2;
std::size_t flankRow(int flank, int row) {
    return Centre + 1 + 20 * flank + row;
}

TEST(DrawGear, DefaultGearHasTheKnownPointsRadiiAndPens) {
    TestCanvas c = draw(DefaultGear);
    ASSERT_EQ(c.calls.size(), flankRow(2 * 59, 0));
    const auto expectAt = [&c](std::size_t n, double x, double y) {
        EXPECT_NEAR(c.calls[n].x, x, 1e-5) << n;
        EXPECT_NEAR(c.calls[n].y, y, 1e-5) << n;
    };
    expectAt(flankRow(0, 0), 0, 90.73851);  // flank A of tooth 0
    expectAt(flankRow(0, 1), 0.032059, 91.20926);
    expectAt(flankRow(0, 19), 2.787231, 99.643775);
    expectAt(flankRow(1, 0), 7.485436, 90.429233);  // flank B of tooth 0
    expectAt(flankRow(1, 19), 5.442341, 99.534072);
    expectAt(flankRow(2, 0), 9.644913, 90.224462);  // flank A of tooth 1
    const TestCanvas::Call& b0 = c.calls[flankRow(1, 0)];
    EXPECT_NEAR(std::atan2(b0.x, b0.y), 0.0825884, 0.5e-7);  // the base tooth angle
    const double radii[4] = {90.73851, 96.96656, 99.68275, 92.539};
    for (int k = 0; k < 4; ++k) {
        expectAt(circleStart(k), 0, radii[k]);
    }
    expectAt(Centre, 0, 0);

    for (std::size_t n = 1; n < c.calls.size(); ++n) {
        // The pen calls come one before the circles and the centre they colour.
        const Rgb pen = n + 1 < circleStart(2) ? TestCanvas::InitialPen
                        : n + 1 < Centre       ? Blue
                                               : Black;
        ASSERT_EQ(c.calls[n].pen, pen) << n;
    }
    // The next drawing shows the base and reference circles in black.
    c.calls.clear();
    DrawGear(c, DefaultGear.db, DefaultGear.alphaT, 59, DefaultGear.xt, "199.3655", "185.078", 0,
             NumberLocale{"."});
    EXPECT_EQ(c.calls.at(1).pen, Black);
}

struct Recorded {
    const char* name;
    Gear gear;
    float rotation;
    std::size_t calls;
    std::uint64_t hash;
    const char* separator = ".";
};

Gear with(Gear g, std::string tip, std::string root) {
    g.tip = std::move(tip);
    g.root = std::move(root);
    return g;
}

Gear onTheBaseCircle() {
    Gear g = DefaultGear;
    g.db = 180;
    return with(g, "180", "170");
}

Gear largest() {
    Gear g = with(DefaultGear, "6.7e38", "6.7e38");
    g.db = 6.6e38;
    g.alphaT = 0;
    g.xt = 0;
    return g;
}

// The call sequences of a table of gears, recorded once: a change of any coordinate's last bit,
// of the order or of a pen colour changes the hash.
TEST(DrawGear, DrawsTheRecordedCallSequences) {
    const std::size_t d59 = flankRow(2 * 59, 0);
    const std::uint64_t defaultHash = 0xa1328de1582aa626ULL;
    const std::vector<Recorded> table = {
        {"default", DefaultGear, 0, d59, defaultHash},
        {"tip and root swapped", with(DefaultGear, "185.078", "199.3655"), 0, d59, defaultHash},
        {"comma locale", with(DefaultGear, "199,3655", "185,078"), 0, d59, defaultHash, ","},
        {"turned", DefaultGear, 0.75f, d59, 0x216d9701941755bcULL},
        {"turned far", DefaultGear, 40000.0f, d59, 0x06d5c4ab2e807f80ULL},
        {"equal diameters", with(DefaultGear, "190", "190"), 0.3f, d59, 0x070d4961241d7c7bULL},
        {"outer on the base circle", onTheBaseCircle(), 0, d59, 0x6ef13a3fd5da4c4cULL},
        {"one tooth", gearOf(3.175, 15, 1, 0.3, "10", "1.5"), 0.25f, flankRow(2, 0),
         0x374a1c97394163f8ULL},
        {"internal", gearOf(2, 0, 72, 0.1, "140.25", "150.5"), 0.1f, flankRow(2 * 72, 0),
         0xb0a21209a1ae4321ULL},
        {"500 teeth", gearOf(1, 0, 500, 0, "502", "497.5"), 0.7f, flankRow(2 * 500, 0),
         0xf192a588da3edb58ULL},
        {"base circle below 1 mm", gearOf(0.01, 0, 59, 0, "0.61", "0.565"), 0, d59,
         0x975126ab12b62a4cULL},
        {"largest", largest(), 0, d59, 0x68b7966b92c14f1dULL},
        {"most teeth", gearOf(3.175, 15, 32767, -0.1445, "107710.6227", "107696.3352"), 0.75f,
         flankRow(2 * 32767, 0), 0x0f58ee18ad2c0d87ULL},
    };
    for (const Recorded& r : table) {
        const TestCanvas c = draw(r.gear, r.rotation, r.separator);
        EXPECT_EQ(c.calls.size(), r.calls) << r.name;
        EXPECT_EQ(c.hash(), r.hash) << r.name;
    }
}

// Refusals: the picture is cleared and stays empty, and the pen stays as it was.
TEST(DrawGear, RefusedGearsLeaveThePictureClearedAndThePenAsItWas) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    std::vector<std::pair<std::string, Gear>> refused;
    for (const char* bad : {"0", "-5", "abc", "", " ", "-0", "1e39", "1.7e308"}) {
        refused.push_back({std::string("tip ") + bad, with(DefaultGear, bad, "185.078")});
        refused.push_back({std::string("root ") + bad, with(DefaultGear, "199.3655", bad)});
    }
    refused.push_back({"outer below the base circle", with(DefaultGear, "181.477", "170")});
    refused.push_back({"both huge", with(DefaultGear, "1.7e308", "1.6e308")});
    for (std::int16_t z : {0, -1}) {
        Gear g = DefaultGear;
        g.zAbs = z;
        refused.push_back({"teeth " + std::to_string(z), g});
    }
    for (double db : {0.0, -DefaultGear.db, nan}) {
        Gear g = DefaultGear;
        g.db = db;
        refused.push_back({"db " + std::to_string(db), g});
    }
    for (double alphaT : {inf, nan}) {
        Gear g = DefaultGear;
        g.alphaT = alphaT;
        refused.push_back({"alphaT " + std::to_string(alphaT), g});
    }
    Gear g = DefaultGear;
    g.xt = nan;
    refused.push_back({"xt nan", g});
    // The base circle would fit single precision, the reference circle would not.
    g = largest();
    g.alphaT = DefaultGear.alphaT;
    refused.push_back({"reference circle beyond single precision", g});

    for (const auto& [name, gear] : refused) {
        const TestCanvas c = draw(gear);
        ASSERT_EQ(c.calls.size(), 1u) << name;
        EXPECT_EQ(c.calls[0].kind, Kind::Clear) << name;
        EXPECT_EQ(c.pen, TestCanvas::InitialPen) << name;
    }
    for (float rotation :
         {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity()}) {
        EXPECT_EQ(draw(DefaultGear, rotation).calls.size(), 1u);
    }
}

TEST(DrawGear, NearlyTheLargestGearHandsOverOnlyFiniteCoordinates) {
    Gear g = with(DefaultGear, "6.8e38", "6.1e38");  // outer radius a hair below FLT_MAX
    g.db = 6e38;
    g.alphaT = 0;
    g.xt = 0;
    for (float rotation : {0.0f, 0.4f, 2.0f, 1000.5f}) {
        const TestCanvas c = draw(g, rotation);
        ASSERT_EQ(c.calls.size(), flankRow(2 * 59, 0));
        for (const TestCanvas::Call& call : c.calls) {
            ASSERT_TRUE(std::isfinite(call.x) && std::isfinite(call.y)) << rotation;
        }
    }
}

}  // namespace
}  // namespace tamrel
