#include "window_fixture.h"

#include "ui/captions.h"
#include "ui/field_style.h"

#include <QSet>

#include <cmath>
#include <map>
#include <random>
#include <vector>

namespace tamrel::test {
namespace {

using StartupTest = WindowTest;

TEST_F(StartupTest, StartStateAndAConversionOfTheStartValuesAtOnce) {
    const std::map<std::string, std::string> startTexts{
        {"TextMN", "3.175"},     {"TextPN", "20"},         {"TextZG", "59"},
        {"TextBOG", "15"},       {"TextZMG", "8"},         {"TextDPG", "5.5"},
        {"TextDKG", "200.2831"}, {"TextDRG", "185.9956"},  {"TextS(0)", "-0.1445"},
        {"TextS(1)", "72.8801"}, {"TextS(2)", "200.7889"}, {"TextS(3)", "4.6533"},
        {"TextS1(1)", "0"},      {"TextS1(2)", "0"},       {"TextSSn2", "---"}};
    // Red: the gear data and the W row; black: the other rows and the results.
    for (const auto& [name, text] : startTexts) {
        EXPECT_EQ(lineEdit(name)->text().toStdString(), text) << name;
        const bool red = name.find("TextS") != 0 || name.find("(1)") != std::string::npos;
        EXPECT_EQ(textColor(*lineEdit(name)), red ? FieldRed : FieldBlack) << name;
    }
    EXPECT_EQ(lineEdit("TextError")->text(), "节径时法向模数请输入负值。");
    // Only the W row and the gear data are editable; results and TextError are read-only.
    for (Quantity i : Quantities) {
        for (Field f : {reference(i), upperTolerance(i), lowerTolerance(i)}) {
            EXPECT_EQ(lineEdit(f)->isEnabled(), i == W) << f;
        }
        EXPECT_TRUE(lineEdit(minimum(i))->isReadOnly());
    }
    EXPECT_TRUE(lineEdit("TextError")->isReadOnly() && !lineEdit("TextMN")->isReadOnly());
    EXPECT_FALSE(lineEdit("TextDKG")->isEnabled() || lineEdit("TextDRG")->isEnabled());
    for (const char* name : {"OptLan(0)", "OptS(1)", "Check1", "Check2", "Check3"}) {
        EXPECT_TRUE(control<QAbstractButton>(name)->isChecked()) << name;
    }
    EXPECT_TRUE(control<QAbstractButton>("Check2")->isEnabled());
    EXPECT_TRUE(control<QTimer>("TimerPicgear")->isActive());
    EXPECT_EQ(window_->windowTitle(),
              "Tamrel2.0                Email: tamrel-support@users.noreply.example.org");
    EXPECT_EQ(focusedName(), "TextMN");
    EXPECT_EQ(lineEdit("TextMN")->selectedText(), "3.175");

    // Action: ==> at once. Expected: W 72.8801 converted into every other measure.
    clickButton("ComGo");
    EXPECT_EQ(lineEdit("TextError")->text(), "");
    for (Quantity q : Quantities) {
        for (Field f : {middle(q), maximum(q), minimum(q)}) {
            EXPECT_NE(lineEdit(f)->text(), "---") << f;
        }
    }
    EXPECT_EQ(lineEdit("TextSW")->text(), "72.8801");
    EXPECT_EQ(lineEdit("TextSXn")->cursorPosition(), 0);  // long results show their first digit
}

TEST_F(StartupTest, RandomNumberPicksTheHint) {
    // A float generator may round up to exactly 1; a broken one may give NaN.
    for (const auto& [random, hint] :
         std::vector<std::pair<float, int>>{{0.2499F, 0}, {1.0F, 3}, {NAN, 0}}) {
        startWindow([r = random] { return r; });
        EXPECT_EQ(lineEdit("TextError")->text(), startupHint(hint)) << random;
    }
    std::mt19937 engine(20240521);
    QSet<QString> seen;
    for (int start = 0; start < 40; ++start) {
        startWindow([&engine] { return std::uniform_real_distribution<float>(0, 1)(engine); });
        seen.insert(lineEdit("TextError")->text());
    }
    EXPECT_EQ(seen.size(), 4);
    EXPECT_TRUE(seen.contains(
        "如果您有任何意见和建议，请联系我 tamrel-support@users.noreply.example.org 。"));
}

}  // namespace
}  // namespace tamrel::test
