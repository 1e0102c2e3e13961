#pragma once

#include "platform/ole/Clsid.h"
#include "platform/ole/Control.h"

#include <QPointer>
#include <cstdint>
#include <string>

namespace testcontrol {

// A small control that exercises the component model: properties of several types, one that
// refuses out-of-range values with an automation error, one that asks the container before it
// changes, a method, a Click on mouse click and a persisted stream.
class TestCtrl : public ole::Control {
public:
    static constexpr ole::Clsid kClsid{
        0xD8C91A04, 0x8CCA, 0x48B7, {0xA8, 0xE4, 0xDC, 0x99, 0x01, 0x18, 0x33, 0xB3}};

    // Member identifiers.
    static constexpr ole::DispId DISPID_FLAG = 1;   // bool
    static constexpr ole::DispId DISPID_COUNT = 2;  // short, 0..100
    static constexpr ole::DispId DISPID_NUMBER = 3; // long, request-edit and bindable
    static constexpr ole::DispId DISPID_LABEL = 4;  // string
    static constexpr ole::DispId DISPID_ADD = 5;    // Add(long) adds to Number, returns it

    static constexpr ole::HRESULT kInvalidPropertyValue =
        static_cast<ole::HRESULT>(0x800A0000u | 380);

    TestCtrl() = default;
    ~TestCtrl() override;
    TestCtrl(const TestCtrl &) = delete;
    TestCtrl &operator=(const TestCtrl &) = delete;

    ole::HRESULT getProperty(ole::DispId id, ole::Variant &result,
                             ole::ExcepInfo *error = nullptr) override;
    ole::HRESULT putProperty(ole::DispId id, const ole::Variant &value,
                             ole::ExcepInfo *error = nullptr) override;
    ole::HRESULT invoke(ole::DispId id, std::span<ole::Variant> args,
                        ole::Variant *result = nullptr, ole::ExcepInfo *error = nullptr) override;
    ole::DispId idOfName(std::string_view name) override;

    void setClientSite(ole::ControlSite *site) override;
    ole::HRESULT initNew() override;
    ole::HRESULT load(std::span<const std::uint8_t> stream) override;
    ole::HRESULT save(std::vector<std::uint8_t> &stream) override;
    QWidget *createWindow(QWidget *parent, const QRect &geometry) override;
    QWidget *window() const override;
    void ambientPropertyChanged(ole::DispId id) override;

private:
    ole::ControlSite *m_site = nullptr;
    QPointer<QWidget> m_window;
    QMetaObject::Connection m_clickConnection;
    bool m_flag = false;
    std::int16_t m_count = 0;
    std::int32_t m_number = 0;
    std::string m_label;
};

} // namespace testcontrol
