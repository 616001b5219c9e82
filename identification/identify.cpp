#include "identification/identification.h"
#include "identification/standard_sizes.h"

#include "geometry/angles.h"
#include "geometry/calculation_error.h"
#include "geometry/gear.h"
#include "geometry/profile_shift.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>

namespace tamrel::identification {

namespace {

// Lengths beyond this are refused, so that no residual over its tolerance can overflow.
constexpr double MaxLength = 1e6;
constexpr double MinTolerance = 1e-6;
constexpr double MaxTolerance = 1;
constexpr double MaxHelix = 45;
// How far a rough helix angle is trusted.
constexpr double HelixTolerance = 2;
// Score added per unit of |Xn| beyond 1.
constexpr double ProfileShiftPenalty = 10;
// The ball residual over its tolerance counted where the balls find no place on the flanks.
constexpr double NoBallResidual = 1000;
constexpr double ScanStep = 1;
constexpr int GoldenSteps = 40;
constexpr std::size_t NearMisses = 5;
// Minima of one pair closer than this are one candidate.
constexpr double SameHelix = 1e-3;

constexpr double Infinite = std::numeric_limits<double>::infinity();

bool isLength(double value) {
    return value > 0 && value < MaxLength;  // false for NaN
}

Outcome check(const Measurements& m) {
    if (m.teeth < 1 || m.teeth > INT16_MAX) {
        return Outcome::TeethOutOfRange;
    }
    if (m.spans.size() < 2 || m.spans.size() > 3) {
        return Outcome::SpanCount;
    }
    for (std::size_t i = 1; i < m.spans.size(); ++i) {
        if (m.spans[i].teeth - 1LL != m.spans[i - 1].teeth) {
            return Outcome::SpansNotConsecutive;
        }
    }
    if (m.spans.front().teeth < 1 || m.spans.back().teeth >= m.teeth) {
        return Outcome::SpannedTeethOutOfRange;
    }
    for (std::size_t i = 0; i < m.spans.size(); ++i) {
        if (!isLength(m.spans[i].width)) {
            return Outcome::SpanNotALength;
        }
        if (i > 0 && !(m.spans[i].width > m.spans[i - 1].width)) {
            return Outcome::SpansNotIncreasing;
        }
    }
    if (!isLength(m.tipDiameter)) {
        return Outcome::TipNotALength;
    }
    if (!(m.tipDiameter > m.spans.back().width)) {
        return Outcome::TipNotAboveSpans;
    }
    if (m.rootDiameter && !(*m.rootDiameter > 0 && *m.rootDiameter < m.tipDiameter)) {
        return Outcome::RootNotBelowTip;
    }
    if (m.helixAngle && !(*m.helixAngle >= 0 && *m.helixAngle <= MaxHelix)) {
        return Outcome::HelixOutOfRange;
    }
    if (m.ball && !(isLength(m.ball->diameter) && isLength(m.ball->overBalls) &&
                    m.ball->overBalls > m.ball->diameter)) {
        return Outcome::BallNotUsable;
    }
    for (double tolerance : {m.spanTolerance, m.tipTolerance}) {
        if (!(tolerance >= MinTolerance && tolerance <= MaxTolerance)) {
            return Outcome::ToleranceOutOfRange;
        }
    }
    return Outcome::Identified;
}

double square(double x) {
    return x * x;
}

// One standard pair against the measurements at any helix angle (radians).
class PairFit {
public:
    PairFit(const Measurements& m, const StandardPair& pair, double basePitch,
            double pitchTolerance)
        : m_(m), pair_(pair), alphaN_(RAD(pair.pressureAngle)),
          pitchResidual_(basePitch - pair.basePitch), pitchTolerance_(pitchTolerance) {}

    struct Evaluation {
        double xn = 0;
        double tip = 0;
        std::array<double, 3> spans{};
        std::optional<double> ball;
        // The sum of the squared residuals over their tolerances, and the largest of them.
        double objective = Infinite;
        double largest = Infinite;
    };

