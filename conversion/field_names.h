#pragma once

#include <array>
#include <string>

namespace tamrel {

// Quantity index shared by the OptS buttons and the reference grid.
enum Quantity : int { Xn = 0, W = 1, M = 2, Sn = 3 };
inline constexpr int QuantityCount = 4;

namespace field {
inline constexpr const char* MN = "TextMN";
inline constexpr const char* PN = "TextPN";
inline constexpr const char* ZG = "TextZG";
inline constexpr const char* BOG = "TextBOG";
inline constexpr const char* ZMG = "TextZMG";
inline constexpr const char* DPG = "TextDPG";
inline constexpr const char* DKG = "TextDKG";
inline constexpr const char* DRG = "TextDRG";
inline constexpr const char* Error = "TextError";

// The reference row of quantity i: "TextS(i)", "TextS1(i)", "TextS2(i)".
inline std::string reference(int i) {
    return "TextS(" + std::to_string(i) + ")";
}
inline std::string upperTolerance(int i) {
    return "TextS1(" + std::to_string(i) + ")";
}
inline std::string lowerTolerance(int i) {
    return "TextS2(" + std::to_string(i) + ")";
}

// The result fields of quantity i: middle, from reference + upper, from reference + lower.
inline constexpr std::array<std::array<const char*, 3>, QuantityCount> results{{
    {"TextSXn", "TextSXn1", "TextSXn2"},
    {"TextSW", "TextSW1", "TextSW2"},
    {"TextSM", "TextSM1", "TextSM2"},
    {"TextSSn", "TextSSn1", "TextSSn2"},
}};
inline const char* middle(int i) {
    return results[i][0];
}
inline const char* maximum(int i) {
    return results[i][1];
}
inline const char* minimum(int i) {
    return results[i][2];
}
}  // namespace field

// The placeholder of a value that is not computed or not available.
inline constexpr const char* Placeholder = "---";

}  // namespace tamrel
