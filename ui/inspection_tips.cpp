#include "ui/inspection_tips.h"

#include "conversion/number_format.h"
#include "inspection/failure_texts.h"
#include "ui/captions.h"

#include <QStringList>

namespace tamrel {

namespace {

using inspection::Failure;
using inspection::Outcome;

using Texts = LanguageTexts;

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
    Texts formDiameter{"渐开线起始圆直径（中间值）：%1 mm", "Form diameter (MID): %1 mm",
                       "インボリュート開始円直径（中間値）：%1 mm"};
    Texts undercut{"齿根有根切", "The flank is undercut", "歯元に切下げがあります"};
    Texts notUndercut{"齿根无根切", "The flank is not undercut", "歯元に切下げはありません"};
    Texts rack{"基本齿条：ISO 53 A（齿根高 1.25 m，齿顶圆角半径 0.38 m）",
               "Basic rack: ISO 53 A (dedendum 1.25 m, tip radius 0.38 m)",
               "基準ラック：ISO 53 A（歯元のたけ 1.25 m、歯先丸み半径 0.38 m）"};
};
const TipTexts tipTexts;

// A reason starts a line of the tooltip, so it starts with a capital.
QString reason(Failure failure, int language) {
    QString text =
        QString::fromUtf8(inspection::failureText(failure, static_cast<Language>(language)));
    text[0] = text[0].toUpper();
    return text;
}

QString number(double value, const NumberLocale& locale) {
    return QString::fromStdString(formatFixed(value, 4, locale));
}

// The smallest and largest value of a band, or the reason of its first absent value.
QString bandRange(const inspection::BandOutcome& band, const QString& pattern, int language,
                  const NumberLocale& locale, const QString& prefix = {}) {
    double low = 0;
    double high = 0;
    bool first = true;
    for (BandValue v : BandValues) {
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
    return textIn(measurable.value() ? tipTexts.measures : tipTexts.doesNotMeasure, language);
}

QString spanTip(const inspection::Inspection& result, const inspection::InspectionInput& input,
                int language, const NumberLocale& locale) {
    if (!result.span.hasValue()) {
        return reason(result.span.failure(), language);
    }
    const inspection::SpanInspection& span = result.span.value();
    QStringList lines;
    lines << (span.recommendedTeeth.hasValue()
                  ? textIn(tipTexts.recommendedSpan, language).arg(span.recommendedTeeth.value())
                  : reason(span.recommendedTeeth.failure(), language));
    if (input.teethSpanned) {
        lines << bandRange(span.contactDiameter, textIn(tipTexts.spanContact, language), language,
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
    lines << (ball.idealDiameter.hasValue() ? textIn(tipTexts.idealBall, language)
                                                  .arg(number(ball.idealDiameter.value(), locale))
                                            : reason(ball.idealDiameter.failure(), language));
    if (input.ballDiameter) {
        lines << bandRange(ball.contactDiameter, textIn(tipTexts.ballContact, language), language,
                           locale,
                           QString::fromStdString(formatPlain(*input.ballDiameter, locale)));
        lines << bandRange(ball.protrusion, textIn(tipTexts.protrusion, language), language,
                           locale);
        lines << verdict(ball.measurable, language);
    }
    return lines.join(QLatin1Char('\n'));
}

// Where the involute of the band's middle starts, whether the rack undercuts it, and the rack.
QString flankTip(const inspection::Inspection& result, int language, const NumberLocale& locale) {
    if (!result.flank.hasValue()) {
        return reason(result.flank.failure(), language);
    }
    const inspection::FlankInspection& flank = result.flank.value();
    const Outcome<double>& form = flank.formDiameter[BandValue::Mid];
    return QStringList{
        form.hasValue() ? textIn(tipTexts.formDiameter, language).arg(number(form.value(), locale))
                        : reason(form.failure(), language),
        textIn(flank.undercut[BandValue::Mid] ? tipTexts.undercut : tipTexts.notUndercut, language),
        textIn(tipTexts.rack, language)}
        .join(QLatin1Char('\n'));
}

}  // namespace

InspectionTips inspectionTips(const inspection::Inspection& result,
                              const inspection::InspectionInput& input, int language,
                              const NumberLocale& locale) {
    InspectionTips tips{spanTip(result, input, language, locale),
                        ballTip(result, input, language, locale),
                        flankTip(result, language, locale),
                        {}};
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
            textIn(tipTexts.chordal, language)
                .arg(number(c.thickness[v], locale), number(c.height[v], locale)) +
            QLatin1Char('\n') +
            textIn(tipTexts.constantChord, language)
                .arg(number(c.constantChord[v], locale), number(c.constantChordHeight[v], locale));
    }
    return tips;
}

}  // namespace tamrel
