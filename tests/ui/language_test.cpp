#include "window_fixture.h"

#include "ui/captions.h"

#include <QGroupBox>

#include <map>

namespace tamrel::test {
namespace {

using LanguageTest = WindowTest;

const char* const Caption =
    "Tamrel2.0                Email: tamrel-support@users.noreply.example.org";

// clang-format off
const std::map<QString, std::array<const char*, LanguageCount>> Captions{
    {"Label1", {"法向模数", "MN", "モジュール"}}, {"Label2", {"法向压力角", "PN", "圧力角"}},
    {"Label34", {"齿数", "ZG", "歯数"}}, {"Label64", {"螺旋角", "BOG", "ネジレ角"}},
    {"Label18", {"跨齿枚数", "ZMG", "マタギ枚数"}}, {"Label20", {"量棒直径", "DPG", "ピン径"}},
    {"Label5(0)", {"齿厚区分", "Thickness", "歯厚区分"}}, {"Label3(0)", {"+公差", "+", "+公差"}},
    {"Label4(0)", {"-公差", "-", "-公差"}}, {"Label5(1)", {"中间值", "MID", "中間値"}},
    {"Label3(1)", {"最大值", "MAX", "最大値"}}, {"Label4(1)", {"最小值", "MIN", "最小値"}},
    {"OptS(0)", {"法向变位系数", "Xn", "転位係数"}}, {"OptS(1)", {"跨齿距", "SMG", "マタギ歯厚"}},
    {"OptS(2)", {"跨棒距", "DMG", "オーバピン径"}}, {"OptS(3)", {"法向圆弧齿厚", "SN", "円弧歯厚"}},
    {"Frame2", {"基本参数输入", "Input", "諸元入力"}}, {"Label6", {"齿顶圆径", "DKG", "外径"}},
    {"Label8", {"基准值", "Reference", "基準値"}}, {"Label7", {"齿根圆径", "DRG", "歯底径"}},
    {"Frame3", {"可选参数输入", "Optional", "Optional"}}, {"ComGo", {"==>", "==>", "==>"}},
    {"Check1", {"自动设定", "AUTO", "自動設定"}}, {"Check2", {"转动的齿轮", "Rotate", "回る歯車"}},
    {"Check3", {"绘制图形", "Draw", "図形を描く"}}, {"FormInput1", {Caption, Caption, Caption}},
    {"Frame1", {"LANGUAGE", "LANGUAGE", "LANGUAGE"}},
    {"OptLan(1)", {"English", "English", "English"}}};
// clang-format on

TEST_F(LanguageTest, EverySwitchSetsEveryCaptionAndNothingElse) {
    // State: start (Chinese), after a run, a message in TextError. Action: English, Japanese,
    // Chinese.
    clickButton("ComGo");
    window_->setText(Field::Error, "ERROR:MN was wrong!");
    std::map<QString, QString> before;
    for (const QLineEdit* edit : window_->findChildren<QLineEdit*>()) {
        before[edit->objectName()] = edit->text();
    }
    for (int step = 0; step <= LanguageCount; ++step) {
        const int language = step % LanguageCount;
        if (step > 0) {
            clickButton(QString("OptLan(%1)").arg(language));
        }
        for (const auto& [name, texts] : Captions) {
            const QObject* target =
                name == window_->objectName() ? window_.get() : control<QObject>(name);
            // Labels and buttons show their text, frames their title, the window its caption.
            const char* property = target == window_.get()                  ? "windowTitle"
                                   : qobject_cast<const QGroupBox*>(target) ? "title"
                                                                            : "text";
            EXPECT_EQ(target->property(property).toString(), QString::fromUtf8(texts[language]))
                << name.toStdString() << " in language " << language;
        }
    }
    // Expected: no field changed, TextError neither, and nothing was computed.
    for (const QLineEdit* edit : window_->findChildren<QLineEdit*>()) {
        EXPECT_EQ(edit->text(), before[edit->objectName()]) << edit->objectName().toStdString();
    }
    EXPECT_EQ(runs_, 1);
}

}  // namespace
}  // namespace tamrel::test
