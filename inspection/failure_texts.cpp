#include "inspection/failure_texts.h"

#include <array>

namespace tamrel::inspection {

namespace {

using Texts = std::array<const char*, 3>;  // Chinese, English, Japanese

// A switch, so that the compiler names a failure without its texts.
Texts textsOf(Failure failure) {
    switch (failure) {
    case Failure::InvalidGear:
        return {"齿轮数据无法使用", "the gear data or the band are unusable",
                "歯車データが使えません"};
    case Failure::InvalidDiameters:
        return {"齿顶圆或齿根圆直径无法使用", "the tip or root diameter is not a positive number",
                "歯先円または歯底円直径が使えません"};
    case Failure::InternalGear:
        return {"仅适用于外齿轮", "only for external gears", "外歯車にのみ適用されます"};
    case Failure::NoTeethSpanned:
        return {"跨齿数无效", "no number of teeth spanned from 1 to the number of teeth less one",
                "またぎ歯数が無効です"};
    case Failure::NoBallDiameter:
        return {"没有量球直径", "no ball or pin diameter", "ボール径がありません"};
    case Failure::NoBallPosition:
        return {"量球在基圆外无法放置", "the ball has no position outside the base circle",
                "ボールが基礎円の外に置けません"};
    case Failure::ContactBelowBaseCircle:
        return {"接触点在基圆内", "the contact lies inside the base circle",
                "接触点が基礎円の内側です"};
    case Failure::TooFewTeeth:
        return {"齿数太少", "too few teeth to span", "歯数が少なすぎます"};
    case Failure::NoUsableFlank:
        return {"成形圆已到齿顶圆：没有可用的齿廓",
                "the form circle reaches the tip: no usable flank",
                "有効歯形円が歯先円に達しています：使える歯面がありません"};
    case Failure::CalculationFailed:
        break;
    }
    return {"计算失败", "the calculation failed", "計算できません"};
}

}  // namespace

const char* failureText(Failure failure, Language language) {
    return textsOf(failure)[static_cast<std::size_t>(language)];
}

}  // namespace tamrel::inspection
