// libFuzzer entry point: every input is the measurements of one gear in hand, as text, identified
// once. A crash, a sanitizer report, an exception, a NaN or infinity in the result or a broken
// invariant aborts the fuzzer.
//
// Lines: teeth; the spans as "K:W" separated by blanks; the tip diameter; the root diameter, the
// rough helix angle and the ball as "D:M", each absent when its line is empty or missing; the span
// and the tip tolerance, the default when empty or missing. A text that is not a number is read
// as NaN, a tooth count that is not a whole number of int's range as 0.
#include "conversion/numeric_text.h"
#include "identification/identification.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <sstream>
#include <string>

namespace {

using namespace tamrel::identification;

double number(const std::string& text) {
    return tamrel::parseNumber(text, {}).value_or(NAN);
}

int count(const std::string& text) {
    const double value = number(text);
    return value == std::floor(value) && std::abs(value) <= INT32_MAX ? static_cast<int>(value) : 0;
}

Measurements decode(const std::string& input) {
    std::istringstream in(input);
    std::string lines[8];
    for (std::string& line : lines)
        std::getline(in, line);
    const auto optional = [](const std::string& line) {
        return line.empty() ? std::nullopt : std::optional(number(line));
    };
    Measurements m;
    m.teeth = count(lines[0]);
    std::istringstream spans(lines[1]);
    for (std::string span; spans >> span;) {
        const std::size_t colon = span.find(':');
        m.spans.push_back({count(span.substr(0, colon)),
                           colon == std::string::npos ? 0 : number(span.substr(colon + 1))});
    }
    m.tipDiameter = number(lines[2]);
    m.rootDiameter = optional(lines[3]);
    m.helixAngle = optional(lines[4]);
    if (const std::size_t colon = lines[5].find(':'); colon != std::string::npos)
        m.ball = BallMeasure{number(lines[5].substr(0, colon)), number(lines[5].substr(colon + 1))};
    m.spanTolerance = optional(lines[6]).value_or(m.spanTolerance);
    m.tipTolerance = optional(lines[7]).value_or(m.tipTolerance);
    return m;
}

// The first rule the result breaks, or nothing.
const char* broken(const Identification& found) {
    if (!std::isfinite(found.basePitch))
        return "base pitch not finite";
    if (isInputError(found.outcome) != (found.basePitch == 0 && found.candidates.empty()))
        return "unusable measurements with a base pitch or candidates, or usable without";
    if (found.outcome == Outcome::Identified && found.candidates.empty())
        return "identified without a candidate";
    for (std::size_t i = 0; i < found.candidates.size(); ++i) {
        const Candidate& c = found.candidates[i];
        for (double v :
             {c.module, c.diametralPitch.value_or(0), c.pressureAngle, c.helixAngle, c.profileShift,
              c.tipDiameter, c.dedendum.value_or(0), c.residuals.basePitch, c.residuals.tip,
              c.residuals.ball.value_or(0), c.largestResidual, c.score})
            if (!std::isfinite(v))
                return "a candidate's number not finite";
        for (double r : c.residuals.spans)
            if (!std::isfinite(r))
                return "a span residual not finite";
        if (!(c.helixAngle >= 0 && c.helixAngle <= 45))
            return "helix angle outside 0 to 45 degrees";
        if ((found.outcome == Outcome::Identified) != (c.largestResidual <= 1))
            return "a fitting candidate among misses, or a miss among fits";
        if (i > 0 && c.score < found.candidates[i - 1].score)
            return "candidates not best first";
    }
    return nullptr;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Measurements m = decode(std::string(reinterpret_cast<const char*>(data), size));
    if (const char* problem = broken(identify(m))) {
        std::fprintf(stderr, "identification invariant broken: %s\n", problem);
        std::abort();
    }
    return 0;
}
