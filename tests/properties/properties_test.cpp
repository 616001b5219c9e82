// A property of the compute run over random valid gears from a fixed seed, as an inspector would
// type them: a few decimals, sometimes a diametral pitch, spur and helical of either hand, external
// and internal.

#include "conversion/compute_run.h"
#include "conversion/number_format.h"
#include "conversion/numeric_text.h"
#include "geometry/angles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <random>
#include <string>

namespace tamrel {
namespace {

// Every gear of the properties; the sanitized build runs ten times fewer to stay quick.
constexpr int GearCount = TAMREL_PROPERTY_GEARS;
using Uniform = std::uniform_real_distribution<double>;

// As typed, with a point or a comma: the module (or a diametral pitch, typed negative) with three
// decimals, the pressure angle in degrees with one, the helix angle with two, the pin diameter
// with three, Xn with nine. Then the normal module mn and the transverse module, pressure angle
// and helix angle as the run derives them.
struct RandomGear {
    explicit RandomGear(std::mt19937_64& e) {
        const auto uniform = [&e](double lo, double hi) { return Uniform(lo, hi)(e); };
        const auto rounded = [](double v, double scale) { return std::round(v * scale) / scale; };
        locale.decimalSeparator = uniform(0, 1) < 0.5 ? "." : ",";
        const double wanted = std::exp(uniform(std::log(0.5), std::log(20.0)));
        const bool pitch = uniform(0, 1) < 0.25;  // teeth per inch
        mnTyped = pitch ? -rounded(25.4 / wanted, 1e3) : rounded(wanted, 1e3);
        mn = pitch ? -25.4 / mnTyped : mnTyped;
        alpha = rounded(uniform(14.5, 30), 10);
        const auto teeth = std::lround(std::exp(uniform(std::log(5), std::log(500))));
        z = static_cast<std::int16_t>(uniform(0, 1) < 0.3 ? -teeth : teeth);
        beta = uniform(0, 1) < 0.3 ? 0 : rounded(uniform(-45, 45), 100);
        k = static_cast<std::int16_t>(std::max(1L, std::lround(teeth * alpha / 180 + 0.5)));
        dp = rounded(mn * uniform(1.6, 1.8), 1e3);
        // From a strong negative to a strong positive profile shift.
        xn = rounded(uniform(-0.5, 1), 1e9);
        helix = RAD(beta);
        mt = mn / std::cos(helix);
        alphaT = std::atan(std::tan(RAD(alpha)) / std::cos(helix));
    }
    double mnTyped, alpha, beta, dp, xn, mn, mt, alphaT, helix;
    std::int16_t z, k;
    NumberLocale locale;
};

// Half a unit of the last digit the window shows of v.
double halfDisplayedDigit(double v) {
    return std::max(std::pow(10.0, std::floor(std::log10(std::fabs(v))) - 14), 1e-16) / 2;
}

// sin^2 of the pressure angle at the pin centre, for a dimension over pins m.
double pinCentreSin2(const RandomGear& g, double m) {
    const double centres = (m - std::copysign(g.dp, g.z)) / (g.z % 2 ? std::cos(PI / 2 / g.z) : 1);
    const double c = std::abs(g.z) * g.mt * std::cos(g.alphaT) / centres;
    return 1 - c * c;
}

// v as typed with `decimals` decimals and the gear's separator.
std::string typed(const RandomGear& g, double v, int decimals) {
    return formatFixed(v, decimals, g.locale);
}

// One compute run of the gear in `mode`, the reference value typed as given, the tolerances as
// +-band. The span count and the pin diameter are typed only for their own mode: the pins' routine
// is the slowest part of a run.
ConversionResult run(const RandomGear& g, Quantity measure, Quantity mode, const std::string& value,
                     double band = 0) {
    ConversionInput in(g.locale);
    in.selectReference(mode);
    // clang-format off
    for (const auto& [input, text] : {
             std::pair{Input::MN, typed(g, g.mnTyped, 3)}, {Input::PN, typed(g, g.alpha, 1)},
             {Input::ZG, std::to_string(g.z)}, {Input::BOG, typed(g, g.beta, 2)},
             {Input::ZMG, measure == W ? std::to_string(g.k) : ""},
             {Input::DPG, measure == M ? typed(g, g.dp, 3) : ""}, {Input::Value, value},
             {Input::Upper, typed(g, band, 4)}, {Input::Lower, typed(g, -band, 4)}})
        in[input] = text;
    // clang-format on
    return runConversion(in);
}

class CrossMode : public ::testing::TestWithParam<Quantity> {};

// A measure the window displays for a typed profile shift, typed back as the reference of its own
// mode, gives back the profile shift as closely as the fifteen displayed digits allow.
//
// A displayed value v carries up to half a unit of its last digit. Typed back, that moves the
// profile shift by (half unit of v) / |dv/dXn|, the slope measured by the run itself over a band
// of +-1e-4; the displayed profile shift adds half a unit of its own last digit. On top come four
// units in the last place of the routines' arithmetic - except for the pins, whose inverse takes
// sqrt(dc^2 - db^2) and so loses eps / sin^2(phi) of the pin circle diameter dc, phi being the
// pressure angle at the pin centre. The sum is doubled.
TEST_P(CrossMode, DisplayedMeasureTypedBackGivesBackTheProfileShift) {
    const Quantity q = GetParam();
    int checked = 0, gears = GearCount / 3;
    std::mt19937_64 engine(0x7a3e1206 + q);
    for (int i = 0; i < gears; ++i) {
        const RandomGear g(engine);
        // The number a cell shows, read back from its text.
        const auto value = [&g](const ConversionResult& run, Quantity of, Column c) {
            return parseNumber(run.cell(of, c).text, g.locale).value_or(NAN);
        };
        const ConversionResult band = run(g, q, Xn, typed(g, g.xn, 9), 1e-4);
        ASSERT_EQ(band.message.text(), "") << "gear " << i;
        const double v = value(band, q, Column::Reference);
        const double slope = (value(band, q, Column::Max) - value(band, q, Column::Min)) /
                             (value(band, Xn, Column::Max) - value(band, Xn, Column::Min));
        if (!std::isfinite(v + slope))
            continue;  // pins out of reach
        const ConversionResult fed = run(g, q, q, band.cell(q, Column::Reference).text);
        ASSERT_EQ(fed.message.text(), "") << "gear " << i;
        const double after = value(fed, Xn, Column::Reference);
        const double arithmetic =
            4 * DBL_EPSILON * std::fabs(v) / (q == M ? pinCentreSin2(g, v) : 1);
        const double tolerance = 2 * ((halfDisplayedDigit(v) + arithmetic) / std::fabs(slope) +
                                      halfDisplayedDigit(after) + 4 * DBL_EPSILON);
        ASSERT_LE(std::fabs(after - value(band, Xn, Column::Reference)), tolerance) << "gear " << i;
        ++checked;
    }
    // Pins out of reach leave some gears out; most must still take part.
    EXPECT_GT(checked, gears * 9 / 10);
}

INSTANTIATE_TEST_SUITE_P(WMSn, CrossMode, ::testing::Values(W, M, Sn));

}  // namespace
}  // namespace tamrel
