#pragma once

#include "platform/ole/ComponentLoader.h"
#include "platform/ole/Control.h"
#include "platform/ole/StdPicture.h"
#include "tests/support/ControlProperties.h"
#include "tests/support/PictureFiles.h"
#include "tests/support/RecordingControlSite.h"
#include "tests/support/TempWindowsDirectory.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <utility>
#include <vector>

// The label and the frame as the program gets them: their libraries registered from the
// program's controls folder and loaded by the real loader, each control on a recording site.
class PanelControlTest : public ::testing::Test {
protected:
    // The control's class and the identifiers of the properties the shared checks use.
    struct Ids {
        ole::Clsid clsid;
        ole::DispId caption, formatString, picture, autoSize, bevelSize, bevelStyle, borderStyle;
    };

    static constexpr std::int32_t kRed = 0x000000FF; // the text colour the pixel checks find
    static constexpr QRgb kPictureColor = 0xFF2060A0;

    using Values = PropertyValues;

    explicit PanelControlTest(const Ids &ids) : m_ids(ids) {}

    void SetUp() override
    {
        ASSERT_EQ(ole::ComponentLoader::registerLibrariesIn(TARVIL_CONTROLS_DIR), ole::S_OK);
    }

    std::shared_ptr<ole::Control> create()
    {
        std::shared_ptr<ole::Control> control;
        EXPECT_EQ(ole::ComponentLoader::createInstance(m_ids.clsid, control), ole::S_OK);
        if (control) {
            control->setClientSite(&m_site);
            EXPECT_EQ(control->initNew(), ole::S_OK);
        }
        return control;
    }

    // The control's window at `size`, as it paints itself.
    QImage render(ole::Control &control, QSize size)
    {
        QWidget *window = control.window();
        if (!window)
            window = control.createWindow(&m_host, QRect(QPoint(0, 0), size));
        window->resize(size);
        // Over a colour of its own, so that whatever the control leaves unpainted shows.
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::magenta);
        window->render(&image);
        return image;
    }

    // The smallest rectangle around the red pixels of `image`.
    static QRect redExtent(const QImage &image)
    {
        QRect extent;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (const QRgb pixel = image.pixel(x, y);
                    qRed(pixel) > 160 && qGreen(pixel) < 96 && qBlue(pixel) < 96)
                    extent |= QRect(x, y, 1, 1);
        return extent;
    }

    // The caption under FormatString, with and without the container's formatting service,
    // and refused by the container.
    void checkFormattedCaption(ole::Control &control)
    {
        const auto caption = [&] {
            return std::get<std::string>(get(control, m_ids.caption));
        };
        const auto set = [&](ole::DispId id, const char *text) {
            put(control, {{id, std::string(text)}});
        };
        set(m_ids.formatString, "0.00");
        set(m_ids.caption, "3.14");
        EXPECT_EQ(caption(), "3.14"); // no formatting service
        m_site.formatter = [](const ole::Variant &value, std::string_view format) {
            const std::string text = std::get<std::string>(value);
            return format == "long"  ? std::string(600, 'x')
                   : text == "blank" ? std::string()
                                     : std::string(format) + "(" + text + ")";
        };
        set(m_ids.caption, "3.14");
        EXPECT_EQ(caption(), "0.00(3.14)");
        // A new format applies to the text as given, not to what the old one made of it.
        set(m_ids.formatString, "f");
        EXPECT_EQ(caption(), "f(3.14)");
        EXPECT_EQ(std::vector(m_site.changed.end() - 2, m_site.changed.end()),
                  (std::vector<ole::DispId>{m_ids.caption, m_ids.formatString}));
        set(m_ids.caption, "blank");
        EXPECT_EQ(caption(), "blank");
        set(m_ids.formatString, "long");
        EXPECT_EQ(caption(), std::string(512, 'x'));

        m_site.allowEdits = false;
        ole::ExcepInfo error;
        EXPECT_EQ(control.putProperty(m_ids.caption, std::string("no"), &error),
                  ole::DISP_E_EXCEPTION);
        EXPECT_EQ(static_cast<std::uint32_t>(error.scode), 0x800A0183u); // 387
        EXPECT_EQ(caption(), std::string(512, 'x'));
    }

    // The window of `control` once it has sized itself to a 40 x 30 pixel picture stated at
    // `dotsPerMeter`, with a 2-pixel bevel; null when it does not.
    QWidget *autoSized(ole::Control &control, int dotsPerMeter)
    {
        const auto picture =
            ole::StdPicture::fromFile(imageFile(40, 30, kPictureColor, "BMP", dotsPerMeter));
        put(control, {{m_ids.picture, ole::DispatchPtr(picture)},
                      {m_ids.bevelSize, std::int16_t{2}},
                      {m_ids.autoSize, true}});
        render(control, QSize(100, 20));
        QWidget *window = control.window();
        return QTest::qWaitFor([&] { return window->size() == QSize(44, 34); }) ? window : nullptr;
    }

    // With TARVIL_SHEET_DIR set, renders the control in every border style (rows) and bevel
    // style (columns) into `<name>.png` there, for a look at it.
    void writeSheet(const QString &name)
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
                const auto control = create();
                put(*control, {{m_ids.borderStyle, border},
                               {m_ids.bevelStyle, bevel},
                               {m_ids.bevelSize, std::int16_t{3}},
                               {m_ids.caption, "Border " + std::to_string(border) + ", bevel " +
                                                   std::to_string(bevel)}});
                painter.drawImage(kGap + bevel * (cell.width() + kGap),
                                  kGap + border * (cell.height() + kGap), render(*control, cell));
            }
        }
        painter.end();
        ASSERT_TRUE(sheet.save(QDir(folder).filePath(name + QStringLiteral(".png"))));
    }

    const Ids m_ids;
    TempWindowsDirectory m_windows;
    RecordingControlSite m_site;
    QWidget m_host;
};
