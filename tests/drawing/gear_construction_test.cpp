// DrawGear against the construction written out plainly: nested vectors, the matrix product as
// three loops, a rotation matrix and a product for every flank, the circle formula, the texts
// read with std::stod. Every call must reach the canvas as the plain construction makes it: the
// same kind, the same single-precision coordinates bit for bit, in the same order, in the same pen.
#include "drawing/gear_drawing.h"

#include "geometry/angles.h"
#include "recording_canvas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace tamrel {
namespace {

using test::RecordingCanvas;
using Grid = std::vector<std::vector<double>>;

const NumberLocale Dot{"."};

Grid plainRotMatrix(double t) {
    return {{std::cos(t), std::sin(t), 0}, {-std::sin(t), std::cos(t), 0}, {0, 0, 1}};
}

Grid plainMatMul(const Grid& a, const Grid& b) {
    Grid c(a.size(), std::vector<double>(b[0].size()));
    for (std::size_t i = 0; i < a.size(); ++i) {
        for (std::size_t j = 0; j < b[0].size(); ++j) {
            double sum = 0;
            for (std::size_t k = 0; k < b.size(); ++k) {
                sum = sum + a[i][k] * b[k][j];
            }
            c[i][j] = sum;
        }
    }
    return c;
}

void plainCircle(Canvas& canvas, double r) {
    canvas.plotPoint(0.0f, static_cast<float>(0 + r));
    for (int c = 1; c <= 360; ++c) {
        const double u = 6.28318530717958 / 360 * c;
        canvas.lineTo(static_cast<float>(std::sin(u) * r + 0),
                      static_cast<float>(std::cos(u) * r + 0));
    }
}

void plainPolyline(Canvas& canvas, const Grid& p) {
    canvas.plotPoint(static_cast<float>(p[0][0]), static_cast<float>(p[0][1]));
    for (std::size_t i = 1; i < p.size(); ++i) {
        canvas.lineTo(static_cast<float>(p[i][0]), static_cast<float>(p[i][1]));
    }
}

// The whole drawing of a gear whose diameter texts are plain positive numbers.
void plainDrawGear(Canvas& canvas, double db, double alphaT, std::int16_t zAbs, double xt,
                   const std::string& tip, const std::string& root, float rotation) {
    canvas.clear();
    const double dkg = std::stod(tip);
    const double drg = std::stod(root);
    if (!(dkg > 0) || !(drg > 0)) {
        return;
    }
    const double outer = drg < dkg ? dkg : drg;
    const double inner = drg < dkg ? drg : dkg;
    if (outer < db) {
        return;
    }
    Grid flankA(20, std::vector<double>(3));
    Grid flankB(20, std::vector<double>(3));
    for (std::int16_t i = 0; i < 20; ++i) {
        const double d = (outer - db) * i / 19 + db;
        const double t = INV(ARCCOS(db / d));
        flankA[i] = {std::sin(t) * d / 2, std::cos(t) * d / 2, 1};
        flankB[i] = {-(std::sin(t) * d / 2), std::cos(t) * d / 2, 1};
    }
    const double baseToothAngle = (4 * xt * std::tan(alphaT) + PI) / zAbs + 2 * INV(alphaT);
    flankB = plainMatMul(flankB, plainRotMatrix(-baseToothAngle));

    plainCircle(canvas, db / 2);
    plainCircle(canvas, db / std::cos(alphaT) / 2);
    canvas.setPenColor(Blue);
    plainCircle(canvas, outer / 2);
    plainCircle(canvas, inner / 2);
    canvas.setPenColor(Black);
    canvas.plotPoint(0.0f, 0.0f);
    for (std::int16_t i = 0; i < zAbs; ++i) {
        const double angle = (-6.28318530717958 / zAbs) * i - rotation;
        plainPolyline(canvas, plainMatMul(flankA, plainRotMatrix(angle)));
        plainPolyline(canvas, plainMatMul(flankB, plainRotMatrix(angle)));
    }
}

struct Gear {
    double db;
    double alphaT;
    std::int16_t zAbs;
    double xt;
    std::string tip;
    std::string root;
};

// The drawing inputs a compute run and a tick derive for module mn, pressure angle 20 degrees,
// helix beta degrees and z teeth, with the automatic diameters for profile shift xMid.
Gear gearOf(double mn, double betaDegrees, std::int16_t z, double xMid) {
    const double beta = RAD(betaDegrees);
    const double mt = mn / std::cos(beta);
    const double alphaT = std::atan(std::tan(RAD(20)) / std::cos(beta));
    const double d = z * mt;
    const double shift = mn * (2 * xMid);
    return {std::cos(alphaT) * d,
            alphaT,
            z,
            std::cos(beta) * xMid,
            std::to_string(2 * mn + d + shift),
            std::to_string(d - 2.5 * mn + shift)};
}

void expectSameCalls(const std::vector<RecordingCanvas::Call>& drawn,
                     const std::vector<RecordingCanvas::Call>& plain) {
    ASSERT_EQ(drawn.size(), plain.size());
    for (std::size_t n = 0; n < drawn.size(); ++n) {
        // Bit for bit: a float that differs in its last place differs here.
        ASSERT_EQ(drawn[n].kind, plain[n].kind) << "call " << n;
        ASSERT_EQ(std::memcmp(&drawn[n].x, &plain[n].x, sizeof(float)), 0) << "call " << n;
        ASSERT_EQ(std::memcmp(&drawn[n].y, &plain[n].y, sizeof(float)), 0) << "call " << n;
        ASSERT_EQ(drawn[n].pen, plain[n].pen) << "call " << n;
    }
}

void expectConstruction(const Gear& g, float rotation) {
    SCOPED_TRACE(std::to_string(g.zAbs) + " teeth, rotation " + std::to_string(rotation) +
                 ", tip " + g.tip + ", root " + g.root);
    RecordingCanvas drawn;
    DrawGear(drawn, g.db, g.alphaT, g.zAbs, g.xt, g.tip, g.root, rotation, Dot);
    RecordingCanvas plain;
    plainDrawGear(plain, g.db, g.alphaT, g.zAbs, g.xt, g.tip, g.root, rotation);
    ASSERT_GT(plain.calls.size(), 1u);
    expectSameCalls(drawn.calls, plain.calls);
    EXPECT_EQ(drawn.pen(), plain.pen());
}

TEST(Construction, DefaultGearAtSeveralRotations) {
    const Gear g = gearOf(3.175, 15, 59, -0.1445);
    for (float rotation : {0.0f, 0.001f, 0.5f, 1.0f, -2.25f, 123.456f, 40000.0f}) {
        expectConstruction(g, rotation);
    }
}

TEST(Construction, OneTooth) {
    // A root diameter that is not positive would leave the picture empty; the tip circle is kept.
    Gear g = gearOf(3.175, 15, 1, 0.3);
    g.root = "1.5";
    expectConstruction(g, 0.25f);
    g = gearOf(10, 0, 1, -0.2);
    g.root = "0.75";
    expectConstruction(g, 0);
}

TEST(Construction, FiveHundredAndFiveThousandTeeth) {
    expectConstruction(gearOf(1, 0, 500, 0), 0.7f);
    expectConstruction(gearOf(0.5, 30, 5000, 0.05), 3.3f);
}

TEST(Construction, SwappedAndEqualDiameters) {
    Gear g = gearOf(3.175, 15, 59, -0.1445);
    std::swap(g.tip, g.root);
    expectConstruction(g, 0.3f);
    g.root = g.tip;
    expectConstruction(g, 0.3f);
}

TEST(Construction, InternalGearAndOuterOnTheBaseCircle) {
    // An internal gear: the root diameter is the larger.
    Gear internal = gearOf(2, 0, 72, 0.1);
    internal.root = "150.5";
    internal.tip = "140.25";
    expectConstruction(internal, 0.1f);
    // Every flank collapses onto its base-circle point.
    Gear dots = gearOf(3.175, 15, 59, 0);
    dots.db = 180;
    dots.tip = "180";
    dots.root = "170";
    expectConstruction(dots, 0);
}

// A canvas that folds every call into a 64-bit FNV-1a hash: the drawing of a gear with tens of
// thousands of teeth is compared without keeping its million calls.
class HashingCanvas : public Canvas {
public:
    void clear() override { add(1, 0, 0); }
    void setPenColor(Rgb color) override {
        pen_ = color;
        add(2, 0, 0);
    }
    void plotPoint(float x, float y) override { add(3, x, y); }
    void lineTo(float x, float y) override { add(4, x, y); }
    UserScale userScale() const override { return {}; }
    void setUserScale(const UserScale&) override {}