    Evaluation at(double beta) const {
        Evaluation e;
        const auto z = static_cast<std::int16_t>(m_.teeth);
        double sum = 0;
        double largest = 0;
        const auto add = [&sum, &largest](double overTolerance) {
            sum += square(overTolerance);
            largest = std::max(largest, std::abs(overTolerance));
        };
        try {
            const Gear g = deriveGear(pair_.module, alphaN_, z, beta);
            const auto overBalls = [&](double xn) {
                return XnToDM(g.mt, g.alphaT, z, beta, m_.ball->diameter, xn);
            };
            e.xn = leastSquaresShift(g, overBalls);
            add(pitchResidual_ / pitchTolerance_);
            for (std::size_t i = 0; i < m_.spans.size(); ++i) {
                const Span& s = m_.spans[i];
                e.spans[i] = s.width - XnToSM(g.mt, g.alphaT, z, beta,
                                              static_cast<std::int16_t>(s.teeth), e.xn);
                add(e.spans[i] / m_.spanTolerance);
            }
            e.tip = requireFinite(g.d + 2 * pair_.module * (1 + e.xn), "tip diameter");
            add((m_.tipDiameter - e.tip) / m_.tipTolerance);
            if (m_.ball) {
                const double M = overBalls(e.xn);
                if (M != NoPinMeasure) {
                    e.ball = m_.ball->overBalls - M;
                }
                add(e.ball ? *e.ball / m_.spanTolerance : NoBallResidual);
            }
        } catch (const CalculationError&) {
            return e;
        }
        e.objective = sum;
        e.largest = largest;
        return e;
    }

    // The minima of the objective over the helix angles searched, in radians.
    std::vector<double> helixMinima() const {
        if (m_.helixAngle && *m_.helixAngle == 0) {
            return {0};
        }
        const int steps = static_cast<int>(MaxHelix / ScanStep);
        std::vector<double> grid(steps + 1);
        for (int j = 0; j <= steps; ++j) {
            grid[j] = at(RAD(j * ScanStep)).objective;
        }
        std::vector<double> minima;
        for (int j = 0; j <= steps; ++j) {
            const bool belowLeft = j == 0 || grid[j] < grid[j - 1];
            const bool notAboveRight = j == steps || grid[j] <= grid[j + 1];
            if (std::isfinite(grid[j]) && belowLeft && notAboveRight) {
                minima.push_back(refine(j, grid[j]));
            }
        }
        return minima;
    }

    Candidate candidateAt(double beta) const {
        const Evaluation e = at(beta);
        Candidate c;
        c.system = pair_.system;
        c.module = pair_.module;
        if (pair_.system == System::DiametralPitch) {
            c.diametralPitch = pair_.diametralPitch;
        }
        c.pressureAngle = pair_.pressureAngle;
        c.helixAngle = beta * 180 / PI;
        c.profileShift = e.xn;
        c.tipDiameter = e.tip;
        c.residuals = {pitchResidual_,
                       {e.spans.begin(), e.spans.begin() + m_.spans.size()},
                       m_.tipDiameter - e.tip,
                       e.ball};
        c.largestResidual = e.largest;
        c.score = e.objective + ProfileShiftPenalty * std::max(0.0, std::abs(e.xn) - 1);
        if (m_.helixAngle) {
            const double off = (c.helixAngle - *m_.helixAngle) / HelixTolerance;
            c.largestResidual = std::max(c.largestResidual, std::abs(off));
            c.score += square(off);
        }
        if (m_.rootDiameter) {
            c.dedendum = dedendum(c.profileShift, beta);
        }
        return c;
    }

private:
    // The Xn with the least sum of squared residuals over their tolerances at one helix angle:
    // the spans' mean of XnFromSM, moved by one Gauss-Newton step that takes in the tip and the
    // balls. Spans and tip are linear in Xn, so the spans alone are fitted exactly and the
    // one step is exact without balls; M is so nearly linear over the step that a second one
    // would change Xn by far less than the measurements can tell.
    template <class OverBalls> double leastSquaresShift(const Gear& g, OverBalls overBalls) const {
        double xn = 0;
        for (const Span& s : m_.spans) {
            xn +=
                XnFromSM(g.mt, g.alphaT, g.z, g.beta, static_cast<std::int16_t>(s.teeth), s.width);
        }
        xn /= static_cast<double>(m_.spans.size());
        // The spans' residuals at their own Xn add up to 0; each moves by its slope per unit Xn.
        const double spanSlope = 2 * pair_.module * std::sin(alphaN_) / m_.spanTolerance;
        const double tipSlope = 2 * pair_.module / m_.tipTolerance;
        double gradient = (m_.tipDiameter - g.d) / m_.tipTolerance - tipSlope * (1 + xn);
        gradient *= tipSlope;
        double curvature =
            static_cast<double>(m_.spans.size()) * square(spanSlope) + square(tipSlope);
        if (m_.ball) {
            constexpr double h = 1e-6;
            const double M = overBalls(xn);
            const double shifted = overBalls(xn + h);
            if (M != NoPinMeasure && shifted != NoPinMeasure) {
                const double ballSlope = (shifted - M) / h / m_.spanTolerance;
                gradient += ballSlope * (m_.ball->overBalls - M) / m_.spanTolerance;
                curvature += square(ballSlope);
            }
        }
        return requireFinite(xn + gradient / curvature, "profile shift");
    }

