#include "window_fixture.h"

#include "ui/captions.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QTest>

#include <map>

namespace tamrel::test {
namespace {

struct CaptionCase {
    const char* control;
    const char* chinese;
    const char* english;
    const char* japanese;
};

void PrintTo(const CaptionCase& c, std::ostream* os) {
    *os << c.control;
}

QString captionOf(QWidget* control) {
    if (auto* label = qobject_cast<QLabel*>(control)) {
        return label->text();
    }
    if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        return button->text();
    }
    if (auto* frame = qobject_cast<QGroupBox*>(control)) {
        return frame->title();
    }
    return control->windowTitle();
}

class LanguageTest : public WindowTest {
protected:
    void chooseLanguage(int index) {
        QTest::mouseClick(control<QRadioButton>(QString("OptLan(%1)").arg(index)), Qt::LeftButton,
                          {}, QPoint(6, 8));
        settle();
    }
};

class CaptionTest : public LanguageTest, public ::testing::WithParamInterface<CaptionCase> {};

TEST_P(CaptionTest, ShowsTheLanguageChosen) {
    // State: start (Chinese). Action: choose English, Japanese, Chinese in turn.
    const QString name = QString::fromUtf8(GetParam().control);
    QWidget* target = name == window_->objectName() ? window_.get() : control<QWidget>(name);
    EXPECT_EQ(captionOf(target), QString::fromUtf8(GetParam().chinese));
    chooseLanguage(English);
    EXPECT_EQ(captionOf(target), QString::fromUtf8(GetParam().english));
    chooseLanguage(Japanese);
    EXPECT_EQ(captionOf(target), QString::fromUtf8(GetParam().japanese));
    chooseLanguage(Chinese);
    EXPECT_EQ(captionOf(target), QString::fromUtf8(GetParam().chinese));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(AllCaptions, CaptionTest, ::testing::Values(
    CaptionCase{"Label1", "法向模数", "MN", "モジュール"},
    CaptionCase{"Label2", "法向压力角", "PN", "圧力角"},
    CaptionCase{"Label34", "齿数", "ZG", "歯数"},
    CaptionCase{"Label64", "螺旋角", "BOG", "ネジレ角"},
    CaptionCase{"Label18", "跨齿枚数", "ZMG", "マタギ枚数"},
    CaptionCase{"Label20", "量棒直径", "DPG", "ピン径"},
    CaptionCase{"Label5(0)", "齿厚区分", "Thickness", "歯厚区分"},
    CaptionCase{"Label3(0)", "+公差", "+", "+公差"},
    CaptionCase{"Label4(0)", "-公差", "-", "-公差"},
    CaptionCase{"Label5(1)", "中间值", "MID", "中間値"},
    CaptionCase{"Label3(1)", "最大值", "MAX", "最大値"},
    CaptionCase{"Label4(1)", "最小值", "MIN", "最小値"},
    CaptionCase{"OptS(0)", "法向变位系数", "Xn", "転位係数"},
    CaptionCase{"OptS(1)", "跨齿距", "SMG", "マタギ歯厚"},
    CaptionCase{"OptS(2)", "跨棒距", "DMG", "オーバピン径"},
    CaptionCase{"OptS(3)", "法向圆弧齿厚", "SN", "円弧歯厚"},
    CaptionCase{"Frame2", "基本参数输入", "Input", "諸元入力"},
    CaptionCase{"Label8", "基准值", "Reference", "基準値"},
    CaptionCase{"Label6", "齿顶圆径", "DKG", "外径"},
    CaptionCase{"Label7", "齿根圆径", "DRG", "歯底径"},
    CaptionCase{"Frame3", "可选参数输入", "Optional", "Optional"},
    CaptionCase{"Check1", "自动设定", "AUTO", "自動設定"},
    CaptionCase{"Check2", "转动的齿轮", "Rotate", "回る歯車"},
    CaptionCase{"Check3", "绘制图形", "Draw", "図形を描く"},
    CaptionCase{"Frame1", "LANGUAGE", "LANGUAGE", "LANGUAGE"},
    CaptionCase{"OptLan(1)", "English", "English", "English"},
    CaptionCase{"ComGo", "==>", "==>", "==>"},
    CaptionCase{"FormInput1", "Tamrel2.0                Email: tamrel-support@users.noreply.example.org",
                              "Tamrel2.0                Email: tamrel-support@users.noreply.example.org",
                              "Tamrel2.0                Email: tamrel-support@users.noreply.example.org"}));
// clang-format on

std::map<QString, QString> fieldTexts(const QWidget& window) {
    std::map<QString, QString> texts;
    for (const QLineEdit* edit : window.findChildren<QLineEdit*>()) {
        texts[edit->objectName()] = edit->text();
    }
    return texts;
}

TEST_F(LanguageTest, SwitchingTouchesNoFieldAndComputesNothing) {
    const auto atStart = fieldTexts(*window_);
    chooseLanguage(English);
    chooseLanguage(Japanese);
    EXPECT_EQ(fieldTexts(*window_), atStart);

    clickCompute();
    window_->setText(field::Error, "ERROR:MN was wrong!");
    const auto afterRun = fieldTexts(*window_);
    chooseLanguage(Chinese);
    chooseLanguage(English);
    EXPECT_EQ(fieldTexts(*window_), afterRun);
    EXPECT_EQ(runs_, 1);
    EXPECT_TRUE(control<QRadioButton>("OptS(1)")->isChecked());
}

TEST_F(LanguageTest, IndexOutsideTheTableChangesNothing) {
    chooseLanguage(Japanese);
    ApplyLanguage(*window_, 3);
    ApplyLanguage(*window_, -1);
    EXPECT_EQ(control<QLabel>("Label1")->text(), "モジュール");
    EXPECT_EQ(window_->windowTitle(), windowCaption());
}

}  // namespace
}  // namespace tamrel::test
