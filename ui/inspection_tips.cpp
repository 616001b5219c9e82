#include "ui/inspection_tips.h"

#include "conversion/number_format.h"
#include "inspection/run_inspection.h"

#include <QStringList>

#include <cstdio>

namespace tamrel {

namespace {

using inspection::BandValue;
using inspection::Failure;
using inspection::Outcome;

// One text per language: Chinese, English, Japanese.
using Texts = std::array<const char*, 3>;

struct TipTexts {
    Texts recommendedSpan{"推荐跨齿数：%1", "Recommended span: %1 teeth", "推奨またぎ歯数：%1"};
    Texts spanContact{"跨测接触直径（k = %1）：%2 mm", "Contact diameter (k = %1): %2 mm",
                      "接触直径（k = %1）：%2 mm"};
    Texts idealBall{"理想量球直径：%1 mm", "Ideal ball diameter: %1 mm", "理想ボール径：%1 mm"};
    Texts ballContact{"接触直径（D = %1）：%2 mm", "Contact diameter (D = %1): %2 mm",
                      "接触直径（D = %1）：%2 mm"};
    Texts protrusion{"突出量：%1 mm", "Protrusion: %1 mm", "突出量：%1 mm"};
    Texts measures{"可以测量", "Measures on the involute", "測定可能"};
    Texts doesNotMeasure{"不能测量", "Does not measure on the involute", "測定不可"};
    Texts chordal{"弦齿厚：%1 mm，弦齿高：%2 mm", "Chordal thickness %1 mm at height %2 mm",
                  "弦歯厚：%1 mm、弦歯たけ：%2 mm"};
    Texts constantChord{"固定弦齿厚：%1 mm，高：%2 mm", "Constant chord %1 mm at height %2 mm",
                        "定弦歯厚：%1 mm、歯たけ：%2 mm"};
};
const TipTexts tipTexts;

// Why a value is absent, per Failure, in Chinese and Japanese; English comes from the engine.
const std::array<std::array<const char*, 2>, 10> failureTexts{{
    {"齿轮数据无法使用", "歯車データが使えません"},
    {"齿顶圆或齿根圆直径无法使用", "歯先円または歯底円直径が使えません"},
    {"仅适用于外齿轮", "外歯車にのみ適用されます"},
    {"跨齿数无效", "またぎ歯数が無効です"},
    {"没有量球直径", "ボール径がありません"},
    {"量球在基圆外无法放置", "ボールが基礎円の外に置けません"},
    {"接触点在基圆内", "接触点が基礎円の内側です"},
    {"齿数太少", "歯数が少なすぎます"},
    {"齿根有根切", "歯元に切り下げがあります"},
    {"计算失败", "計算できません"},
}};

QString text(const Texts& texts, int language) {
    return QString::fromUtf8(texts[static_cast<std::size_t>(language)]);
}

QString reason(Failure failure, int language) {
    constexpr int English = 1;
    if (language == English) {
        QString english = QString::fromUtf8(inspection::failureText(failure));
        english[0] = english[0].toUpper();
        return english;
    }
    return QString::fromUtf8(failureTexts[static_cast<std::size_t>(failure)][language / 2]);
}

QString number(double value, const NumberLocale& locale) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.4f", value);
    QString result = QString::fromLatin1(buffer);
    return result.replace(QLatin1Char('.'), QString::fromStdString(locale.decimalSeparator));
}

// The smallest and largest value of a band, or the reason of its first absent value.
QString bandRange(const inspection::BandOutcome& band, const QString& pattern, int language,
                  const NumberLocale& locale, const QString& prefix = {}) {
    double low = 0;
    double high = 0;
    bool first = true;
    for (BandValue v : inspection::bandValues) {
        if (!band[v].hasValue()) {
            return reason(band[v].failure(), language);
        }
        const double x = band[v].value();
        low = first || x < low ? x : low;
        high = first || x > high ? x : high;
        first = false;
    }
    // One value where the band has no spread.
    const QString range = low == high
                              ? number(low, locale)
                              : number(low, locale) + QStringLiteral(" – ") + number(high, locale);
    return prefix.isEmpty() ? pattern.arg(range) : pattern.arg(prefix, range);
}

QString verdict(const Outcome<bool>& measurable, int language) {
    if (!measurable.hasValue()) {
        return reason(measurable.failure(), language);
    }
    return text(measurable.value() ? tipTexts.measures : tipTexts.doesNotMeasure, language);
}

QString spanTip(const inspection::Inspection& result, const inspection::InspectionInput& input,
                int language, const NumberLocale& locale) {
    if (!result.span.hasValue()) {
        return reason(result.span.failure(), language);
    }
    const inspection::SpanInspection& span = result.span.value();
    QStringList lines;
    lines << (span.recommendedTeeth.hasValue()
                  ? text(tipTexts.recommendedSpan, language).arg(span.recommendedTeeth.value())
                  : reason(span.recommendedTeeth.failure(), language));
    if (input.teethSpanned) {
        lines << bandRange(span.contactDiameter, text(tipTexts.spanContact, language), language,
                           locale, QString::number(*input.teethSpanned));
        lines << verdict(span.measurable, language);
    }
    return lines.join(QLatin1Char('\n'));
}

QString ballTip(const inspection::Inspection& result, const inspection::InspectionInput& input,
                int language, const NumberLocale& locale) {
    if (!result.ball.hasValue()) {
        return reason(result.ball.failure(), language);
    }
    const inspection::BallInspection& ball = result.ball.value();
    QStringList lines;
    lines
        << (ball.idealDiameter.hasValue()
                ? text(tipTexts.idealBall, language).arg(number(ball.idealDiameter.value(), locale))
                : reason(ball.idealDiameter.failure(), language));
    if (input.ballDiameter) {
        lines << bandRange(ball.contactDiameter, text(tipTexts.ballContact, language), language,
                           locale,
                           QString::fromStdString(formatPlain(*input.ballDiameter, locale)));
        lines << bandRange(ball.protrusion, text(tipTexts.protrusion, language), language, locale);
        lines << verdict(ball.measurable, language);
    }
    return lines.join(QLatin1Char('\n'));
}

}  // namespace

InspectionTips inspectionTips(const inspection::Inspection& result,
                              const inspection::InspectionInput& input, int language,
                              const NumberLocale& locale) {
    InspectionTips tips{
        spanTip(result, input, language, locale), ballTip(result, input, language, locale), {}};
    // The Sn result fields hold the middle, maximum and minimum of the band.
    const std::array<BandValue, 3> columns{BandValue::Mid, BandValue::Max, BandValue::Min};
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (!result.chordal.hasValue()) {
            tips.thickness[i] = reason(result.chordal.failure(), language);
            continue;
        }
        const inspection::ChordalInspection& c = result.chordal.value();
        const BandValue v = columns[i];
        tips.thickness[i] =
            text(tipTexts.chordal, language)
                .arg(number(c.thickness[v], locale), number(c.height[v], locale)) +
            QLatin1Char('\n') +
            text(tipTexts.constantChord, language)
                .arg(number(c.constantChord[v], locale), number(c.constantChordHeight[v], locale));
    }
    return tips;
}

}  // namespace tamrel
