#include "controls/command3d/Qvcm200TypeLib.h"
#include "controls/frame3d/Qv3dfrmTypeLib.h"
#include "controls/label3d/Qv3dLabelTypeLib.h"
#include "controls/marquee/Qvmq200TypeLib.h"
#include "controls/text3d/Qv3dTextTypeLib.h"
#include "platform/ole/ComponentLoader.h"
#include "platform/ole/Control.h"
#include "tests/support/TempWindowsDirectory.h"
#include "wrappers/CCmdButton.h"
#include "wrappers/CQv3dLabel.h"
#include "wrappers/CQv3dText.h"
#include "wrappers/CQv3dfrm.h"
#include "wrappers/CQvMarquee.h"
#include "wrappers/CQvcm200.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <ostream>
#include <set>
#include <string>
#include <type_traits>
#include <vector>

namespace {

constexpr ole::HRESULT kErrorInvalidPropertyValue = static_cast<ole::HRESULT>(0x800A017Cu);

// An automation object that keeps what is put into it, answers it back, and records every call.
class RecordingDispatch : public ole::Dispatch {
public:
    enum class Kind { Get, Put, Invoke };
    struct Call {
        Kind kind;
        ole::DispId id;
        ole::Variant value; // what was put
        std::size_t argumentCount = 0;
    };

    std::vector<Call> calls;
    std::map<ole::DispId, ole::Variant> values;
    // Puts to this identifier are refused with error 380.
    ole::DispId refusedId = ole::DISPID_UNKNOWN;

    ole::HRESULT getProperty(ole::DispId id, ole::Variant &result, ole::ExcepInfo *) override
    {
        calls.push_back({Kind::Get, id, {}});
        const auto found = values.find(id);
        if (found == values.end())
            return ole::DISP_E_MEMBERNOTFOUND;
        result = found->second;
        return ole::S_OK;
    }
    ole::HRESULT putProperty(ole::DispId id, const ole::Variant &value,
                             ole::ExcepInfo *error) override
    {
        calls.push_back({Kind::Put, id, value});
        if (id == refusedId) {
            if (error)
                *error = {kErrorInvalidPropertyValue, "Test", "Invalid property value", 0};
            return ole::DISP_E_EXCEPTION;
        }
        values[id] = value;
        return ole::S_OK;
    }
    ole::HRESULT invoke(ole::DispId id, std::span<ole::Variant> args, ole::Variant *,
                        ole::ExcepInfo *) override
    {
        calls.push_back({Kind::Invoke, id, {}, args.size()});
        return ole::S_OK;
    }
    ole::DispId idOfName(std::string_view) override { return ole::DISPID_UNKNOWN; }

