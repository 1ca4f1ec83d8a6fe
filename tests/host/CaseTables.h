// What the table-driven geometry tests share: the extreme 32-bit values their cases reach for,
// and test names taken from the cases' own names.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

const int32_t MAX32 = std::numeric_limits<int32_t>::max();
const int32_t MIN32 = std::numeric_limits<int32_t>::min();

// Names each instance of a parameterised test after its case.
template <typename Case> std::string CaseName(const testing::TestParamInfo<Case>& info) {
    return info.param.name;
}
