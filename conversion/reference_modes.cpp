#include "conversion/number_format.h"
#include "conversion/numeric_text.h"
#include "conversion/run_steps.h"
#include "geometry/calculation_error.h"
#include "geometry/profile_shift.h"

#include <array>
#include <cmath>
#include <optional>

namespace tamrel::run {

namespace {

// The four values of the reference band, in the order of the passes.
enum Pass { Nominal, Max, Min, Mid };
constexpr std::array<Pass, 4> PassOrder{Nominal, Max, Min, Mid};

struct Band {
    double ref = 0;
    double s1 = 0;
    double s2 = 0;
    double value(Pass pass) const {
        switch (pass) {
        case Max:
            return requireFinite(ref + s1, "band");
        case Min:
            return requireFinite(ref + s2, "band");
        case Mid:
            return requireFinite((s2 + s1) / 2 + ref, "band");
        case Nominal:
            break;
        }
        return ref;
    }
};

// Per reference quantity: the order in which each pass publishes the other quantities, and the
// order of the deviations after the max and min passes.
struct Publication {
    std::array<Quantity, 3> perPass;
    std::array<Quantity, 3> deviations;
};
constexpr std::array<Publication, QuantityCount> PublicationOrder{{
    {{Sn, W, M}, {Sn, W, M}},
    {{Xn, Sn, M}, {Sn, M, Xn}},
    {{Xn, Sn, W}, {Sn, W, Xn}},
    {{Xn, W, M}, {W, M, Xn}},
}};

// Input checks of each mode, with their messages.
struct ModeMessages {
    const char* reference;
    const char* upper = "ERROR:S1 was wrong!";
    const char* lower = "ERROR:S2 was wrong!";
    const char* middle = nullptr;  // set where the middle value must be positive
};
const std::array<ModeMessages, QuantityCount> Messages{{
    {"ERROR:Xn was wrong!"},
    {"ERROR:SMG was wrong!", "ERROR:S1 was wrong!", "ERROR:S2 was wrong!",
     "ERROR:SMG,S1,S2 was wrong!"},
    {"ERROR:DMG was wrong!", "ERROR:S1 was wrong!", "ERROR:S2 was wrong!",
     "ERROR:DMG,S1,S2 was wrong!"},
    {"ERROR:SNG was wrong!"},
}};

// The field a pass writes quantity q into: its reference row for the nominal value, else the
// result column of the pass.
Field fieldOf(Quantity q, Pass pass) {
    switch (pass) {
    case Max:
        return maximum(q);
    case Min:
        return minimum(q);
    case Mid:
        return middle(q);
    case Nominal:
        break;
    }
    return reference(q);
}

class ModeBlock {
public:
    ModeBlock(Quantity mode, FieldStore& store, const GearData& gear, const Transverse& t,
              const NumberLocale& locale)
        : mode_(mode), store_(store), gear_(gear), t_(t), locale_(locale) {}

    double run() {
        checkSpecialInputs();
        readBand();
        readOptionalInputs();
        double x = 0;
        if (mode_ != M) {
            publishOwnBand();
        }
        for (Pass pass : PassOrder) {
            if (mode_ == M && pass == Mid) {
                publishOwnBand();
            }
            x = profileShift(band_.value(pass));
            for (Quantity q : PublicationOrder[mode_].perPass) {
                publishMeasure(q, pass, x);
            }
            if (pass == Max || pass == Min) {
                for (Quantity q : PublicationOrder[mode_].deviations) {
                    publishDeviation(q, pass);
                }
            }
        }
        return x;
    }

private:
    // Mode W needs a whole, positive, 16-bit span count; mode M a positive pin diameter.
    void checkSpecialInputs() {
        if (mode_ == W) {
            const double k =
                readChecked(store_, Field::ZMG, IsPositiveNumber, locale_, "ERROR:ZMG was wrong!");
            if (k != std::floor(k)) {
                throw RunStopped{"ERROR:ZMG is not Integer!"};
            }
            k_ = toCount(k, "ERROR:ZMG was wrong!");
            hasSpan_ = true;
        } else if (mode_ == M) {
            dp_ =
                readChecked(store_, Field::DPG, IsPositiveNumber, locale_, "ERROR:DPG was wrong!");
            hasPin_ = true;
        }
    }

