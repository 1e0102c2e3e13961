// qvtest's design surface driven offscreen on the program's five 3-D controls; with
// TARVIL_SHEET_DIR set, also the picture of its window with the five placed.
#include "platform/ole/ComponentLoader.h"
#include "platform/ole/Control.h"
#include "tests/support/TempWindowsDirectory.h"
#include "tools/qvtest/DesignSurface.h"
#include "tools/qvtest/QvTestWindow.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>
#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

const std::string kMarquee = "QVMQ200.QvMarqueeCtrl.1";
const std::string kText = "QVGTXT.Qv3dTextCtrl.1";
const std::string kLabel = "QV3DLBL.Qv3dLabelCtrl.1";
const std::string kButton = "QVCM200.Qvcm200Ctrl.1";
const std::string kFrame = "QV3DFRM.Qv3dfrmCtrl.1";
const std::string kFive[] = {kMarquee, kText, kLabel, kButton, kFrame};

const QRect kPlace(10, 10, 200, 60);

class DesignSurfaceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(ole::ComponentLoader::registerLibrariesIn(TARVIL_CONTROLS_DIR), ole::S_OK);
        surface.setLogHandler([this](const std::string &line) { log.push_back(line); });
    }

    // The class registered under `progId`, as qvtest lists it.
    static ole::ClassEntry registered(const std::string &progId)
    {
        const auto classes = ole::Registry::registeredClasses();
        const auto found = std::ranges::find(classes, progId, &ole::ClassEntry::progId);
        EXPECT_NE(found, classes.end()) << progId;
        return found == classes.end() ? ole::ClassEntry{} : *found;
    }

    int place(const std::string &progId)
    {
        QString error;
        const int id = surface.place(registered(progId), kPlace, {}, error);
        EXPECT_NE(id, 0) << error.toStdString();
        return id;
    }

    std::string value(int id, const std::string &name) const
    {
        for (const auto &property : surface.properties(id))
            if (property.name == name)
                return property.value;
        return "(no such property)";
    }

    bool logged(const std::string &line) const { return std::ranges::count(log, line) > 0; }

    QImage picture(int id) const { return surface.control(id)->window()->grab().toImage(); }

    TempWindowsDirectory windows;
    QTemporaryDir files;
    QWidget host;
    std::vector<std::string> log;
    DesignSurface surface{&host};
};

TEST_F(DesignSurfaceTest, PlacesTheFiveControlsWhichFollowTheMode)
{
    std::vector<int> ids;
    for (const std::string &progId : kFive) {
        EXPECT_FALSE(registered(progId).typeName.empty()) << progId;
        ids.push_back(place(progId));
        EXPECT_FALSE(surface.properties(ids.back()).empty()) << progId;
    }
    ASSERT_EQ(surface.placed().size(), 5u);

    // Designed, the text box shows its name and the marquee its margins' outlines; running, not.
    const QImage designedMarquee = picture(ids[0]);
    const QImage designedText = picture(ids[1]);
    surface.setUserMode(true);
    EXPECT_NE(picture(ids[0]), designedMarquee);
    EXPECT_NE(picture(ids[1]), designedText);
    surface.setUserMode(false);
    EXPECT_EQ(picture(ids[1]), designedText);
}

TEST_F(DesignSurfaceTest, LogsEventsAndPropertyChangesAndTellsRefusals)
{
    const int id = place(kLabel);
    surface.setUserMode(true);
    QTest::mouseClick(surface.control(id)->window(), Qt::LeftButton, {}, QPoint(5, 7));
    EXPECT_TRUE(logged("Qv3dLabel1: MouseDown(1, 0, 5, 7)"));
    EXPECT_TRUE(logged("Qv3dLabel1: Click()"));

    EXPECT_TRUE(surface.putProperty(id, "Caption", "Hello").isEmpty());
    EXPECT_TRUE(logged("Qv3dLabel1: property 2 (Caption) changed"));
    EXPECT_EQ(value(id, "Caption"), "Hello");

    const QString refusal = surface.putProperty(id, "MousePointer", "16");
    EXPECT_TRUE(refusal.startsWith(u"The control refuses")) << refusal.toStdString();
    EXPECT_TRUE(refusal.endsWith(u"(error 0x800A017C)")) << refusal.toStdString();
    EXPECT_EQ(surface.putProperty(id, "BevelSize", "wide").toStdString(),
              "\"wide\" is no Short value.");
    EXPECT_EQ(value(id, "MousePointer"), "0");
}

