#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <utility>
#include <variant>
#include <vector>

// Inspection aids for one gear and one tolerance band: which span and which ball to use, whether
// they touch the involute flank, and the chordal values for a gear-tooth vernier. Lengths are in
// millimetres, angles in radians. No value is ever NaN or infinite: what cannot be formed is an
// Outcome holding the Failure that explains why.
namespace tamrel::inspection {

// The four values of a tolerance band, in the order a compute run forms its passes' columns.
enum class BandValue : std::size_t { Nominal, Mid, Max, Min };
inline constexpr std::array<BandValue, 4> bandValues{BandValue::Nominal, BandValue::Mid,
                                                     BandValue::Max, BandValue::Min};

template <typename T> struct Band {
    std::array<T, 4> values;

    static Band filled(const T& v) { return Band{{v, v, v, v}}; }

    T& operator[](BandValue v) { return values[static_cast<std::size_t>(v)]; }
    const T& operator[](BandValue v) const { return values[static_cast<std::size_t>(v)]; }
};

enum class Failure {
    InvalidGear,             // module, pressure angle, helix angle, teeth, a band value or the
                             // basic rack unusable
    InvalidDiameters,        // tip or root diameter not a positive finite number
    InternalGear,            // span and chordal values exist for external gears only
    NoTeethSpanned,          // no number of teeth spanned, or one outside 1 .. |z| - 1
    NoBallDiameter,          // no positive ball or pin diameter
    NoBallPosition,          // the ball has no centre outside the base circle
    ContactBelowBaseCircle,  // the contact (or the reference-shifted circle) is inside the base
                             // circle
    TooFewTeeth,             // fewer than two teeth: nothing can be spanned
    Undercut,                // the generated flank is undercut, its involute start is not formed
    CalculationFailed,       // a floating-point failure (overflow, division by zero)
};

// A value, or the reason it is absent.
template <typename T> class Outcome {
public:
    Outcome(T value) : state_(std::move(value)) {}
    Outcome(Failure failure) : state_(failure) {}

    bool hasValue() const { return state_.index() == 0; }
    // Throw std::bad_variant_access when the other alternative is held.
    const T& value() const { return std::get<0>(state_); }
    Failure failure() const { return std::get<1>(state_); }

private:
    std::variant<T, Failure> state_;
};

using BandOutcome = Band<Outcome<double>>;

// The basic rack (hob) the gear is cut with, in units of mn: its addendum, which is the gear's
// dedendum, and the radius of the fillet at its tip. The defaults are ISO 53 profile A.
struct BasicRack {
    double dedendum = 1.25;
    double tipRadius = 0.38;
};

struct InspectionInput {
    double mn;        // normal module
    double alphaN;    // normal pressure angle
    std::int16_t z;   // number of teeth, negative for an internal gear
    double beta;      // helix angle, 0 for a spur gear
    Band<double> xn;  // the normal profile shift coefficients of the run's band
    std::optional<std::int16_t> teethSpanned;
    std::optional<double> ballDiameter;
    double tipDiameter;   // da in use, automatic or typed
    double rootDiameter;  // df in use
    BasicRack rack{};     // external gears: the rack that generates the flanks
};

// The part of the flank, as diameters, on which a contact measures the involute for the whole band.
// External gears: from the largest form circle of the band (ISO 53 basic rack, base circle where
// larger) to the tip. Internal gears: from the tip to df - 0.5 mn.
struct FlankRange {
    double from;
    double to;
};

// External gears only.
struct SpanInspection {
    Outcome<std::int16_t> recommendedTeeth;  // contact nearest to d + 2 Xn mn of the mid value
    // Every k whose contact lies on the usable flank for each value of the band, ascending.
    Outcome<std::vector<std::int16_t>> measurableTeeth;
    // For the entered number of teeth: anvil contact diameter, verdict, and the face width
    // W sin(betaB) the anvils need for the largest W of the band.
    BandOutcome contactDiameter;
    Outcome<bool> measurable;
    Outcome<double> faceWidth;
};

struct BallInspection {
    // The diameter whose contact lies on d + 2 Xn mn for the mid value; needs no entered ball.
    Outcome<double> idealDiameter;
    // For the entered ball: centre-circle diameter (M = dK + D for an external even gear), contact
    // diameter on the involute helicoid, and how far the ball stands beyond the tip circle
    // (internal gears: reaches inside it).
    BandOutcome centreDiameter;
    BandOutcome contactDiameter;
    BandOutcome protrusion;
    Outcome<bool> measurable;
};

// External gears, in the normal section through the virtual spur gear.
struct ChordalInspection {
    Band<double> thickness;
    Band<double> height;
    Band<double> constantChord;
    Band<double> constantChordHeight;
};

struct Inspection {
    Outcome<FlankRange> usableFlank;
    Outcome<SpanInspection> span;
    Outcome<BallInspection> ball;
    Outcome<ChordalInspection> chordal;
};

Inspection inspect(const InspectionInput& input);

}  // namespace tamrel::inspection
