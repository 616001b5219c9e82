#pragma once

#include <array>
#include <cstddef>

namespace tamrel {

// The four values of a tolerance band: the reference, its middle, the reference plus the upper
// and plus the lower tolerance. MAX and MIN name the columns they fill; nothing is sorted.
enum class BandValue : std::size_t { Nominal, Mid, Max, Min };
inline constexpr std::array<BandValue, 4> BandValues{BandValue::Nominal, BandValue::Mid,
                                                     BandValue::Max, BandValue::Min};

// "nominal", "mid", "max", "min".
constexpr const char* bandKey(BandValue v) {
    constexpr std::array<const char*, 4> keys{"nominal", "mid", "max", "min"};
    return keys[static_cast<std::size_t>(v)];
}

template <typename T> struct Band {
    std::array<T, 4> values;

    static Band filled(const T& v) { return Band{{v, v, v, v}}; }

    T& operator[](BandValue v) { return values[static_cast<std::size_t>(v)]; }
    const T& operator[](BandValue v) const { return values[static_cast<std::size_t>(v)]; }
};

}  // namespace tamrel