TEST_F(DesignSurfaceTest, FormatsCaptionsThroughTheFormatString)
{
    const int id = place(kLabel);
    ASSERT_TRUE(surface.putProperty(id, "FormatString", "$#,##0.00").isEmpty());
    surface.putProperty(id, "Caption", "-1234.5");
    EXPECT_EQ(value(id, "Caption"), "$-1,234.50");
    surface.putProperty(id, "FormatString", "dd.MM.yyyy");
    surface.putProperty(id, "Caption", "2026-12-08");
    EXPECT_EQ(value(id, "Caption"), "08.12.2026");
    // Neither a number nor a date: the caption stays as given.
    surface.putProperty(id, "Caption", "soon");
    EXPECT_EQ(value(id, "Caption"), "soon");
}

TEST_F(DesignSurfaceTest, StreamFilesGiveEqualControlsAndDamagedOnesAreRefused)
{
    for (const std::string &progId : kFive) {
        const int id = place(progId);
        const bool hasText = progId == kText;
        ASSERT_TRUE(surface.putProperty(id, hasText ? "Text" : "Caption", "Saved").isEmpty());
        ASSERT_TRUE(surface.putProperty(id, "BackColor", "0x00123456").isEmpty());
        ASSERT_TRUE(surface.putProperty(id, "FontBold", "True").isEmpty());
        const QString path = files.filePath(QString::fromStdString(progId));
        QString error;
        ASSERT_TRUE(surface.saveStream(id, path, error)) << error.toStdString();

        const int loaded = surface.loadStream(registered(progId), kPlace, path, error);
        ASSERT_NE(loaded, 0) << error.toStdString();
        auto expected = surface.properties(id);
        auto actual = surface.properties(loaded);
        // Each window has its own handle.
        const auto isHandle = [](const auto &property) {
            return property.name == "hWnd";
        };
        std::erase_if(expected, isHandle);
        std::erase_if(actual, isHandle);
        ASSERT_EQ(actual.size(), expected.size()) << progId;
        for (std::size_t i = 0; i < expected.size(); ++i)
            EXPECT_EQ(actual[i].value, expected[i].value) << progId << ' ' << expected[i].name;

        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        file.resize(file.size() / 2);
        file.close();
        const std::size_t placed = surface.placed().size();
        EXPECT_EQ(surface.loadStream(registered(progId), kPlace, path, error), 0) << progId;
        EXPECT_TRUE(error.contains(u"load failed")) << error.toStdString();
        EXPECT_EQ(surface.loadStream(registered(progId), kPlace, files.path(), error), 0);
        EXPECT_TRUE(error.endsWith(u"is not a regular file.")) << error.toStdString();
        EXPECT_EQ(surface.placed().size(), placed);
    }
}

TEST(QvTestSheet, FiveControlsPlaced)
{
    const QString sheets = qEnvironmentVariable("TARVIL_SHEET_DIR");
    if (sheets.isEmpty())
        GTEST_SKIP() << "TARVIL_SHEET_DIR is not set";
    TempWindowsDirectory windows;
    QvTestWindow window(TARVIL_CONTROLS_DIR);
    const auto classes = ole::Registry::registeredClasses();
    for (const std::string &progId : kFive) {
        const auto row =
            std::ranges::find(classes, progId, &ole::ClassEntry::progId) - classes.begin();
        ASSERT_NE(window.placeClass(static_cast<int>(row)), 0) << progId;
    }
    // The label formats its caption, and says so in the log.
    const int label = window.surface().placed()[2].id;
    window.surface().putProperty(label, "FormatString", "#,##0.00");
    window.surface().putProperty(label, "Caption", "1234.5");
    window.select(label);
    window.resize(1280, 760);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.grab().save(QDir(sheets).filePath(QStringLiteral("qvtest.png")));
}

} // namespace
