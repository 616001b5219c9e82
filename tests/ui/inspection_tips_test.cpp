#include "window_fixture.h"

#include "inspection/run_inspection.h"

namespace tamrel::test {
namespace {

using inspection::BandValue;
using InspectionTipsTest = WindowTest;

// After a successful run TextZMG's tooltip gives the span, TextDPG's the ball and each Sn result's
// the chordal values of its own band value, in the interface language; a failed run clears them.
TEST_F(InspectionTipsTest, FollowTheRunAndTheLanguageAndGoWithAFailedRun) {
    window_->setText(upperTolerance(W), "0.05");
    window_->setText(lowerTolerance(W), "-0.05");
    clickButton("ComGo");
    const auto tip = [this](Field f) { return lineEdit(f)->toolTip(); };
    const auto input = inspection::inspectionInput(*window_, NumberLocale{});
    ASSERT_TRUE(input.has_value());
    const inspection::ChordalInspection chordal = inspection::inspect(*input).chordal.value();
    const std::pair<Field, BandValue> columns[] = {
        {middle(Sn), BandValue::Mid}, {maximum(Sn), BandValue::Max}, {minimum(Sn), BandValue::Min}};
    for (const auto& [field, value] : columns) {
        EXPECT_TRUE(tip(field).contains(QString::number(chordal.thickness[value], 'f', 4)))
            << tip(field).toStdString();
    }
    // Seven teeth spanned put the anvils' contact nearest the middle of the flank of 59 teeth; the
    // ideal ball is the one an independent search of the helicoid confirms.
    const char* const spans[] = {"推荐跨齿数：7", "Recommended span: 7 teeth", "推奨またぎ歯数：7"};
    const char* const chords[] = {"弦齿厚", "Chordal thickness", "弦歯厚"};
    for (int language : {1, 2, 0}) {
        clickButton(QString("OptLan(%1)").arg(language));
        EXPECT_TRUE(tip(Field::ZMG).startsWith(QString::fromUtf8(spans[language])));
        EXPECT_TRUE(tip(Field::DPG).contains(QStringLiteral("5.3122"))) << language;
        EXPECT_TRUE(tip(maximum(Sn)).contains(QString::fromUtf8(chords[language]))) << language;
    }
    window_->setText(Field::ZG, "x");
    clickButton("ComGo");
    for (Field f : {Field::ZMG, Field::DPG, middle(Sn), maximum(Sn), minimum(Sn)}) {
        EXPECT_EQ(tip(f), "") << f;
    }
}

}  // namespace
}  // namespace tamrel::test
