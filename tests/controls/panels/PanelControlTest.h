#pragma once

#include "platform/ole/ComponentLoader.h"
#include "platform/ole/Control.h"
#include "tests/support/RecordingControlSite.h"
#include "tests/support/TempWindowsDirectory.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>
#include <span>
#include <string>
#include <utility>
#include <vector>

// The label and the frame as the program gets them: their libraries registered from the
// program's controls folder and loaded by the real loader, each control on a recording site.
class PanelControlTest : public ::testing::Test {
protected:
    static constexpr std::uint32_t kInvalidPropertyValue = 0x800A017C;
    static constexpr std::uint32_t kSetNotPermitted = 0x800A0183;
    // The text colour the pixel checks look for, and what they take for it.
    static constexpr std::int32_t kRed = 0x000000FF;
    static bool isRed(QRgb pixel)
    {
        return qRed(pixel) > 160 && qGreen(pixel) < 96 && qBlue(pixel) < 96;
    }

    using Values = std::vector<std::pair<ole::DispId, ole::Variant>>;

    void SetUp() override
    {
        ASSERT_EQ(ole::ComponentLoader::registerLibrariesIn(TARVIL_CONTROLS_DIR), ole::S_OK);
    }

    std::shared_ptr<ole::Control> create(const ole::Clsid &clsid)
    {
        std::shared_ptr<ole::Control> control;
        EXPECT_EQ(ole::ComponentLoader::createInstance(clsid, control), ole::S_OK);
        if (control) {
            control->setClientSite(&m_site);
            EXPECT_EQ(control->initNew(), ole::S_OK);
        }
        return control;
    }

    static ole::Variant get(ole::Control &control, ole::DispId id)
    {
        ole::Variant value;
        EXPECT_EQ(control.getProperty(id, value), ole::S_OK) << id;
        return value;
    }

    static void put(ole::Control &control, const Values &values)
    {
        for (const auto &[id, value] : values)
            EXPECT_EQ(control.putProperty(id, value), ole::S_OK) << id;
    }

    static std::vector<std::uint8_t> saved(ole::Control &control)
    {
        std::vector<std::uint8_t> stream;
        EXPECT_EQ(control.save(stream), ole::S_OK);
        return stream;
    }

    // The control's window at `size`, as it paints itself.
    QImage render(ole::Control &control, QSize size)
    {
        QWidget *window = control.window();
        if (!window)
            window = control.createWindow(&m_host, QRect(QPoint(0, 0), size));
        window->resize(size);
        return window->grab().toImage();
    }

    // The smallest rectangle around the red pixels of `image`.
    static QRect redExtent(const QImage &image)
    {
        QRect extent;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (isRed(image.pixel(x, y)))
                    extent |= QRect(x, y, 1, 1);
        return extent;
    }

    // Each value raises error 380 and leaves every property as it was.
    static void expectRefused(ole::Control &control, const Values &refused)
    {
        const auto before = saved(control);
        for (const auto &[id, value] : refused) {
            ole::ExcepInfo error;
            EXPECT_EQ(control.putProperty(id, value, &error), ole::DISP_E_EXCEPTION) << id;
            EXPECT_EQ(static_cast<std::uint32_t>(error.scode), kInvalidPropertyValue) << id;
        }
        EXPECT_EQ(saved(control), before);
    }

    // Caption `captionId` under FormatString `formatId`, with and without the container's
    // formatting service, and refused by the container.
    void checkFormattedCaption(ole::Control &control, ole::DispId captionId, ole::DispId formatId)
    {
        const auto caption = [&] {
            return std::get<std::string>(get(control, captionId));
        };
        put(control, {{formatId, std::string("0.00")}, {captionId, std::string("3.14159")}});
        EXPECT_EQ(caption(), "3.14159"); // no formatting service

        m_site.formatter = [](const ole::Variant &value, std::string_view format) {
            const std::string text = std::get<std::string>(value);
            if (format == "long")
                return std::string(600, 'x');
            return text == "blank" ? std::string() : std::string(format) + "(" + text + ")";
        };
        put(control, {{captionId, std::string("3.14159")}});
        EXPECT_EQ(caption(), "0.00(3.14159)");
        // A new format applies to the text as given, not to what the old one made of it.
        m_site.changed.clear();
        put(control, {{formatId, std::string("f")}});
        EXPECT_EQ(caption(), "f(3.14159)");
        EXPECT_EQ(m_site.changed, (std::vector<ole::DispId>{captionId, formatId}));
        put(control, {{captionId, std::string("blank")}});
        EXPECT_EQ(caption(), "blank");
        put(control, {{formatId, std::string("long")}});
        EXPECT_EQ(caption(), std::string(512, 'x'));

        m_site.allowEdits = false;
        ole::ExcepInfo error;
        EXPECT_EQ(control.putProperty(captionId, std::string("refused"), &error),
                  ole::DISP_E_EXCEPTION);
        EXPECT_EQ(static_cast<std::uint32_t>(error.scode), kSetNotPermitted);
        EXPECT_EQ(caption(), std::string(512, 'x'));
        m_site.allowEdits = true;
        m_site.formatter = nullptr;
    }

    struct SheetIds {
        ole::DispId borderStyle, bevelStyle, bevelSize, caption;
    };

    // With TARVIL_SHEET_DIR set, renders the control of class `clsid` in every border style
    // (rows) and bevel style (columns) into `<name>.png` there, for a look at it.
    void writeSheet(const QString &name, const ole::Clsid &clsid, const SheetIds &ids)
    {
        const QString folder = qEnvironmentVariable("TARVIL_SHEET_DIR");
        if (folder.isEmpty())
            GTEST_SKIP() << "TARVIL_SHEET_DIR is not set";
        const QSize cell(150, 60);
        constexpr int kGap = 10;
        QImage sheet(5 * (cell.width() + kGap) + kGap, 3 * (cell.height() + kGap) + kGap,
                     QImage::Format_RGB32);
        sheet.fill(m_host.palette().color(QPalette::Window));
        QPainter painter(&sheet);
        for (std::int16_t border = 0; border < 3; ++border) {
            for (std::int16_t bevel = 0; bevel < 5; ++bevel) {
                const auto control = create(clsid);
                put(*control, {{ids.borderStyle, border},
                               {ids.bevelStyle, bevel},
                               {ids.bevelSize, std::int16_t{3}},
                               {ids.caption, "Border " + std::to_string(border) + ", bevel " +
                                                 std::to_string(bevel)}});
                painter.drawImage(kGap + bevel * (cell.width() + kGap),
                                  kGap + border * (cell.height() + kGap), render(*control, cell));
            }
        }
        painter.end();
        ASSERT_TRUE(sheet.save(QDir(folder).filePath(name + QStringLiteral(".png"))));
    }

    TempWindowsDirectory m_windows;
    RecordingControlSite m_site;
    QWidget m_host;
};