    std::uint64_t hash = 14695981039346656037ULL;
    std::size_t calls = 0;

private:
    void add(std::uint32_t kind, float x, float y) {
        std::uint32_t words[4] = {kind, 0, 0, pen_};
        std::memcpy(&words[1], &x, sizeof(float));
        std::memcpy(&words[2], &y, sizeof(float));
        const auto* bytes = reinterpret_cast<const unsigned char*>(words);
        for (std::size_t i = 0; i < sizeof(words); ++i) {
            hash = (hash ^ bytes[i]) * 1099511628211ULL;
        }
        ++calls;
    }
    Rgb pen_ = RecordingCanvas::InitialPen;
};

TEST(Construction, MostTeeth) {
    const Gear g = gearOf(3.175, 15, 32767, -0.1445);
    HashingCanvas drawn;
    DrawGear(drawn, g.db, g.alphaT, g.zAbs, g.xt, g.tip, g.root, 0.75f, Dot);
    HashingCanvas plain;
    plainDrawGear(plain, g.db, g.alphaT, g.zAbs, g.xt, g.tip, g.root, 0.75f);
    EXPECT_EQ(drawn.calls, 1u + 4u * 361 + 2u + 1u + 2u * 32767 * 20);
    EXPECT_EQ(drawn.calls, plain.calls);
    EXPECT_EQ(drawn.hash, plain.hash);
}

}  // namespace
}  // namespace tamrel
