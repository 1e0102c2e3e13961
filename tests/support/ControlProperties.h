#pragma once

#include "platform/ole/Control.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <utility>
#include <vector>

// Property access on a control under test, each call expected to succeed.

using PropertyValues = std::vector<std::pair<ole::DispId, ole::Variant>>;

inline ole::Variant get(ole::Control &control, ole::DispId id)
{
    ole::Variant value;
    EXPECT_EQ(control.getProperty(id, value), ole::S_OK) << id;
    return value;
}

inline void put(ole::Control &control, const PropertyValues &values)
{
    for (const auto &[id, value] : values)
        EXPECT_EQ(control.putProperty(id, value), ole::S_OK) << id;
}

inline std::vector<std::uint8_t> saved(ole::Control &control)
{
    std::vector<std::uint8_t> stream;
    EXPECT_EQ(control.save(stream), ole::S_OK);
    return stream;
}

// Each value raises error 380 and leaves every property as it was.
inline void expectRefused(ole::Control &control, const PropertyValues &refused)
{
    const auto before = saved(control);
    for (const auto &[id, value] : refused) {
        ole::ExcepInfo error;
        EXPECT_EQ(control.putProperty(id, value, &error), ole::DISP_E_EXCEPTION) << id;
        EXPECT_EQ(static_cast<std::uint32_t>(error.scode), 0x800A017Cu) << id; // 380
    }
    EXPECT_EQ(saved(control), before);
}
