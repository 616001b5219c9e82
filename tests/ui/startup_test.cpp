#include "window_fixture.h"

#include "ui/captions.h"
#include "ui/field_style.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QTimer>

#include <cmath>
#include <map>
#include <random>

namespace tamrel::test {
namespace {

const char* const Hint0 = "节径时法向模数请输入负值。";
const char* const Hint3 =
    "如果您有任何意见和建议，请联系我 tamrel-support@users.noreply.example.org 。";

using StartupTest = WindowTest;

TEST_F(StartupTest, FieldsHoldTheirStartTextsAndColours) {
    // State: a window just started. Expected: every start value.
    const std::map<std::string, std::string> startTexts{
        {"TextMN", "3.175"},     {"TextPN", "20"},         {"TextZG", "59"},
        {"TextBOG", "15"},       {"TextZMG", "8"},         {"TextDPG", "5.5"},
        {"TextDKG", "200.2831"}, {"TextDRG", "185.9956"},  {"TextS(0)", "-0.1445"},
        {"TextS(1)", "72.8801"}, {"TextS(2)", "200.7889"}, {"TextS(3)", "4.6533"},
        {"TextS1(2)", "0"},      {"TextS2(3)", "0"},       {"TextSXn", "---"},
        {"TextSW1", "---"},      {"TextSM2", "---"},       {"TextSSn", "---"},
        {"TextError", Hint0}};
    for (const auto& [name, text] : startTexts) {
        EXPECT_EQ(lineEdit(name)->text().toStdString(), text) << name;
    }
    for (const char* name : {"TextMN", "TextPN", "TextZG", "TextBOG", "TextZMG", "TextDPG",
                             "TextDKG", "TextDRG", "TextS(1)", "TextS1(1)", "TextS2(1)"}) {
        EXPECT_EQ(textColor(*lineEdit(name)), QColor(255, 0, 0)) << name;
    }
    for (const char* name : {"TextS(0)", "TextS1(2)", "TextS2(3)", "TextError"}) {
        EXPECT_EQ(textColor(*lineEdit(name)), QColor(0, 0, 0)) << name;
    }
    EXPECT_EQ(lineEdit("TextDPG")->palette().color(QPalette::Base), QColor(255, 255, 255));
    EXPECT_EQ(lineEdit("TextError")->cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(lineEdit("TextS(2)")->cursorPosition(), 0);
}

TEST_F(StartupTest, OnlyTheWRowAndTheManualFieldsAreEditable) {
    for (int i = 0; i < 4; ++i) {
        for (const std::string& name :
             {field::reference(i), field::upperTolerance(i), field::lowerTolerance(i)}) {
            EXPECT_EQ(lineEdit(name)->isEnabled(), i == 1) << name;
        }
        for (const char* name : field::results[i]) {
            EXPECT_TRUE(lineEdit(name)->isReadOnly()) << name;
            EXPECT_TRUE(lineEdit(name)->isEnabled()) << name;
        }
    }
    EXPECT_TRUE(lineEdit("TextError")->isReadOnly());
    EXPECT_FALSE(lineEdit("TextDKG")->isEnabled());
    EXPECT_FALSE(lineEdit("TextDRG")->isEnabled());
    EXPECT_FALSE(lineEdit("TextMN")->isReadOnly());
}

TEST_F(StartupTest, ButtonsTimerFocusAndCaption) {
    EXPECT_TRUE(control<QRadioButton>("OptLan(0)")->isChecked());
    EXPECT_TRUE(control<QRadioButton>("OptS(1)")->isChecked());
    EXPECT_TRUE(control<QCheckBox>("Check1")->isChecked());
    EXPECT_TRUE(control<QCheckBox>("Check2")->isChecked());
    EXPECT_TRUE(control<QCheckBox>("Check2")->isEnabled());
    EXPECT_TRUE(control<QCheckBox>("Check3")->isChecked());
    auto* timer = control<QTimer>("TimerPicgear");
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 20);
    EXPECT_EQ(control<QGroupBox>("Frame1")->title(), "LANGUAGE");
    EXPECT_EQ(control<QPushButton>("ComGo")->text(), "==>");

    EXPECT_EQ(window_->windowTitle(), "Tamrel2.0                Email: "
                                      "tamrel-support@users.noreply.example.org");
    EXPECT_EQ(focusedName(), "TextMN");
    EXPECT_EQ(lineEdit("TextMN")->selectedText(), "3.175");
    // Typing replaces the whole value.
    press(Qt::Key_7);
    EXPECT_EQ(lineEdit("TextMN")->text(), "7");
}

TEST_F(StartupTest, ControlsSitAtFixedPixelsAndNothingResizes) {
    EXPECT_EQ(window_->size(), QSize(531, 527));
    EXPECT_EQ(window_->minimumSize(), window_->maximumSize());
    const std::map<QString, QRect> places{
        {"Frame2", {16, 8, 265, 113}},   {"TextMN", {80, 16, 49, 18}},
        {"Check2", {152, 88, 81, 17}},   {"TextDRG", {64, 64, 57, 18}},
        {"OptLan(2)", {8, 64, 81, 17}},  {"Label4(1)", {464, 128, 41, 17}},
        {"OptS(3)", {8, 216, 105, 17}},  {"TextS2(3)", {232, 216, 49, 18}},
        {"TextSXn", {328, 144, 65, 18}}, {"TextSSn2", {464, 216, 57, 18}},
        {"ComGo", {288, 144, 33, 89}},   {"TextError", {112, 240, 409, 18}},
        {"PicGEAR", {8, 264, 513, 257}},
    };
    for (const auto& [name, rect] : places) {
        EXPECT_EQ(control<QWidget>(name)->geometry(), rect) << name.toStdString();
    }
    window_->resize(800, 800);
    EXPECT_EQ(window_->size(), QSize(531, 527));
}

TEST_F(StartupTest, EveryFieldAndButtonHasAnAccessibleName) {
    EXPECT_EQ(lineEdit("TextS(1)")->accessibleName(), "W reference value");
    EXPECT_EQ(lineEdit("TextSSn1")->accessibleName(), "Sn result MAX");
    EXPECT_EQ(lineEdit("TextMN")->accessibleName(), "Normal module MN");
    for (QWidget* control : window_->findChildren<QWidget*>()) {
        if (qobject_cast<QLineEdit*>(control) || qobject_cast<QAbstractButton*>(control)) {
            EXPECT_FALSE(control->accessibleName().isEmpty())
                << control->objectName().toStdString();
        }
    }
}

TEST_F(StartupTest, ComputeConvertsTheStartValuesAtOnce) {
    // Action: press ==> without any input. Expected: W 72.8801 converted into every other measure.
    clickCompute();
    EXPECT_EQ(runs_, 1);
    EXPECT_EQ(lineEdit("TextError")->text(), "");
    for (const auto& row : field::results) {
        for (const char* name : row) {
            EXPECT_NE(lineEdit(name)->text(), "---") << name;
        }
    }
    EXPECT_TRUE(lineEdit("TextSXn")->text().startsWith("-0.144"))
        << lineEdit("TextSXn")->text().toStdString();
    EXPECT_EQ(lineEdit("TextSW")->text(), "72.8801");
    EXPECT_EQ(lineEdit("TextS(1)")->text(), "72.8801");
    // Long results show from their first digit.
    EXPECT_EQ(lineEdit("TextSXn")->cursorPosition(), 0);
    EXPECT_EQ(lineEdit("TextS(2)")->cursorPosition(), 0);
    EXPECT_NE(lineEdit("TextS(0)")->text(), "-0.1445");
}

struct HintCase {
    float random;
    int hint;
};

class StartupHintTest : public WindowTest, public ::testing::WithParamInterface<HintCase> {};

TEST_P(StartupHintTest, RandomNumberPicksTheHint) {
    startWindow([r = GetParam().random] { return r; });
    EXPECT_EQ(lineEdit("TextError")->text(), startupHint(GetParam().hint));
}

// A float generator may round up to exactly 1; a broken one may give NaN.
INSTANTIATE_TEST_SUITE_P(Boundaries, StartupHintTest,
                         ::testing::Values(HintCase{0.0F, 0}, HintCase{0.2499F, 0},
                                           HintCase{0.25F, 1}, HintCase{0.5F, 2},
                                           HintCase{0.75F, 3}, HintCase{0.99999994F, 3},
                                           HintCase{1.0F, 3}, HintCase{NAN, 0}));

TEST_F(StartupTest, ManyStartsShowEveryHint) {
    std::mt19937 engine(20240521);
    QSet<QString> seen;
    for (int start = 0; start < 40; ++start) {
        startWindow([&engine] { return std::uniform_real_distribution<float>(0, 1)(engine); });
        seen.insert(lineEdit("TextError")->text());
    }
    EXPECT_EQ(seen.size(), 4);
    EXPECT_TRUE(seen.contains(QString::fromUtf8(Hint3)));
}

}  // namespace
}  // namespace tamrel::test
