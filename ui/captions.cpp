#include "ui/captions.h"

#include "tamrel_version.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QWidget>

#include <array>

namespace tamrel {

namespace {

// One language-dependent caption: the control's object name and its text in each language.
struct CaptionRow {
    const char* control;
    std::array<const char*, LanguageCount> texts;
};

// The captions in the order they are applied; the window's own caption is the row of
// "FormInput1".
// clang-format off
constexpr std::array<CaptionRow, 25> captions{{
    {"Label1", {"法向模数", "MN", "モジュール"}},
    {"Label2", {"法向压力角", "PN", "圧力角"}},
    {"Label34", {"齿数", "ZG", "歯数"}},
    {"Label64", {"螺旋角", "BOG", "ネジレ角"}},
    {"Label18", {"跨齿枚数", "ZMG", "マタギ枚数"}},
    {"Label20", {"量棒直径", "DPG", "ピン径"}},
    {"Label5(0)", {"齿厚区分", "Thickness", "歯厚区分"}},
    {"Label3(0)", {"+公差", "+", "+公差"}},
    {"Label4(0)", {"-公差", "-", "-公差"}},
    {"Label5(1)", {"中间值", "MID", "中間値"}},
    {"Label3(1)", {"最大值", "MAX", "最大値"}},
    {"Label4(1)", {"最小值", "MIN", "最小値"}},
    {"OptS(0)", {"法向变位系数", "Xn", "転位係数"}},
    {"OptS(1)", {"跨齿距", "SMG", "マタギ歯厚"}},
    {"OptS(2)", {"跨棒距", "DMG", "オーバピン径"}},
    {"OptS(3)", {"法向圆弧齿厚", "SN", "円弧歯厚"}},
    {"Frame2", {"基本参数输入", "Input", "諸元入力"}},
    {"Label8", {"基准值", "Reference", "基準値"}},
    {"Label6", {"齿顶圆径", "DKG", "外径"}},
    {"Label7", {"齿根圆径", "DRG", "歯底径"}},
    {"Frame3", {"可选参数输入", "Optional", "Optional"}},
    {"Check1", {"自动设定", "AUTO", "自動設定"}},
    {"FormInput1", {"", "", ""}},
    {"Check2", {"转动的齿轮", "Rotate", "回る歯車"}},
    {"Check3", {"绘制图形", "Draw", "図形を描く"}},
}};

// Hints 0 to 2; hint 3 carries the contact address.
constexpr std::array<const char*, 3> fixedHints{{
    "节径时法向模数请输入负值。",
    "内齿轮时齿数请输入负值。",
    "拖动鼠标左键平移图像，拖动鼠标右键放缩图像。",
}};

// The tooltip of the picture PicGEAR: how to pan, zoom and fit.
constexpr std::array<const char*, LanguageCount> pictureTips{{
    "拖动鼠标左键平移图像；拖动鼠标右键或转动滚轮放缩图像；双击恢复原来的大小。",
    "Drag with the left button to pan; drag with the right button or turn the wheel to zoom; "
    "double-click to fit the gear again.",
    "左ボタンのドラッグで移動、右ボタンのドラッグまたはホイールで拡大縮小、ダブルクリックで元の大きさに戻します。",
}};
// clang-format on

void setCaption(QWidget& control, const QString& text) {
    if (auto* label = qobject_cast<QLabel*>(&control)) {
        label->setText(text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(&control)) {
        button->setText(text);
    } else if (auto* frame = qobject_cast<QGroupBox*>(&control)) {
        frame->setTitle(text);
    }
}

}  // namespace

QString windowCaption() {
    return QStringLiteral("Tamrel" TAMREL_VERSION_SHORT) + QString(16, QLatin1Char(' ')) +
           QStringLiteral("Email: ") + QLatin1String(ContactAddress);
}

QString startupHint(int index) {
    if (index < 0 || index >= StartupHintCount) {
        return {};
    }
    if (index < static_cast<int>(fixedHints.size())) {
        return QString::fromUtf8(fixedHints[index]);
    }
    return QStringLiteral("如果您有任何意见和建议，请联系我") + QLatin1Char(' ') +
           QLatin1String(ContactAddress) + QLatin1Char(' ') + QStringLiteral("。");
}

void ApplyLanguage(QWidget& window, int index) {
    if (index < 0 || index >= LanguageCount) {
        return;
    }
    for (const CaptionRow& row : captions) {
        const QString name = QString::fromUtf8(row.control);
        if (name == window.objectName()) {
            window.setWindowTitle(windowCaption());
        } else if (auto* control = window.findChild<QWidget*>(name)) {
            setCaption(*control, QString::fromUtf8(row.texts[index]));
        }
    }
    if (auto* picture = window.findChild<QWidget*>(QStringLiteral("PicGEAR"))) {
        picture->setToolTip(QString::fromUtf8(pictureTips[index]));
    }
}

}  // namespace tamrel
