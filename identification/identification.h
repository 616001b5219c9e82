#pragma once

#include "conversion/language.h"

#include <optional>
#include <vector>

// Which standard hobbed gear an external spur or helical gear in hand is, from what an inspector
// measures first: spans over consecutive numbers of teeth and the tip diameter, optionally the
// root diameter, a rough helix angle and a dimension over balls. Lengths in mm, angles in degrees.
namespace tamrel::identification {

// W over `teeth` teeth.
struct Span {
    int teeth = 0;
    double width = 0;
};

// The dimension over two balls or pins of one diameter.
struct BallMeasure {
    double diameter = 0;
    double overBalls = 0;
};

struct Measurements {
    int teeth = 0;
    std::vector<Span> spans;  // two or three, over consecutive numbers of teeth
    double tipDiameter = 0;
    std::optional<double> rootDiameter;
    // 0 for a spur gear; another value is a rough estimate; none: unknown, searched over 0 to 45.
    std::optional<double> helixAngle;
    std::optional<BallMeasure> ball;
    double spanTolerance = 0.005;  // of each span and of the dimension over balls
    double tipTolerance = 0.05;
};

enum class System { Module, DiametralPitch };

// Measured minus the candidate's value.
struct Residuals {
    double basePitch = 0;
    std::vector<double> spans;  // in the order of the measurements
    double tip = 0;
    std::optional<double> ball;  // none without a ball, or where the balls find no place
};

struct Candidate {
    System system = System::Module;
    double module = 0;                     // normal module
    std::optional<double> diametralPitch;  // teeth per inch, for that system
    double pressureAngle = 0;              // normal
    double helixAngle = 0;
    double profileShift = 0;  // Xn
    double tipDiameter = 0;   // mn z / cos(beta) + 2 mn (1 + Xn)
    // The hob's dedendum over mn that the root diameter suggests, where one was measured.
    std::optional<double> dedendum;
    Residuals residuals;
    // The largest residual over its tolerance, the distance from a rough helix angle included;
    // the candidate fits when it is at most 1.
    double largestResidual = 0;
    // Sum of the squared residuals over their tolerances, plus a penalty for |Xn| > 1; lower is
    // better.
    double score = 0;
};

enum class Outcome {
    Identified,           // every candidate fits every measurement
    NothingFits,          // standard pairs fit the base pitch, no candidate the rest
    NoStandardBasePitch,  // no standard pair fits the base pitch
    TeethOutOfRange,      // the rest are unusable measurements
    SpanCount,
    SpansNotConsecutive,
    SpannedTeethOutOfRange,
    SpanNotALength,
    SpansNotIncreasing,
    TipNotALength,
    TipNotAboveSpans,
    RootNotBelowTip,
    HelixOutOfRange,
    BallNotUsable,
    ToleranceOutOfRange,
};

struct Identification {
    Outcome outcome = Outcome::Identified;
    // From the spans by least squares; 0 when the measurements are unusable.
    double basePitch = 0;
    // Identified: every fitting candidate, best first. NothingFits, NoStandardBasePitch: the
    // nearest misses, best first. Empty for unusable measurements. Every number is finite.
    std::vector<Candidate> candidates;
};

// Never throws for any measurements, NaN and infinities included.
Identification identify(const Measurements& measurements);

// One sentence for every outcome but Identified, whose text is empty.
const char* messageOf(Outcome outcome, Language language = Language::English);

// The outcomes of unusable measurements.
bool isInputError(Outcome outcome);

}  // namespace tamrel::identification
