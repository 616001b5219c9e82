#pragma once

#include <array>
#include <string>

namespace tamrel::cli {

// Every field a compute run can write, in the order the window shows them: for Xn, W, M and Sn
// the reference row (value, upper, lower deviation) and the MID, MAX and MIN results, then the
// tip and root diameters and the message line.
inline constexpr std::size_t ResultFieldCount = 27;
const std::array<std::string, ResultFieldCount>& resultFields();

}  // namespace tamrel::cli
