#include "platform/ole/Variant.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

using ole::Variant;

TEST(Variant, EmptyConvertsToZeroFalseAndEmptyText)
{
    const Variant empty;
    EXPECT_EQ(ole::toBool(empty), false);
    EXPECT_EQ(ole::toShort(empty), 0);
    EXPECT_EQ(ole::toLong(empty), 0);
    EXPECT_EQ(ole::toFloat(empty), 0.0f);
    EXPECT_EQ(ole::toCurrency(empty), ole::Currency{0});
    EXPECT_EQ(ole::toString(empty), "");
    EXPECT_EQ(ole::toDispatch(empty), ole::DispatchPtr());
}

TEST(Variant, NumbersConvertWhenTheyFit)
{
    EXPECT_EQ(ole::toShort(Variant(std::int32_t{-32768})), -32768);
    EXPECT_EQ(ole::toShort(Variant(std::int32_t{32767})), 32767);
    EXPECT_FALSE(ole::toShort(Variant(std::int32_t{32768})));
    EXPECT_FALSE(ole::toShort(Variant(std::int32_t{-32769})));
    EXPECT_FALSE(ole::toLong(Variant(3e9f)));
    EXPECT_FALSE(ole::toLong(Variant(std::numeric_limits<float>::quiet_NaN())));
    EXPECT_FALSE(ole::toShort(Variant(ole::Currency{327680000})));
    EXPECT_EQ(ole::toLong(Variant(ole::Currency{25000})), 2); // 2.5 rounds to even
    EXPECT_EQ(ole::toLong(Variant(ole::Currency{35000})), 4); // 3.5 rounds to even
    EXPECT_EQ(ole::toShort(Variant(-1.5f)), -2);
    EXPECT_EQ(ole::toLong(Variant(true)), -1);
    EXPECT_EQ(ole::toFloat(Variant(ole::Currency{12500})), 1.25f);
    EXPECT_EQ(ole::toCurrency(Variant(std::int32_t{-3})), ole::Currency{-30000});
    EXPECT_EQ(ole::toBool(Variant(std::int16_t{2})), true);
    EXPECT_EQ(ole::toBool(Variant(0.0f)), false);
}

TEST(Variant, StringsParseAsDecimalNumbersOrTruthWords)
{
    EXPECT_EQ(ole::toLong(Variant(std::string(" 42 "))), 42);
    EXPECT_EQ(ole::toLong(Variant(std::string("+7"))), 7);
    EXPECT_EQ(ole::toShort(Variant(std::string("-12.5"))), -12);
    EXPECT_EQ(ole::toFloat(Variant(std::string("1.5"))), 1.5f);
    EXPECT_EQ(ole::toCurrency(Variant(std::string("0.0001"))), ole::Currency{1});
    for (const char *bad : {"", "12x", "0x10", "1,5", "abc", "- 1", "1e999"}) {
        EXPECT_FALSE(ole::toLong(Variant(std::string(bad)))) << bad;
        EXPECT_FALSE(ole::toFloat(Variant(std::string(bad)))) << bad;
    }
    EXPECT_FALSE(ole::toShort(Variant(std::string("40000"))));
    EXPECT_FALSE(ole::toFloat(Variant(std::string("1e39"))));
    EXPECT_EQ(ole::toBool(Variant(std::string("true"))), true);
    EXPECT_EQ(ole::toBool(Variant(std::string("FALSE"))), false);
    EXPECT_EQ(ole::toBool(Variant(std::string("-1"))), true);
    EXPECT_FALSE(ole::toBool(Variant(std::string("yes"))));
}

TEST(Variant, ValuesFormatAsText)
{
    EXPECT_EQ(ole::toString(Variant(true)), "True");
    EXPECT_EQ(ole::toString(Variant(std::int16_t{-5})), "-5");
    EXPECT_EQ(ole::toString(Variant(std::int32_t{123456})), "123456");
    EXPECT_EQ(ole::toString(Variant(1.25f)), "1.25");
    EXPECT_EQ(ole::toString(Variant(ole::Currency{-12345})), "-1.2345");
    EXPECT_EQ(ole::toString(Variant(ole::Currency{80000})), "8");
    EXPECT_EQ(ole::toString(Variant(ole::Currency{std::numeric_limits<std::int64_t>::min()})),
              "-922337203685477.5808");
}

TEST(Variant, ObjectsAndErrorsDoNotConvertToValues)
{
    const Variant object = ole::DispatchPtr();
    const Variant error = ole::ErrorValue{ole::E_FAIL};
    for (const Variant &value : {object, error}) {
        EXPECT_FALSE(ole::toBool(value));
        EXPECT_FALSE(ole::toLong(value));
        EXPECT_FALSE(ole::toString(value));
    }
    EXPECT_FALSE(ole::toDispatch(Variant(std::int32_t{1})));
    EXPECT_FALSE(ole::toDispatch(error));
}

} // namespace
