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

// The passes over the band, in the order the run makes them.
constexpr std::array<BandValue, 4> PassOrder{BandValue::Nominal, BandValue::Max, BandValue::Min,
                                             BandValue::Mid};

struct ReferenceBand {
    double ref = 0;
    double s1 = 0;
    double s2 = 0;
    // The reference plus half the sum of the tolerances, the upper or the lower tolerance.
    double value(BandValue v) const {
        const std::array<double, 4> offsets{0, (s2 + s1) / 2, s1, s2};
        return v == BandValue::Nominal
                   ? ref
                   : requireFinite(offsets[static_cast<std::size_t>(v)] + ref, "band");
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

class ModeBlock {
public:
    ModeBlock(Quantity mode, const ConversionInput& in, const Gear& gear, ConversionResult& result)
        : mode_(mode), in_(in), g_(gear), result_(result) {}

    ModeOutcome run() {
        checkSpecialInputs();
        readBand();
        readOptionalInputs();
        // The own band of M shows only once its values are known to be in reach.
        if (mode_ != M) {
            publishOwnBand();
        }
        for (BandValue pass : PassOrder) {
            if (mode_ == M && pass == BandValue::Mid) {
                publishOwnBand();
            }
            outcome_.xMid = profileShift(band_.value(pass));
            for (Quantity q : PublicationOrder[mode_].perPass) {
                publishMeasure(q, pass, outcome_.xMid);
            }
            if (pass == BandValue::Max || pass == BandValue::Min) {
                for (Quantity q : PublicationOrder[mode_].deviations) {
                    publishDeviation(q, pass);
                }
            }
        }
        return outcome_;
    }

private:
    // Mode W needs a whole, positive, 16-bit span count; mode M a positive pin diameter.
    void checkSpecialInputs() {
        if (mode_ == W) {
            const double k = readChecked(in_, Input::ZMG, IsPositiveNumber, wrong(Input::ZMG));
            if (k != std::floor(k)) {
                throw RunStopped{{Problem::NotInteger, Input::ZMG}};
            }
            outcome_.teethSpanned = toCount(k, wrong(Input::ZMG));
        } else if (mode_ == M) {
            outcome_.ballDiameter =
                readChecked(in_, Input::DPG, IsPositiveNumber, wrong(Input::DPG));
        }
    }

    void readBand() {
        band_.ref =
            readChecked(in_, Input::Value, IsNumeric, {Problem::Wrong, Input::Value, mode_});
        band_.s1 = readChecked(in_, Input::Upper, IsNumeric, wrong(Input::Upper));
        band_.s2 = readChecked(in_, Input::Lower, IsNumeric, wrong(Input::Lower));
        result_.cell(mode_, Column::Reference).value = band_.ref;
        result_.cell(mode_, Column::Upper).value = band_.s1;
        result_.cell(mode_, Column::Lower).value = band_.s2;
        // A span or a dimension over pins must be positive in the middle of the band.
        if ((mode_ == W || mode_ == M) && !(band_.value(BandValue::Mid) > 0)) {
            throw RunStopped{{Problem::BandNotPositive, Input::Value, mode_}};
        }
    }

    // Outside their own mode the span count and the pin diameter are optional: a text that does
    // not qualify leaves its measure out, without a message.
    void readOptionalInputs() {
        if (mode_ != W && IsPositiveInteger(in_[Input::ZMG], in_.locale)) {
            outcome_.teethSpanned = toCount(numberOf(in_, Input::ZMG), wrong(Input::ZMG));
        }
        if (mode_ != M && IsPositiveNumber(in_[Input::DPG], in_.locale)) {
            outcome_.ballDiameter = numberOf(in_, Input::DPG);
        }
    }

    void publishOwnBand() {
        for (BandValue v : {BandValue::Mid, BandValue::Max, BandValue::Min}) {
            write(mode_, columnOf(v), band_.value(v));
        }
    }

    double profileShift(double v) const {
        switch (mode_) {
        case W:
            return XnFromSM(g_.mt, g_.alphaT, g_.z, g_.beta, *outcome_.teethSpanned, v);
        case Sn:
            return XnFromSN(g_.mt, g_.alphaT, g_.beta, v, g_.z);
        case M: {
            const double x = XnFromDM(g_.mt, g_.alphaT, g_.z, g_.beta, *outcome_.ballDiameter, v);
            if (x == NoPinMeasure) {
                throw RunStopped{{Problem::OutOfReach}};
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
            return XnToSN(g_.mt, g_.alphaT, g_.beta, x, g_.z);
        case W:
            return XnToSM(g_.mt, g_.alphaT, g_.z, g_.beta, *outcome_.teethSpanned, x);
        case M: {
            const double m = XnToDM(g_.mt, g_.alphaT, g_.z, g_.beta, *outcome_.ballDiameter, x);
            return m == NoPinMeasure ? std::nullopt : std::optional<double>(m);
        }
        }
        return std::nullopt;
    }

    bool isAvailable(Quantity q) const {
        return (q != W || outcome_.teethSpanned) && (q != M || outcome_.ballDiameter);
    }

    void publishMeasure(Quantity q, BandValue pass, double x) {
        if (!isAvailable(q)) {
            return;
        }
        const auto value = measure(q, x);
        if (value) {
            write(q, columnOf(pass), *value);
        } else {
            result_.cell(q, columnOf(pass)) = Cell{};
        }
    }

    // The deviation of the max or min column from the nominal value, both as their fields show
    // them: it carries the rounding of the displayed values.
    void publishDeviation(Quantity q, BandValue pass) {
        if (!isAvailable(q)) {
            return;
        }
        const auto limit = result_.cell(q, columnOf(pass)).value;
        const auto nominal = result_.cell(q, Column::Reference).value;
        const Column deviation = pass == BandValue::Max ? Column::Upper : Column::Lower;
        if (limit && nominal) {
            write(q, deviation, *limit - *nominal);
        } else {
            result_.cell(q, deviation) = Cell{};
        }
    }

    void write(Quantity q, Column c, double value) {
        ShownNumber shown = showResult(requireFinite(value, "result"), in_.locale);
        result_.cell(q, c) = {shown.value, std::move(shown.text)};
    }

    Quantity mode_;
    const ConversionInput& in_;
    const Gear& g_;
    ConversionResult& result_;
    ReferenceBand band_;
    ModeOutcome outcome_;
};

}  // namespace

ModeOutcome runModeBlock(Quantity mode, const ConversionInput& in, const Gear& gear,
                         ConversionResult& result) {
    return ModeBlock(mode, in, gear, result).run();
}

}  // namespace tamrel::run
