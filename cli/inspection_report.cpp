#include "cli/inspection_report.h"

#include "conversion/number_format.h"
#include "inspection/failure_texts.h"

#include <algorithm>
#include <array>
#include <variant>

namespace tamrel::cli {

namespace {

using inspection::Failure;
using inspection::Inspection;
using inspection::Outcome;

// A value, or why it cannot be formed; a quantity has one, or four for the band values.
using Value = std::variant<Json, Failure>;
using Values = std::vector<Value>;

Value valueOf(double v) {
    return Json(v);
}
Value valueOf(bool v) {
    return Json(v);
}
template <typename T> Value valueOf(const Outcome<T>& v) {
    return v.hasValue() ? Value(Json(v.value())) : Value(v.failure());
}
template <typename T> Values one(const Outcome<T>& v) {
    return {valueOf(v)};
}
template <typename T> Values one(const std::optional<T>& v, Failure otherwise) {
    return {v ? Value(Json(*v)) : Value(otherwise)};
}
template <typename T> Values band(const Band<T>& band) {
    Values values;
    for (const T& v : band.values) {
        values.push_back(valueOf(v));
    }
    return values;
}

// A run whose block of the quantity (span, ball, chordal or flank) could be formed.
struct Run {
    const inspection::InspectionInput& in;
    const Inspection& result;
    const inspection::SpanInspection& span() const { return result.span.value(); }
    const inspection::BallInspection& ball() const { return result.ball.value(); }
    const inspection::ChordalInspection& chordal() const { return result.chordal.value(); }
    const inspection::FlankInspection& flank() const { return result.flank.value(); }
    Values usable(double inspection::FlankRange::*end) const {
        const auto& flank = result.usableFlank;
        return {flank.hasValue() ? Value(Json(flank.value().*end)) : Value(flank.failure())};
    }
};

// One row of the grid: a quantity with one value or a band of four, and where a run holds it.
struct Row {
    const char* path;
    bool band;
    Values (*values)(const Run&);
};
const std::array<Row, 23> Rows{{
    {"span.teeth", false,
     [](const Run& r) { return one(r.in.teethSpanned, Failure::NoTeethSpanned); }},
    {"span.recommendedTeeth", false, [](const Run& r) { return one(r.span().recommendedTeeth); }},
    {"span.measurableTeeth", false, [](const Run& r) { return one(r.span().measurableTeeth); }},
    {"span.contactDiameter", true, [](const Run& r) { return band(r.span().contactDiameter); }},
    {"span.usableFrom", false,
     [](const Run& r) { return r.usable(&inspection::FlankRange::from); }},
    {"span.usableTo", false, [](const Run& r) { return r.usable(&inspection::FlankRange::to); }},
    {"span.measurable", false, [](const Run& r) { return one(r.span().measurable); }},
    {"span.faceWidth", false, [](const Run& r) { return one(r.span().faceWidth); }},
    {"ball.diameter", false,
     [](const Run& r) { return one(r.in.ballDiameter, Failure::NoBallDiameter); }},
    {"ball.idealDiameter", false, [](const Run& r) { return one(r.ball().idealDiameter); }},
    {"ball.centreDiameter", true, [](const Run& r) { return band(r.ball().centreDiameter); }},
    {"ball.contactDiameter", true, [](const Run& r) { return band(r.ball().contactDiameter); }},
    {"ball.protrusion", true, [](const Run& r) { return band(r.ball().protrusion); }},
    {"ball.measurable", false, [](const Run& r) { return one(r.ball().measurable); }},
    {"chordal.thickness", true, [](const Run& r) { return band(r.chordal().thickness); }},
    {"chordal.height", true, [](const Run& r) { return band(r.chordal().height); }},
    {"chordal.constantChord", true, [](const Run& r) { return band(r.chordal().constantChord); }},
    {"chordal.constantChordHeight", true,
     [](const Run& r) { return band(r.chordal().constantChordHeight); }},
    {"flank.formDiameter", true, [](const Run& r) { return band(r.flank().formDiameter); }},
    {"flank.undercut", true, [](const Run& r) { return band(r.flank().undercut); }},
    {"flank.baseDiameter", false,
     [](const Run& r) { return Values{Json(r.flank().baseDiameter)}; }},
    {"flank.rackDedendum", false,
     [](const Run& r) { return Values{Json(r.flank().rack.dedendum)}; }},
    {"flank.rackTipRadius", false,
     [](const Run& r) { return Values{Json(r.flank().rack.tipRadius)}; }},
}};

std::optional<Failure> blockFailure(const Inspection& result, const std::string& block) {
    const auto failure = [](const auto& v) {
        return v.hasValue() ? std::nullopt : std::optional<Failure>(v.failure());
    };
    return block == "span"      ? failure(result.span)
           : block == "ball"    ? failure(result.ball)
           : block == "chordal" ? failure(result.chordal)
                                : failure(result.flank);
}

}  // namespace

Json::json_pointer pointerTo(std::string dottedPath) {
    std::replace(dottedPath.begin(), dottedPath.end(), '.', '/');
    return Json::json_pointer("/" + dottedPath);
}

Json inspectionJson(const inspection::InspectionInput& input, const Inspection& result) {
    Json json = Json::object();
    Json absent = Json::object();
    const auto put = [&](const std::string& path, const Value& value) {
        const Failure* why = std::get_if<Failure>(&value);
        json[pointerTo(path)] = why ? Json() : std::get<Json>(value);
        if (why) {
            absent[path] = inspection::failureText(*why, Language::English);
        }
    };
    for (const Row& row : Rows) {
        const std::string path = row.path;
        const std::string block = path.substr(0, path.find('.'));
        if (const auto why = blockFailure(result, block)) {
            if (!json.contains(block)) {
                put(block, *why);
            }
            continue;
        }
        const Values values = row.values({input, result});
        // A band absent as a whole for one reason is null itself.
        if (row.band && std::holds_alternative<Failure>(values[0]) &&
            std::all_of(values.begin(), values.end(),
                        [&](const Value& v) { return v == values[0]; })) {
            put(path, values[0]);
            continue;
        }
        for (std::size_t i = 0; i < values.size(); ++i) {
            put(row.band ? path + "." + bandKey(BandValues[i]) : path, values[i]);
        }
    }
    json["absent"] = std::move(absent);
    return json;
}

void forEachValue(const std::function<void(const char* quantity, const std::string& path)>& cell) {
    for (const Row& row : Rows) {
        for (std::size_t i = 0; i < (row.band ? BandValues.size() : 1); ++i) {
            cell(row.path,
                 row.band ? std::string(row.path) + "." + bandKey(BandValues[i]) : row.path);
        }
    }
}

std::string valueText(const Json& inspection, const std::string& path, const NumberLocale& locale,
                      const std::string& missing) {
    const Json::json_pointer pointer = pointerTo(path);
    if (!inspection.contains(pointer) || inspection.at(pointer).is_null()) {
        return missing;
    }
    const Json& value = inspection.at(pointer);
    std::string text;
    for (const Json& item : value.is_array() ? value : Json::array({value})) {
        text += (text.empty() ? "" : " ") + item.dump();
    }
    return localized(std::move(text), locale);
}

std::string absentText(const Json& inspection, const std::string& separator) {
    std::string text;
    for (const auto& [path, why] : inspection["absent"].items()) {
        text += (text.empty() ? "" : separator) + path + ": " + why.get<std::string>();
    }
    return text;
}

}  // namespace tamrel::cli
