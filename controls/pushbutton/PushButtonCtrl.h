#pragma once

#include "platform/ole/Clsid.h"
#include "platform/ole/Control.h"

#include <QPointer>
#include <QPushButton>
#include <cstdint>
#include <string>

namespace pushbutton {

// The push button of the program's windows: a caption with its "&" access key, an enabled state
// and a Click event. The dialog handles Enter itself, so the button is never a default button.
class PushButtonCtrl : public ole::Control {
public:
    static constexpr ole::Clsid kClsid{
        0x94737E71, 0x55A9, 0x45C7, {0x8B, 0x33, 0xBD, 0xB0, 0x6C, 0xC4, 0x43, 0x0A}};
    static constexpr const char *kProgId = "TVBUTTON.PushButtonCtrl.1";
    // Persisted stream version: major 1, minor 0. Later minors may only append fields.
    static constexpr std::uint32_t kStreamVersion = 0x00010000;

    PushButtonCtrl() = default;
    ~PushButtonCtrl() override;
    PushButtonCtrl(const PushButtonCtrl &) = delete;
    PushButtonCtrl &operator=(const PushButtonCtrl &) = delete;

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
    void onClicked();
    void updateWindow();

    ole::ControlSite *m_site = nullptr;
    QPointer<QPushButton> m_button;
    QMetaObject::Connection m_clickConnection;
    std::int32_t m_extentWidth = 0; // HIMETRIC
    std::int32_t m_extentHeight = 0;
    std::string m_caption;
    bool m_enabled = true;
    // OLE colours, kept for whoever reads them back; the button keeps the platform look.
    std::uint32_t m_backColor = 0x8000000F; // button face
    std::uint32_t m_foreColor = 0x80000012; // button text
};

} // namespace pushbutton
