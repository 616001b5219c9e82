#include "cli/inspection_report.h"

#include "inspection/run_inspection.h"

#include <algorithm>
#include <array>

namespace tamrel::cli {

namespace {

using inspection::BandValue;
using inspection::Failure;
using inspection::Outcome;

constexpr std::array<const char*, 4> BandKeys{"nominal", "mid", "max", "min"};
constexpr const char* Absent = "absent";

// One row of the grid: a quantity with one value, or with a value per band value.
struct Row {
    const char* path;
    bool band;
};
constexpr std::array<Row, 18> Rows{{
    {"span.teeth", false},
    {"span.recommendedTeeth", false},
    {"span.measurableTeeth", false},
    {"span.contactDiameter", true},
    {"span.usableFrom", false},
    {"span.usableTo", false},
    {"span.measurable", false},
    {"span.faceWidth", false},
    {"ball.diameter", false},
    {"ball.idealDiameter", false},
    {"ball.centreDiameter", true},
    {"ball.contactDiameter", true},
    {"ball.protrusion", true},
    {"ball.measurable", false},
    {"chordal.thickness", true},
    {"chordal.height", true},
    {"chordal.constantChord", true},
    {"chordal.constantChordHeight", true},
}};

Json::json_pointer pointerTo(std::string path) {
    for (char& c : path) {
        c = c == '.' ? '/' : c;
    }
    return Json::json_pointer("/" + path);
}

// Fills the JSON object value by value; what is absent becomes null with its reason.
class JsonBuilder {
public:
    template <typename T> void put(const std::string& path, const Outcome<T>& value) {
        if (value.hasValue()) {
            json_[pointerTo(path)] = value.value();
        } else {
            absent(path, value.failure());
        }
    }
    template <typename T>
    void put(const std::string& path, const std::optional<T>& value, Failure otherwise) {
        put(path, value ? Outcome<T>(*value) : Outcome<T>(otherwise));
    }
    // A band absent as a whole for one reason is null itself.
    void putBand(const std::string& path, const inspection::BandOutcome& band) {
        const Outcome<double>& nominal = band[BandValue::Nominal];
        const auto sameFailure = [&nominal](const Outcome<double>& v) {
            return !v.hasValue() && v.failure() == nominal.failure();
        };
        if (!nominal.hasValue() &&
            std::all_of(band.values.begin(), band.values.end(), sameFailure)) {
            absent(path, nominal.failure());
            return;
        }
        for (BandValue v : inspection::bandValues) {
            put(path + "." + BandKeys[static_cast<std::size_t>(v)], band[v]);
        }
    }
    void putBand(const std::string& path, const inspection::Band<double>& band) {
        for (BandValue v : inspection::bandValues) {
            json_[pointerTo(path + "." + BandKeys[static_cast<std::size_t>(v)])] = band[v];
        }
    }
    void absent(const std::string& path, Failure why) {
        json_[pointerTo(path)] = nullptr;
        absent_[path] = inspection::failureText(why);
    }
    Json take() {
        json_[Absent] = std::move(absent_);
        return std::move(json_);
    }

private:
    Json json_ = Json::object();
    Json absent_ = Json::object();
};

void putSpan(JsonBuilder& out, const inspection::InspectionInput& input,
             const inspection::Inspection& result) {
    const inspection::SpanInspection& span = result.span.value();
    out.put("span.teeth", input.teethSpanned, Failure::NoTeethSpanned);
    out.put("span.recommendedTeeth", span.recommendedTeeth);
    out.put("span.measurableTeeth", span.measurableTeeth);
    out.putBand("span.contactDiameter", span.contactDiameter);
    if (result.usableFlank.hasValue()) {
        out.put("span.usableFrom", Outcome<double>(result.usableFlank.value().from));
        out.put("span.usableTo", Outcome<double>(result.usableFlank.value().to));
    } else {
        out.absent("span.usableFrom", result.usableFlank.failure());
        out.absent("span.usableTo", result.usableFlank.failure());
    }
    out.put("span.measurable", span.measurable);
    out.put("span.faceWidth", span.faceWidth);
}

void putBall(JsonBuilder& out, const inspection::InspectionInput& input,
             const inspection::BallInspection& ball) {
    out.put("ball.diameter", input.ballDiameter, Failure::NoBallDiameter);
    out.put("ball.idealDiameter", ball.idealDiameter);
    out.putBand("ball.centreDiameter", ball.centreDiameter);
    out.putBand("ball.contactDiameter", ball.contactDiameter);
    out.putBand("ball.protrusion", ball.protrusion);
    out.put("ball.measurable", ball.measurable);
}

void putChordal(JsonBuilder& out, const inspection::ChordalInspection& chordal) {
    out.putBand("chordal.thickness", chordal.thickness);
    out.putBand("chordal.height", chordal.height);
    out.putBand("chordal.constantChord", chordal.constantChord);
    out.putBand("chordal.constantChordHeight", chordal.constantChordHeight);
}

std::string numberText(const Json& value, const NumberLocale& locale) {
    std::string text = value.dump();
    if (const std::size_t point = text.find('.'); point != std::string::npos) {
        text.replace(point, 1, locale.decimalSeparator);
    }
    return text;
}

}  // namespace

Json inspectionJson(const inspection::InspectionInput& input,
                    const inspection::Inspection& result) {
    JsonBuilder out;
    if (result.span.hasValue()) {
        putSpan(out, input, result);
    } else {
        out.absent("span", result.span.failure());
    }
    if (result.ball.hasValue()) {
        putBall(out, input, result.ball.value());
    } else {
        out.absent("ball", result.ball.failure());
    }
    if (result.chordal.hasValue()) {
        putChordal(out, result.chordal.value());
    } else {
        out.absent("chordal", result.chordal.failure());
    }
    return out.take();
}

const std::vector<std::string>& inspectionPaths() {
    static const std::vector<std::string> paths = [] {
        std::vector<std::string> all;
        for (const Row& q : Rows) {
            for (const char* key : BandKeys) {
                all.push_back(q.band ? std::string(q.path) + "." + key : q.path);
                if (!q.band) {
                    break;
                }
            }
        }
        all.push_back(Absent);
        return all;
    }();
    return paths;
}

std::vector<std::string> absentLines(const Json& inspection) {
    std::vector<std::string> lines;
    for (const auto& [path, why] : inspection[Absent].items()) {
        lines.push_back(path + ": " + why.get<std::string>());
    }
    return lines;
}

std::string inspectionText(const Json& inspection, const std::string& path,
                           const NumberLocale& locale, const std::string& missing) {
    if (path == Absent) {
        std::string text;
        for (const std::string& line : absentLines(inspection)) {
            text += (text.empty() ? "" : "; ") + line;
        }
        return text;
    }
    // A path inside a block that is absent as a whole is missing too.
    const Json::json_pointer pointer = pointerTo(path);
    if (!inspection.contains(pointer) || inspection.at(pointer).is_null()) {
        return missing;
    }
    const Json& value = inspection.at(pointer);
    if (!value.is_array()) {
        return numberText(value, locale);
    }
    std::string list;
    for (const Json& item : value) {
        list += (list.empty() ? "" : " ") + item.dump();
    }
    return list;
}

std::vector<std::vector<std::string>> inspectionRows(const Json& inspection,
                                                     const NumberLocale& locale) {
    std::vector<std::vector<std::string>> rows{{"Inspection", "Nominal", "MID", "MAX", "MIN"}};
    for (const Row& q : Rows) {
        std::vector<std::string> row{q.path};
        for (const char* key : BandKeys) {
            row.push_back(inspectionText(
                inspection, q.band ? std::string(q.path) + "." + key : q.path, locale, "---"));
            if (!q.band) {
                break;
            }
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

}  // namespace tamrel::cli
