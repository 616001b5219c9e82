#include "identification/identification.h"

#include <array>

namespace tamrel::identification {

namespace {

using Texts = std::array<const char*, 3>;  // Chinese, English, Japanese

// A switch, so that the compiler names an outcome without its texts.
Texts textsOf(Outcome outcome) {
    switch (outcome) {
    case Outcome::Identified:
        break;
    case Outcome::NothingFits:
        return {"没有标准齿轮符合所有测量值；下面是最接近的",
                "no standard gear fits every measurement; the nearest follow",
                "すべての測定値に合う標準歯車はありません。最も近いものを示します"};
    case Outcome::NoStandardBasePitch:
        return {"没有标准模数或径节与标准压力角符合这些跨齿距的基节",
                "no standard module or diametral pitch with a standard pressure angle fits the "
                "base pitch of the spans",
                "マタギ歯厚の法線ピッチに合う標準モジュール・DPと標準圧力角の組はありません"};
    case Outcome::TeethOutOfRange:
        return {"齿数必须是 1 到 32767 的整数",
                "the number of teeth must be a whole number from 1 to 32767",
                "歯数は 1 から 32767 までの整数にしてください"};
    case Outcome::SpanCount:
        return {"请输入两个或三个跨齿距", "give two or three spans",
                "マタギ歯厚を二つか三つ入力してください"};
    case Outcome::SpansNotConsecutive:
        return {"跨齿距必须跨连续的齿数",
                "the spans must be over consecutive numbers of teeth, such as 3, 4 and 5",
                "マタギ歯厚は連続する枚数で測ってください"};
    case Outcome::SpannedTeethOutOfRange:
        return {"跨齿枚数必须至少为 1 且小于齿数",
                "the numbers of teeth spanned must be at least 1 and below the number of teeth",
                "マタギ枚数は 1 以上、歯数未満にしてください"};
    case Outcome::SpanNotALength:
        return {"跨齿距必须大于 0 且小于 1000000 mm",
                "every span must be a length above 0 and below 1000000 mm",
                "マタギ歯厚は 0 より大きく 1000000 mm 未満にしてください"};
    case Outcome::SpansNotIncreasing:
        return {"每个跨齿距必须大于少跨一齿的跨齿距",
                "each span must be longer than the span over one tooth fewer",
                "マタギ歯厚は一枚少ないマタギ歯厚より長くしてください"};
    case Outcome::TipNotALength:
        return {"齿顶圆径必须大于 0 且小于 1000000 mm",
                "the tip diameter must be a length above 0 and below 1000000 mm",
                "外径は 0 より大きく 1000000 mm 未満にしてください"};
    case Outcome::TipNotAboveSpans:
        return {"齿顶圆径必须大于每个跨齿距", "the tip diameter must be larger than every span",
                "外径はどのマタギ歯厚よりも大きくしてください"};
    case Outcome::RootNotBelowTip:
        return {"齿根圆径必须大于 0 且小于齿顶圆径",
                "the root diameter must be above 0 and below the tip diameter",
                "歯底径は 0 より大きく外径より小さくしてください"};
    case Outcome::HelixOutOfRange:
        return {"螺旋角必须在 0 到 45 度之间", "the helix angle must be from 0 to 45 degrees",
                "ネジレ角は 0 から 45 度までにしてください"};
    case Outcome::BallNotUsable:
        return {"量棒直径和跨棒距必须大于 0 且小于 1000000 mm，跨棒距较大",
                "the ball diameter and the dimension over balls must be lengths above 0 and below "
                "1000000 mm, the dimension the larger",
                "ピン径とオーバピン径は 0 より大きく 1000000 mm "
                "未満、オーバピン径の方を大きくしてください"};
    case Outcome::ToleranceOutOfRange:
        return {"公差必须在 0.000001 到 1 mm 之间", "the tolerances must be from 0.000001 to 1 mm",
                "公差は 0.000001 から 1 mm までにしてください"};
    }
    return {"", "", ""};
}

}  // namespace

const char* messageOf(Outcome outcome, Language language) {
    return textsOf(outcome)[static_cast<std::size_t>(language)];
}

}  // namespace tamrel::identification
