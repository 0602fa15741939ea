#pragma once

#include <gtest/gtest.h>

#include <string>

namespace tavlo::test {

// Names each case of a parameterised test after its `name` member, for
// INSTANTIATE_TEST_SUITE_P.
struct CaseName {
    template <typename Case>
    std::string operator()(const testing::TestParamInfo<Case>& info) const
    {
        return std::string(info.param.name);
    }
};

}  // namespace tavlo::test