    // Golden section over the grid steps either side of grid point j. The objective is a sum of
    // squares of residuals that change smoothly and steadily with the helix angle (the tip's, at
    // the spans' Xn, by d da / d beta = mn z sin(beta) cos^2(alphaT) / cos^2(beta) > 0), so near a
    // grid minimum it has one minimum; golden section keeps it bracketed and shrinks the bracket
    // by the golden ratio each step: 40 steps take 2 degrees below 1e-8 degrees. A minimum on
    // the grid point itself, as at 0 or 45 degrees, is kept.
    double refine(int j, double atGrid) const {
        constexpr double g = 0.6180339887498949;
        double lo = RAD(std::max(0.0, (j - 1) * ScanStep));
        double hi = RAD(std::min(MaxHelix, (j + 1) * ScanStep));
        double a = hi - g * (hi - lo);
        double b = lo + g * (hi - lo);
        double fa = at(a).objective;
        double fb = at(b).objective;
        for (int step = 0; step < GoldenSteps; ++step) {
            if (fa <= fb) {
                hi = b;
                b = a;
                fb = fa;
                a = hi - g * (hi - lo);
                fa = at(a).objective;
            } else {
                lo = a;
                a = b;
                fa = fb;
                b = lo + g * (hi - lo);
                fb = at(b).objective;
            }
        }
        const double best = std::min(fa, fb);
        return best < atGrid ? (fa <= fb ? a : b) : RAD(j * ScanStep);
    }

    // The standard hob dedendum over mn nearest to the one the root diameter gives, if near.
    std::optional<double> dedendum(double xn, double beta) const {
        const double mn = pair_.module;
        return standardDedendum((m_.teeth * mn / std::cos(beta) + 2 * xn * mn - *m_.rootDiameter) /
                                (2 * mn));
    }

    const Measurements& m_;
    StandardPair pair_;
    double alphaN_;
    double pitchResidual_;
    double pitchTolerance_;
};

// The candidates of each pair, one per minimum of its objective.
std::vector<Candidate> fitPairs(const Measurements& m, const std::vector<StandardPair>& pairs,
                                double basePitch, double pitchTolerance) {
    std::vector<Candidate> found;
    for (const StandardPair& pair : pairs) {
        const PairFit fit(m, pair, basePitch, pitchTolerance);
        double last = -Infinite;
        for (double beta : fit.helixMinima()) {
            if (beta - last > RAD(SameHelix)) {
                found.push_back(fit.candidateAt(beta));
            }
            last = beta;
        }
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const Candidate& x, const Candidate& y) { return x.score < y.score; });
    return found;
}

}  // namespace

Identification identify(const Measurements& m) {
    Identification result;
    result.outcome = check(m);
    if (result.outcome != Outcome::Identified) {
        return result;
    }
    // For two or three consecutive counts the least-squares slope of W over the count is
    // (W last - W first) / (n - 1), at most 2 span tolerances / (n - 1) off.
    const double steps = static_cast<double>(m.spans.size() - 1);
    result.basePitch = (m.spans.back().width - m.spans.front().width) / steps;
    const double pitchTolerance = 2 * m.spanTolerance / steps;
    const auto pitchOff = [&result](const StandardPair& p) {
        return std::abs(result.basePitch - p.basePitch);
    };
    std::vector<StandardPair> pairs = standardPairs();
    std::vector<StandardPair> fitting;
    std::copy_if(pairs.begin(), pairs.end(), std::back_inserter(fitting),
                 [&](const StandardPair& p) { return pitchOff(p) <= pitchTolerance; });
    if (fitting.empty()) {
        result.outcome = Outcome::NoStandardBasePitch;
        std::stable_sort(pairs.begin(), pairs.end(),
                         [&](const StandardPair& x, const StandardPair& y) {
                             return pitchOff(x) < pitchOff(y);
                         });
        fitting.assign(pairs.begin(), pairs.begin() + NearMisses);
    }
    std::vector<Candidate> candidates = fitPairs(m, fitting, result.basePitch, pitchTolerance);
    std::copy_if(candidates.begin(), candidates.end(), std::back_inserter(result.candidates),
                 [](const Candidate& c) { return c.largestResidual <= 1; });
    if (result.candidates.empty()) {
        if (result.outcome == Outcome::Identified) {
            result.outcome = Outcome::NothingFits;
        }
        candidates.resize(std::min(candidates.size(), NearMisses));
        result.candidates = std::move(candidates);
    }
    return result;
}

bool isInputError(Outcome outcome) {
    return outcome != Outcome::Identified && outcome != Outcome::NothingFits &&
           outcome != Outcome::NoStandardBasePitch;
}

}  // namespace tamrel::identification
