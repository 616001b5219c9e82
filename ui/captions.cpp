#include "ui/captions.h"

#include "tamrel_version.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QWidget>

#include <array>
#include <string_view>

namespace tamrel {

namespace {

// One language-dependent caption: the control's object name and its text in each language.
struct CaptionRow {
    const char* control;
    LanguageTexts texts;
};

// The captions in the order they are applied; a window's own caption is the row of its name, the
// main window's the program's caption.
// clang-format off
constexpr std::array<CaptionRow, 41> captions{{
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
    // The dialog that identifies a gear in hand.
    {"IdentifyDialog", {"识别齿轮", "Identify gear", "歯車の特定"}},
    {"LabelTeeth", {"齿数", "Teeth", "歯数"}},
    {"LabelSpanCount", {"跨齿枚数 k", "Teeth spanned k", "マタギ枚数 k"}},
    {"LabelSpan0", {"跨齿距 W(k)", "W over k", "マタギ歯厚 W(k)"}},
    {"LabelSpan1", {"跨齿距 W(k+1)", "W over k+1", "マタギ歯厚 W(k+1)"}},
    {"LabelSpan2", {"跨齿距 W(k+2)（可选）", "W over k+2 (optional)", "マタギ歯厚 W(k+2)（任意）"}},
    {"LabelTip", {"齿顶圆径", "Tip diameter", "外径"}},
    {"LabelRoot", {"齿根圆径（可选）", "Root diameter (optional)", "歯底径（任意）"}},
    {"OptSpur", {"直齿轮", "Spur gear", "平歯車"}},
    {"OptHelical", {"斜齿轮，大约螺旋角（空：未知）", "Helical, rough angle (empty: unknown)",
                    "はすば歯車、おおよそのネジレ角（空欄：不明）"}},
    {"LabelBall", {"量棒直径（可选）", "Ball diameter (optional)", "ピン径（任意）"}},
    {"LabelOverBalls", {"跨棒距 M", "Dimension over balls M", "オーバピン径 M"}},
    {"ComIdentify", {"识别", "Identify", "特定"}},
    {"ComUse", {"使用", "Use", "使用"}},
    {"ComClose", {"关闭", "Close", "閉じる"}},
    {"FrameHelix", {"螺旋角", "Helix angle", "ネジレ角"}},
}};

// Hints 0 to 2; hint 3 carries the contact address.
constexpr std::array<const char*, 3> fixedHints{{
    "节径时法向模数请输入负值。",
    "内齿轮时齿数请输入负值。",
    "拖动鼠标左键平移图像，拖动鼠标右键放缩图像。",
}};

// The tooltip of the picture PicGEAR: how to pan, zoom and fit.
constexpr LanguageTexts pictureTips{{
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

QString captionOf(const char* control, int language) {
    for (const CaptionRow& row : captions) {
        if (std::string_view(row.control) == control) {
            return textIn(row.texts, language);
        }
    }
    return {};
}

void ApplyLanguage(QWidget& window, int index) {
    if (index < 0 || index >= LanguageCount) {
        return;
    }
    for (const CaptionRow& row : captions) {
        const QString name = QString::fromUtf8(row.control);
        const QString text = textIn(row.texts, index);
        if (name == window.objectName()) {
            window.setWindowTitle(text.isEmpty() ? windowCaption() : text);
        } else if (auto* control = window.findChild<QWidget*>(name)) {
            setCaption(*control, text);
        }
    }
    if (auto* picture = window.findChild<QWidget*>(QStringLiteral("PicGEAR"))) {
        picture->setToolTip(textIn(pictureTips, index));
    }
}

}  // namespace tamrel