    bool lastCallWas(Kind kind, ole::DispId id) const
    {
        return !calls.empty() && calls.back().kind == kind && calls.back().id == id;
    }
};

using Kind = RecordingDispatch::Kind;

// What a property of type T travels as.
template <typename T>
using Stored = std::conditional_t<std::is_base_of_v<CDispatchDriver, T>, ole::DispatchPtr, T>;

template <typename T> Stored<T> sampleValue()
{
    if constexpr (std::is_same_v<T, bool>)
        return true;
    else if constexpr (std::is_same_v<T, std::int16_t>)
        return std::int16_t{-2};
    else if constexpr (std::is_same_v<T, std::int32_t>)
        return static_cast<std::int32_t>(0x80000012u); // a system colour: negative as a long
    else if constexpr (std::is_same_v<T, float>)
        return 9.75f;
    else if constexpr (std::is_same_v<T, ole::Currency>)
        return ole::Currency{95000};
    else if constexpr (std::is_same_v<T, std::string>)
        return std::string("Caf\xe9 & co");
    else if constexpr (std::is_same_v<T, ole::Variant>)
        return ole::Variant(std::int16_t{7}); // kept as given, not converted
    else
        return std::make_shared<RecordingDispatch>();
}

// Sets a sample through the setter, reads it back through the getter, and checks both reached
// `dispid` of `control` with the value travelling as the declared type.
template <typename T, typename Setter, typename Getter>
void checkProperty(RecordingDispatch &control, const CDispatchDriver &driver, ole::DispId dispid,
                   Setter set, Getter get)
{
    const Stored<T> sample = sampleValue<T>();
    set(sample);
    ASSERT_TRUE(control.lastCallWas(Kind::Put, dispid));
    if constexpr (std::is_same_v<T, ole::Variant>)
        EXPECT_EQ(control.calls.back().value, sample);
    else
        EXPECT_EQ(control.calls.back().value, ole::Variant(std::in_place_type<Stored<T>>, sample));
    EXPECT_EQ(driver.LastResult(), ole::S_OK);

    auto result = get();
    ASSERT_TRUE(control.lastCallWas(Kind::Get, dispid));
    EXPECT_EQ(driver.LastResult(), ole::S_OK);
    if constexpr (std::is_base_of_v<CDispatchDriver, T>) {
        // The driver drives the very object the control answered.
        result.template GetProperty<std::int32_t>(0);
        EXPECT_TRUE(static_cast<RecordingDispatch &>(*sample).lastCallWas(Kind::Get, 0));
    } else {
        EXPECT_EQ(result, sample);
    }
}

template <typename T, typename Getter>
void checkGetter(RecordingDispatch &control, const CDispatchDriver &driver, ole::DispId dispid,
                 Getter get)
{
    control.values[dispid] = sampleValue<T>();
    EXPECT_EQ(get(), sampleValue<T>());
    EXPECT_TRUE(control.lastCallWas(Kind::Get, dispid));
    EXPECT_EQ(driver.LastResult(), ole::S_OK);
}

#define CHECK_PROPERTY(name, dispid, type)                                                         \
    {                                                                                              \
        SCOPED_TRACE(#name);                                                                       \
        checkProperty<type>(                                                                       \
            control, wrapper, dispid, [&](const auto &value) { wrapper.Set##name(value); },        \
            [&] { return wrapper.Get##name(); });                                                  \
    }
#define CHECK_GETTER(name, dispid, type)                                                           \
    {                                                                                              \
        SCOPED_TRACE(#name);                                                                       \
        checkGetter<type>(control, wrapper, dispid, [&] { return wrapper.Get##name(); });          \
    }

// A property as the tables below write it down: name, dispatch identifier and automation type.
enum class Type { Bool, Short, Long, Float, Currency, String, Variant, Font, Picture, Object };

struct Listed {
    std::string name;
    ole::DispId dispid;
    Type type;
    bool operator==(const Listed &) const = default;
};

std::ostream &operator<<(std::ostream &out, const Listed &entry)
{
    constexpr const char *kTypeNames[] = {"Bool",   "Short",   "Long", "Float",   "Currency",
                                          "String", "Variant", "Font", "Picture", "Object"};
    return out << entry.name << ' ' << entry.dispid << ' '
               << kTypeNames[static_cast<int>(entry.type)];
}

template <typename T> constexpr Type typeOf()
{
    if constexpr (std::is_same_v<T, bool>)
        return Type::Bool;
    else if constexpr (std::is_same_v<T, std::int16_t>)
        return Type::Short;
    else if constexpr (std::is_same_v<T, std::int32_t>)
        return Type::Long;
    else if constexpr (std::is_same_v<T, float>)
        return Type::Float;
    else if constexpr (std::is_same_v<T, ole::Currency>)
        return Type::Currency;
    else if constexpr (std::is_same_v<T, std::string>)
        return Type::String;
    else if constexpr (std::is_same_v<T, ole::Variant>)
        return Type::Variant;
    else if constexpr (std::is_same_v<T, COleFont>)
        return Type::Font;
    else if constexpr (std::is_same_v<T, CPicture>)
        return Type::Picture;
    else
        return Type::Object;
}

#define LIST_PROPERTY(name, dispid, type) {#name, dispid, typeOf<type>()},

// The controls' properties as their interfaces document them, written down here once rather than
// taken from the wrappers, so that an entry edited or mistyped in a wrapper's table shows.
using enum Type;
const std::vector<Listed> kCmdButton = {
    {"Property1", 1, Long},    {"Property3", 3, String},    {"Property4", 4, Bool},
    {"Property5", 5, Bool},    {"Property6", 6, Bool},      {"Property7", 7, Float},
    {"Property8", 8, Bool},    {"Property9", 9, Object},    {"Property10", 10, Long},
    {"Property11", 11, Long},  {"Property12", 12, Long},    {"Property13", 13, Short},
    {"Property14", 14, Long},  {"Property15", 15, Bool},    {"Property16", 16, Float},
    {"Property17", 17, Long},  {"Property18", 18, Bool},    {"Property19", 19, Bool},
    {"Property20", 20, Long},  {"Property21", 21, Bool},    {"Property22", 22, Bool},
    {"Property23", 23, Bool},  {"Property24", 24, Object},  {"Property25", 25, Object},
    {"Property26", 26, Long},  {"Property27", 27, Long},    {"Property28", 28, Long},
    {"Property29", 29, Long},  {"Property30", 30, Long},    {"Property31", 31, String},
    {"Property32", 32, Long},  {"Property33", 33, Object},  {"Property34", 34, Long},
    {"Property35", 35, Long},  {"Property36", 36, Variant}, {"Property37", 37, Long},
    {"BackColor", -501, Long}, {"ForeColor", -513, Long},   {"Font", -512, Font},
    {"Caption", -518, String}, {"BorderStyle", -504, Long}, {"Enabled", -514, Bool},
    {"hWnd", -515, Long}};
const std::vector<Listed> kOleFont = {{"Name", 0, String},    {"Size", 2, Currency},
                                      {"Bold", 3, Bool},      {"Italic", 4, Bool},
                                      {"Underline", 5, Bool}, {"Strikethrough", 6, Bool},
                                      {"Weight", 7, Short},   {"Charset", 8, Short}};
const std::vector<Listed> kPicture = {{"Handle", 0, Long},
                                      {"Type", 3, Short},
                                      {"Width", 4, Long},
                                      {"Height", 5, Long},
                                      {"hPal", 2, Long}};

// The table is the documented one; every property has one name and one identifier of its own.
void expectTable(const std::vector<Listed> &table, const std::vector<Listed> &documented)
{
    EXPECT_EQ(table.size(), documented.size());
    for (std::size_t i = 0; i < std::min(table.size(), documented.size()); ++i)
        EXPECT_EQ(table[i], documented[i]);
    std::set<std::string> names;
    std::set<ole::DispId> ids;
    for (const Listed &entry : table) {
        EXPECT_TRUE(names.insert(entry.name).second) << entry.name;
        EXPECT_TRUE(ids.insert(entry.dispid).second) << entry.name;
    }
}

template <typename Wrapper> struct Bound {
    Bound() { wrapper.Attach(&control); }
    RecordingDispatch control;
    Wrapper wrapper;
};

// One test per wrapper: every property of its table through the generated Get and Set, and the
// table itself the documented one.
#define WRAPPER_TABLE_TEST(Wrapper, TABLE, documented)                                             \
    TEST(WrapperTableTest, Wrapper)                                                                \
    {                                                                                              \
        Bound<Wrapper> bound;                                                                      \
        auto &control = bound.control;                                                             \
        auto &wrapper = bound.wrapper;                                                             \
        TABLE(CHECK_PROPERTY)                                                                      \
        expectTable({TABLE(LIST_PROPERTY)}, documented);                                           \
    }

WRAPPER_TABLE_TEST(CCmdButton, TARVIL_CMDBUTTON_PROPERTIES, kCmdButton)

// The type a wrapper declares for each type of the controls' tables: enumerations and colours
// are longs, the window handle a short.
const std::map<qv::ValueType, Type> kWrapperTypes = {
    {qv::ValueType::Bool, Bool},    {qv::ValueType::Short, Short},
    {qv::ValueType::Handle, Short}, {qv::ValueType::Long, Long},
    {qv::ValueType::Color, Long},   {qv::ValueType::Enumeration, Long},
    {qv::ValueType::Single, Float}, {qv::ValueType::String, String},
    {qv::ValueType::Font, Font},    {qv::ValueType::Picture, Picture}};

// The wrapper's table against the control of class `clsid`, loaded from the program's controls
// folder: each name gives the wrapper's identifier there, the control's type table has the
// property with a type that the wrapper's type stands for, and every property of the control
// is in the wrapper's table.
void expectControlMembers(const std::vector<Listed> &table, const ole::Clsid &clsid,
                          const qv::TypeLibInfo &typeLib)
{
    TempWindowsDirectory windows;
    ASSERT_EQ(ole::ComponentLoader::registerLibrariesIn(TARVIL_CONTROLS_DIR), ole::S_OK);
    std::shared_ptr<ole::Control> control;
    ASSERT_EQ(ole::ComponentLoader::createInstance(clsid, control), ole::S_OK);
    const auto isProperty = [](const qv::MemberInfo &member) {
        return !(member.flags & qv::Method);
    };
    EXPECT_EQ(static_cast<std::size_t>(std::ranges::count_if(typeLib.members, isProperty)),
              table.size());
    std::set<ole::DispId> ids;
    for (const Listed &entry : table) {
        EXPECT_TRUE(ids.insert(entry.dispid).second) << entry;
        EXPECT_EQ(control->idOfName(entry.name), entry.dispid) << entry;
        const auto member = std::ranges::find(typeLib.members, entry.dispid, &qv::MemberInfo::id);
        ASSERT_NE(member, typeLib.members.end()) << entry;
        EXPECT_TRUE(isProperty(*member)) << entry;
        EXPECT_EQ(kWrapperTypes.at(member->type), entry.type) << entry;
    }
}

TEST(WrapperControlTest, CQv3dText)
{
    expectControlMembers({TARVIL_QV3DTEXT_PROPERTIES(LIST_PROPERTY)}, CQv3dText::kClsid,
                         qvgtxt::kTextTypeLib);
}

TEST(WrapperControlTest, CQv3dLabel)
{
    expectControlMembers({TARVIL_QV3DLABEL_PROPERTIES(LIST_PROPERTY)}, CQv3dLabel::kClsid,
                         qv3dlbl::kLabelTypeLib);
}

TEST(WrapperControlTest, CQv3dfrm)
{
    expectControlMembers({TARVIL_QV3DFRM_PROPERTIES(LIST_PROPERTY)}, CQv3dfrm::kClsid,
                         qv3dfrm::kFrameTypeLib);
}

TEST(WrapperControlTest, CQvcm200)
{
    expectControlMembers({TARVIL_QVCM200_PROPERTIES(LIST_PROPERTY)}, CQvcm200::kClsid,
                         qvcm200::kTypeLib);
}

TEST(WrapperControlTest, CQvMarquee)
{
    expectControlMembers({TARVIL_QVMARQUEE_PROPERTIES(LIST_PROPERTY)}, CQvMarquee::kClsid,
                         qvmq200::kTypeLib);
}

TEST(WrapperTableTest, FontAndPictureDrivers)
{
    auto object = std::make_shared<RecordingDispatch>();
    RecordingDispatch &control = *object;
    {
        COleFont wrapper(object);
        TARVIL_OLEFONT_PROPERTIES(CHECK_PROPERTY)
        expectTable({TARVIL_OLEFONT_PROPERTIES(LIST_PROPERTY)}, kOleFont);
    }
    CPicture wrapper(object);
    TARVIL_PICTURE_READONLY_PROPERTIES(CHECK_GETTER)
    TARVIL_PICTURE_PROPERTIES(CHECK_PROPERTY)
    expectTable({TARVIL_PICTURE_READONLY_PROPERTIES(LIST_PROPERTY)
                     TARVIL_PICTURE_PROPERTIES(LIST_PROPERTY)},
                kPicture);
}

TEST(ControlWrapperTest, ClassIdentifiers)
{
    EXPECT_EQ(CQv3dText::kClsid, ole::Clsid::fromString("{7F5B66D2-02C7-4839-AE0F-C784FC5994BC}"));
    EXPECT_EQ(CQv3dLabel::kClsid, ole::Clsid::fromString("{550FA24F-5C89-4232-95B0-B34BDF479060}"));
    EXPECT_EQ(CQvcm200::kClsid, ole::Clsid::fromString("{17CCB4CE-E838-4FB1-B12E-EFE150186E2A}"));
    EXPECT_EQ(CQv3dfrm::kClsid, ole::Clsid::fromString("{A49F71D7-E142-46A4-A524-3D953004E4C6}"));
    EXPECT_EQ(CQvMarquee::kClsid, ole::Clsid::fromString("{67318EFD-317B-4B4C-A26A-A2188F888364}"));
    EXPECT_EQ(CCmdButton::kClsid, ole::Clsid::fromString("{94737E71-55A9-45C7-8B33-BDB06CC4430A}"));
}

// The identifiers and types the program's windows rely on, checked against the controls'
// documented interfaces rather than against the tables.
TEST(ControlWrapperTest, PropertiesTheWindowsUse)
{
    RecordingDispatch control;
    const auto lastPut = [&control](ole::DispId id) {
        EXPECT_TRUE(control.lastCallWas(Kind::Put, id));
        return control.calls.back().value;
    };

    CQv3dText text;
    text.Attach(&control);
    text.SetFillColor(0x00C0C0C0);
    EXPECT_EQ(lastPut(13), ole::Variant(std::int32_t{0x00C0C0C0}));
    text.SetTextColor(0x000000FF);
    EXPECT_EQ(lastPut(16), ole::Variant(std::int32_t{0x000000FF}));
    text.SetText("hello\r\n");
    EXPECT_EQ(lastPut(-517), ole::Variant(std::string("hello\r\n")));

    CQv3dLabel label;
    label.Attach(&control);
    label.SetCaption("Page from host");
    EXPECT_EQ(lastPut(2), ole::Variant(std::string("Page from host")));
    label.SetFillColor(0x00FF0000);
    EXPECT_EQ(lastPut(15), ole::Variant(std::int32_t{0x00FF0000}));

    CQvcm200 light;
    light.Attach(&control);
    light.SetValue(false);
    EXPECT_EQ(lastPut(14), ole::Variant(false));
    control.values[14] = true;
    EXPECT_TRUE(light.GetValue());
    EXPECT_TRUE(control.lastCallWas(Kind::Get, 14));

    CQvMarquee marquee;
    marquee.Attach(&control);
    marquee.SetInterval(150);
    EXPECT_EQ(lastPut(24), ole::Variant(std::int32_t{150}));

    CCmdButton button;
    button.Attach(&control);
    button.SetEnabled(false);
    EXPECT_EQ(lastPut(-514), ole::Variant(false));
    control.values[-515] = std::int32_t{0x12345};
    EXPECT_EQ(button.GethWnd(), 0x12345); // a long here, unlike the display controls' short
}

TEST(ControlWrapperTest, AnswersAreConvertedToTheDeclaredType)
{
    Bound<CQv3dLabel> bound;
    auto &control = bound.control;
    auto &label = bound.wrapper;

    control.values[15] = std::int16_t{-1}; // a short where a long colour is declared
    EXPECT_EQ(label.GetFillColor(), -1);
    EXPECT_EQ(label.LastResult(), ole::S_OK);
    control.values[2] = std::int32_t{42};
    EXPECT_EQ(label.GetCaption(), "42");
    control.values[3] = std::int16_t{1};
    EXPECT_TRUE(label.GetFontBold());

    // Answers that do not fit give the zero value and say why.
    control.values[11] = std::int32_t{70000}; // BevelSize is a short
    EXPECT_EQ(label.GetBevelSize(), 0);
    EXPECT_EQ(label.LastResult(), ole::DISP_E_TYPEMISMATCH);
    control.values[15] = std::string("blue");
    EXPECT_EQ(label.GetFillColor(), 0);
    EXPECT_EQ(label.LastResult(), ole::DISP_E_TYPEMISMATCH);
    control.values[-512] = std::string("MS Sans Serif");
    EXPECT_FALSE(label.GetFont().IsBound());
    EXPECT_EQ(label.LastResult(), ole::DISP_E_TYPEMISMATCH);
}

TEST(ControlWrapperTest, RefusedAccessIsReportedAndTheWrapperKeepsWorking)
{
    Bound<CQv3dText> bound;
    auto &control = bound.control;
    auto &text = bound.wrapper;
    control.values[9] = std::int16_t{2};
    control.refusedId = 9;

    text.SetBevelSize(-5);
    EXPECT_EQ(text.LastResult(), ole::DISP_E_EXCEPTION);
    EXPECT_EQ(text.LastException().scode, kErrorInvalidPropertyValue);
    EXPECT_EQ(text.LastException().description, "Invalid property value");
    EXPECT_EQ(control.values[9], ole::Variant(std::int16_t{2}));

    // The next call reports its own outcome.
    EXPECT_EQ(text.GetBevelSize(), 2);
    EXPECT_EQ(text.LastResult(), ole::S_OK);
    EXPECT_EQ(text.LastException().scode, ole::S_OK);
    EXPECT_TRUE(text.LastException().description.empty());

    // A property the control does not have reads as the zero value.
    EXPECT_EQ(text.GetSelText(), "");
    EXPECT_EQ(text.LastResult(), ole::DISP_E_MEMBERNOTFOUND);
}

TEST(ControlWrapperTest, RefreshAndAboutBoxAreMethodsWithoutArguments)
{
    Bound<CQvcm200> bound;
    auto &control = bound.control;
    auto &button = bound.wrapper;
    button.Refresh();
    ASSERT_TRUE(control.lastCallWas(Kind::Invoke, -550));
    EXPECT_EQ(control.calls.back().argumentCount, 0u);
    button.AboutBox();
    ASSERT_TRUE(control.lastCallWas(Kind::Invoke, -552));
    EXPECT_EQ(control.calls.back().argumentCount, 0u);
    EXPECT_EQ(control.calls.size(), 2u);
}

TEST(ControlWrapperTest, FontDriverKeepsItsObjectAliveUntilItIsDestroyed)
{
    Bound<CQv3dLabel> bound;
    auto &control = bound.control;
    auto &label = bound.wrapper;
    auto font = std::make_shared<RecordingDispatch>();
    const std::weak_ptr<RecordingDispatch> watch = font;
    control.values[-512] = ole::DispatchPtr(std::move(font));
    {
        COleFont driver = label.GetFont();
        control.values.clear(); // the control lets go of its font
        driver.SetBold(true);
        EXPECT_EQ(driver.GetBold(), true);
        EXPECT_FALSE(watch.expired());
    }
    EXPECT_TRUE(watch.expired());
}

TEST(ControlWrapperTest, UnboundWrapperDoesNothingAndAnswersZero)
{
    CQv3dLabel label;
    label.SetCaption("lost");
    EXPECT_EQ(label.LastResult(), ole::E_POINTER);
    EXPECT_EQ(label.GetCaption(), "");
    EXPECT_EQ(label.GetFillColor(), 0);
    EXPECT_EQ(label.GetFontSize(), 0.0f);
    label.Refresh();
    label.AboutBox();
    COleFont font = label.GetFont();
    EXPECT_FALSE(font.IsBound());
    EXPECT_EQ(font.GetName(), "");
    EXPECT_EQ(font.GetSize(), ole::Currency{});
    EXPECT_EQ(font.LastResult(), ole::E_POINTER);

    CCmdButton button;
    EXPECT_EQ(button.GetProperty36(), ole::Variant());
    RecordingDispatch control;
    button.Attach(&control);
    button.Attach(nullptr); // unbinding stops all traffic
    button.SetEnabled(true);
    EXPECT_TRUE(control.calls.empty());
}

} // namespace
