#pragma once

#include "platform/ole/Control.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <utility>
#include <vector>

// Each value put to its property raises error 380 (invalid property value), and the control
// saves the same stream as before: every property is as it was.
inline void expectRefused(ole::Control &control,
                          const std::vector<std::pair<ole::DispId, ole::Variant>> &refused)
{
    const auto saved = [&control] {
        std::vector<std::uint8_t> stream;
        EXPECT_EQ(control.save(stream), ole::S_OK);
        return stream;
    };
    const auto before = saved();
    for (const auto &[id, value] : refused) {
        ole::ExcepInfo error;
        EXPECT_EQ(control.putProperty(id, value, &error), ole::DISP_E_EXCEPTION) << id;
        EXPECT_EQ(static_cast<std::uint32_t>(error.scode), 0x800A017Cu) << id;
    }
    EXPECT_EQ(saved(), before);
}