    void readBand() {
        const ModeMessages& messages = Messages[mode_];
        band_.ref = readChecked(store_, reference(mode_), IsNumeric, locale_, messages.reference);
        band_.s1 = readChecked(store_, upperTolerance(mode_), IsNumeric, locale_, messages.upper);
        band_.s2 = readChecked(store_, lowerTolerance(mode_), IsNumeric, locale_, messages.lower);
        if (messages.middle != nullptr && !(band_.value(Mid) > 0)) {
            throw RunStopped{messages.middle};
        }
    }

    // Outside their own mode the span count and the pin diameter are optional: a field that does
    // not qualify leaves its measure out, without a message.
    void readOptionalInputs() {
        if (mode_ != W && IsPositiveInteger(store_.text(Field::ZMG), locale_)) {
            k_ = toCount(numberOf(store_, Field::ZMG, locale_), "ERROR:ZMG was wrong!");
            hasSpan_ = true;
        }
        if (mode_ != M && IsPositiveNumber(store_.text(Field::DPG), locale_)) {
            dp_ = numberOf(store_, Field::DPG, locale_);
            hasPin_ = true;
        }
    }

    void publishOwnBand() {
        write(middle(mode_), band_.value(Mid));
        write(maximum(mode_), band_.value(Max));
        write(minimum(mode_), band_.value(Min));
    }

    double profileShift(double v) const {
        switch (mode_) {
        case W:
            return XnFromSM(t_.mt, t_.alphaT, gear_.z, gear_.beta, k_, v);
        case Sn:
            return XnFromSN(t_.mt, t_.alphaT, gear_.beta, v, gear_.z);
        case M: {
            const double x = XnFromDM(t_.mt, t_.alphaT, gear_.z, gear_.beta, dp_, v);
            if (x == NoPinMeasure) {
                throw RunStopped{"Check your DM or DP please!"};
            }
            return x;
        }
        case Xn:
            break;
        }
        return v;
    }

    // The measure q of profile shift x, or nothing where it is not available.
    std::optional<double> measure(Quantity q, double x) const {
        switch (q) {
        case Xn:
            return x;
        case Sn:
            return XnToSN(t_.mt, t_.alphaT, gear_.beta, x, gear_.z);
        case W:
            return XnToSM(t_.mt, t_.alphaT, gear_.z, gear_.beta, k_, x);
        case M: {
            const double m = XnToDM(t_.mt, t_.alphaT, gear_.z, gear_.beta, dp_, x);
            return m == NoPinMeasure ? std::nullopt : std::optional<double>(m);
        }
        }
        return std::nullopt;
    }

    bool isAvailable(Quantity q) const { return (q != W || hasSpan_) && (q != M || hasPin_); }

    void publishMeasure(Quantity q, Pass pass, double x) {
        if (!isAvailable(q)) {
            return;
        }
        const Field destination = fieldOf(q, pass);
        const auto value = measure(q, x);
        if (value) {
            write(destination, *value);
        } else {
            store_.setText(destination, Placeholder);
        }
    }

    // Deviation of the max or min column from the nominal value, as both are displayed.
    void publishDeviation(Quantity q, Pass pass) {
        if (!isAvailable(q)) {
            return;
        }
        const auto limit = parseNumber(store_.text(fieldOf(q, pass)), locale_);
        const auto nominal = parseNumber(store_.text(fieldOf(q, Nominal)), locale_);
        const Field destination = pass == Max ? upperTolerance(q) : lowerTolerance(q);
        if (limit && nominal) {
            write(destination, *limit - *nominal);
        } else {
            store_.setText(destination, Placeholder);
        }
    }

    void write(Field target, double value) {
        store_.setText(target, formatResult(requireFinite(value, "result"), locale_));
    }

    Quantity mode_;
    FieldStore& store_;
    const GearData& gear_;
    const Transverse& t_;
    const NumberLocale& locale_;
    Band band_;
    std::int16_t k_ = 0;
    bool hasSpan_ = false;
    double dp_ = 0;
    bool hasPin_ = false;
};

}  // namespace

double runModeBlock(Quantity mode, FieldStore& store, const GearData& gear, const Transverse& t,
                    const NumberLocale& locale) {
    return ModeBlock(mode, store, gear, t, locale).run();
}

}  // namespace tamrel::run
