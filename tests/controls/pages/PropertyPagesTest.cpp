#include "platform/ole/ComponentLoader.h"
#include "platform/ole/Control.h"
#include "platform/ole/PropertyPage.h"
#include "platform/ole/Registry.h"
#include "platform/ole/StdFont.h"
#include "platform/ole/StdPicture.h"
#include "platform/ui/CommonDialogs.h"
#include "platform/ui/PropertyFrame.h"
#include "tests/support/PictureFiles.h"
#include "tests/support/RecordedMessageBoxes.h"
#include "tests/support/RecordingControlSite.h"
#include "tests/support/TempWindowsDirectory.h"
#include "tests/support/VisibleWindows.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace {

// A control's own property: its identifier in the control's type library.
ole::DispId dispId(ole::Control &control, const char *name)
{
    return control.idOfName(name);
}

ole::Variant property(ole::Control &control, const char *name)
{
    ole::Variant value;
    EXPECT_EQ(control.getProperty(dispId(control, name), value), ole::S_OK) << name;
    return value;
}

using Texts = std::vector<std::string>;

Texts tabCaptions(const ui::PropertyFrame &frame)
{
    Texts captions;
    for (int i = 0; i < frame.tabs()->count(); ++i)
        captions.push_back(frame.tabs()->tabText(i).toStdString());
    return captions;
}

// The field a page shows after the label `label`, or the check box or button of that text.
QWidget *field(QWidget *page, const char *name)
{
    const QString label = QString::fromLatin1(name);
    for (auto *text : page->findChildren<QLabel *>())
        if (text->text() == label)
            return text->buddy();
    for (auto *button : page->findChildren<QAbstractButton *>())
        if (button->text() == label)
            return button;
    return nullptr;
}

Texts items(QWidget *list)
{
    Texts texts;
    auto *box = qobject_cast<QComboBox *>(list);
    for (int i = 0; box && i < box->count(); ++i)
        texts.push_back(box->itemText(i).toStdString());
    return texts;
}

// Edits `widget` as the user would: types `value` into a field, chooses item `value` of a
// list, clicks a check box.
void edit(QWidget *widget, const char *typed)
{
    const QString value = QString::fromLatin1(typed);
    if (auto *line = qobject_cast<QLineEdit *>(widget)) {
        line->selectAll();
        QTest::keyClicks(line, value);
    } else if (auto *text = qobject_cast<QPlainTextEdit *>(widget)) {
        text->setPlainText(value);
    } else if (auto *list = qobject_cast<QComboBox *>(widget)) {
        list->setCurrentIndex(value.toInt());
        Q_EMIT list->activated(value.toInt());
    } else if (auto *box = qobject_cast<QCheckBox *>(widget)) {
        box->click();
    } else {
        ADD_FAILURE() << "no field to edit";
    }
}

std::vector<QDialog *> aboutBoxes()
{
    std::vector<QDialog *> boxes;
    for (QDialog *dialog : visibleWindows<QDialog>())
        if (dialog->windowTitle() == QStringLiteral("About 3-D Controls"))
            boxes.push_back(dialog);
    return boxes;
}

} // namespace

// The controls as a container gets them: their libraries registered from the program's
// controls folder, each control made by the loader from its ProgID, on a recording site.
class PropertyPagesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(ole::ComponentLoader::registerLibrariesIn(TARVIL_CONTROLS_DIR), ole::S_OK);
    }

    std::shared_ptr<ole::Control> create(const char *progId)
    {
        std::shared_ptr<ole::Control> control;
        const auto clsid = ole::Registry::clsidFromProgId(progId);
        EXPECT_TRUE(clsid) << progId;
        if (clsid && ole::succeeded(ole::ComponentLoader::createInstance(*clsid, control))) {
            control->setClientSite(&m_site);
            EXPECT_EQ(control->initNew(), ole::S_OK);
        }
        return control;
    }

    std::unique_ptr<ui::PropertyFrame> open(ole::Control &control)
    {
        const auto pages = control.propertyPages();
        auto frame = std::make_unique<ui::PropertyFrame>(nullptr, "Test", control, pages);
        frame->show();
        return frame;
    }

    static QWidget *page(const ui::PropertyFrame &frame, int index)
    {
        frame.tabs()->setCurrentIndex(index);
        return frame.tabs()->widget(index);
    }

    TempWindowsDirectory m_windows;
    RecordingControlSite m_site;
};

TEST_F(PropertyPagesTest, EachControlShowsItsOwnPagesThenTheStockOnes)
{
    const std::vector<std::pair<const char *, Texts>> controls = {
        {"QVMQ200.QvMarqueeCtrl.1", {"General", "Marque", "Font", "Color", "Picture"}},
        {"QVGTXT.Qv3dTextCtrl.1", {"General", "Color", "Font"}},
        {"QV3DLBL.Qv3dLabelCtrl.1",
         {"General", "Bevels And Borders", "Label", "Color", "Font", "Picture"}},
        {"QVCM200.Qvcm200Ctrl.1", {"General", "Bevels and Borders", "Color", "Font", "Picture"}},
        {"QV3DFRM.Qv3dfrmCtrl.1", {"General", "Color", "Font", "Picture"}},
    };
    for (const auto &[progId, captions] : controls) {
        const auto control = create(progId);
        ASSERT_TRUE(control);
        EXPECT_EQ(tabCaptions(*open(*control)), captions) << progId;
    }
    // Every page is registered under its ProgID in its control's library.
    for (const char *progId :
         {"QVMQ200.QvMarqueePropPage.1", "Qvmarq32.CQvMarqueePropPage1",
          "QVGTXT.Qv3dTextPropPage.1", "QV3DLBL.Qv3dLabelPropPage.1",
          "Qv3dlb32.CQv3dLabelPropPage1", "Qv3dlb32.CQv3dLabelPropPage2",
          "QVCM200.Qvcm200PropPage.1", "QVCM200.CQvcm200PropPage2", "QV3DFRM.Qv3dfrmPropPage.1"}) {
        const auto clsid = ole::Registry::clsidFromProgId(progId);
        ASSERT_TRUE(clsid) << progId;
        std::shared_ptr<ole::PropertyPage> page;
        EXPECT_EQ(ole::ComponentLoader::createPage(*clsid, page), ole::S_OK) << progId;
    }
}

// A field of each own page is edited; the control sees the new value only on Apply.
TEST_F(PropertyPagesTest, OwnPagesWriteTheirEditsOnApply)
{
    struct Edit {
        const char *progId;
        int page;
        const char *label;
        const char *value;
        const char *property;
        ole::Variant expected;
    };
    const Edit edits[] = {
        {"QVMQ200.QvMarqueeCtrl.1", 0, "&Interval:", "250", "Interval", std::int32_t{250}},
        {"QVMQ200.QvMarqueeCtrl.1", 1, "CaptionL&eft:", "60", "CaptionLeft", std::int16_t{60}},
        {"QVGTXT.Qv3dTextCtrl.1", 0, "&ScrollBars:", "3", "ScrollBars", std::int16_t{3}},
        {"QVGTXT.Qv3dTextCtrl.1", 0, "&ReadOnly", "", "ReadOnly", true},
        {"QV3DLBL.Qv3dLabelCtrl.1", 0, "&Caption:", "Two\nlines", "Caption",
         std::string("Two\r\nlines")},
        {"QV3DLBL.Qv3dLabelCtrl.1", 1, "BevelStyle&Inner:", "1", "BevelStyleInner",
         std::int16_t{1}},
        {"QV3DLBL.Qv3dLabelCtrl.1", 2, "Font&Escapement:", "450", "FontEscapement",
         std::int16_t{450}},
        {"QVCM200.Qvcm200Ctrl.1", 0, "&StateButton", "", "StateButton", true},
        {"QVCM200.Qvcm200Ctrl.1", 1, "BevelSi&ze:", "3", "BevelSize", std::int16_t{3}},
        {"QV3DFRM.Qv3dfrmCtrl.1", 0, "F&ormatString:", "[%s]", "FormatString", std::string("[%s]")},
    };
    for (const Edit &change : edits) {
        SCOPED_TRACE(std::string(change.progId) + " " + change.label);
        const auto control = create(change.progId);
        ASSERT_TRUE(control);
        const ole::Variant before = property(*control, change.property);
        const auto frame = open(*control);
        QWidget *widget = field(page(*frame, change.page), change.label);
        ASSERT_TRUE(widget);
        EXPECT_FALSE(frame->applyButton()->isEnabled());
        edit(widget, change.value);
        EXPECT_TRUE(frame->applyButton()->isEnabled());
        EXPECT_EQ(property(*control, change.property), before);
        frame->applyButton()->click();
        EXPECT_EQ(property(*control, change.property), change.expected);
        EXPECT_FALSE(frame->applyButton()->isEnabled());
    }
}

TEST_F(PropertyPagesTest, ListsHoldTheirTextsAndShowTheCurrentValue)
{
    const auto button = create("QVCM200.Qvcm200Ctrl.1");
    ASSERT_TRUE(button);
    const auto buttonFrame = open(*button);
    QWidget *general = page(*buttonFrame, 0);
    // Filled from the type library, value and description.
    EXPECT_EQ(items(field(general, "Alignmen&t:")),
              Texts({"0 - Align to left", "1 - Align to right", "2 - Align to center"}));
    EXPECT_EQ(items(field(general, "&FontStyle:")),
              Texts({"0 - None", "1 - Raised", "2 - Raised with more shading", "3 - Lowered",
                     "4 - Lowered with more shading"}));
    auto *bevel = qobject_cast<QComboBox *>(field(page(*buttonFrame, 1), "Bevel&Style:"));
    ASSERT_TRUE(bevel);
    EXPECT_EQ(items(bevel), Texts({"0 - Lowered", "1 - Raised", "2 - Chiseled"}));
    EXPECT_EQ(bevel->currentIndex(), 1); // a new button is raised

    const auto box = create("QVGTXT.Qv3dTextCtrl.1");
    ASSERT_TRUE(box);
    EXPECT_EQ(items(field(page(*open(*box), 0), "&ScrollBars:")),
              Texts({"0 - None", "1 - Vertical", "2 - Horizontal", "3 - Both"}));

    const auto frame = create("QV3DFRM.Qv3dfrmCtrl.1");
    ASSERT_TRUE(frame);
    EXPECT_EQ(items(field(page(*open(*frame), 0), "Be&velStyle:")),
              Texts({"0-Lowered", "1-Raised", "2-Chiseled", "3-Shadow Right", "4-Shadow Left"}));
}

// The About button makes a control of its own for the box, so the edited control's container
// hears nothing; a second request while the box is up opens no second box.
TEST_F(PropertyPagesTest, AboutOpensOneBoxThroughATemporaryControl)
{
    const auto label = create("QV3DLBL.Qv3dLabelCtrl.1");
    ASSERT_TRUE(label);
    const auto frame = open(*label);
    QWidget *about = field(page(*frame, 0), "A&bout...");
    ASSERT_TRUE(about);
    std::size_t boxesShown = 0;
    QTimer::singleShot(0, [&] {
        QTimer::singleShot(0, [&] {
            const auto boxes = aboutBoxes();
            boxesShown = boxes.size();
            for (QDialog *box : boxes)
                box->reject();
        });
        static_cast<QPushButton *>(about)->click();
    });
    static_cast<QPushButton *>(about)->click();
    EXPECT_EQ(boxesShown, 1u);
    EXPECT_TRUE(aboutBoxes().empty());
    EXPECT_TRUE(m_site.modal.empty());
}

TEST_F(PropertyPagesTest, OkWritesAndClosesCancelWritesNothingARefusalKeepsTheFrameOpen)
{
    const auto label = create("QV3DLBL.Qv3dLabelCtrl.1");
    ASSERT_TRUE(label);
    {
        const auto frame = open(*label);
        edit(field(page(*frame, 1), "BevelSi&ze:"), "4");
        frame->reject();
    }
    EXPECT_EQ(property(*label, "BevelSize"), ole::Variant(std::int16_t{0}));
    {
        const auto frame = open(*label);
        edit(field(page(*frame, 1), "BevelSi&ze:"), "4");
        frame->accept();
        EXPECT_EQ(frame->result(), QDialog::Accepted);
    }
    EXPECT_EQ(property(*label, "BevelSize"), ole::Variant(std::int16_t{4}));

    RecordedMessageBoxes boxes;
    const auto frame = open(*label);
    edit(field(page(*frame, 1), "BevelSi&ze:"), "-1");
    frame->accept();
    EXPECT_TRUE(frame->isVisible());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Bevels And Borders");
    EXPECT_EQ(property(*label, "BevelSize"), ole::Variant(std::int16_t{4}));
    EXPECT_TRUE(frame->applyButton()->isEnabled());
}

TEST_F(PropertyPagesTest, StockPagesWriteAColourTheFontAndAPicture)
{
    const auto label = create("QV3DLBL.Qv3dLabelCtrl.1");
    ASSERT_TRUE(label);
    const auto frame = open(*label);

    QWidget *colors = page(*frame, 3);
    auto *names = qobject_cast<QComboBox *>(field(colors, "Property &Name:"));
    ASSERT_TRUE(names);
    const int fill = names->findText(QStringLiteral("FillColor"));
    ASSERT_GE(fill, 0);
    EXPECT_GE(names->findText(QStringLiteral("TextColor")), 0);
    names->setCurrentIndex(fill);
    const auto previousColor =
        ui::setChooseColorHandler([](QWidget *, int) { return std::optional<int>(0x0000FF); });
    static_cast<QPushButton *>(field(colors, "&Edit..."))->click();
    ui::setChooseColorHandler(previousColor);

    QWidget *font = page(*frame, 4);
    edit(field(font, "&Size:"), "12");
    edit(field(font, "&Bold"), "");

    QTemporaryDir folder;
    const QString bitmap = folder.filePath(QStringLiteral("picture.bmp"));
    const auto bytes = imageFile(16, 8, 0xFF2060A0, "BMP");
    QFile file(bitmap);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(reinterpret_cast<const char *>(bytes.data()), static_cast<qint64>(bytes.size()));
    file.close();
    const auto previousOpen = ui::setOpenFileHandler(
        [&bitmap](const ui::OpenFileRequest &) { return std::optional(bitmap.toStdString()); });
    QWidget *pictures = page(*frame, 5);
    static_cast<QPushButton *>(field(pictures, "&Browse..."))->click();
    ui::setOpenFileHandler(previousOpen);

    frame->applyButton()->click();
    EXPECT_EQ(property(*label, "FillColor"), ole::Variant(std::int32_t{0x0000FF}));
    const auto labelFont =
        std::dynamic_pointer_cast<ole::StdFont>(*ole::toDispatch(property(*label, "Font")));
    ASSERT_TRUE(labelFont);
    EXPECT_EQ(labelFont->size(), ole::Currency{120000});
    EXPECT_TRUE(labelFont->bold());
    const auto picture =
        std::dynamic_pointer_cast<ole::StdPicture>(*ole::toDispatch(property(*label, "Picture")));
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->type(), ole::StdPicture::Type::Bitmap);

    static_cast<QPushButton *>(field(pictures, "&Clear"))->click();
    frame->applyButton()->click();
    const auto cleared =
        std::dynamic_pointer_cast<ole::StdPicture>(*ole::toDispatch(property(*label, "Picture")));
    ASSERT_TRUE(cleared);
    EXPECT_EQ(cleared->type(), ole::StdPicture::Type::None);
}

// With TARVIL_SHEET_DIR set, saves pages_<library>.png there for each control, to look at:
// its property frame with each of its pages in turn, three to a row.
TEST_F(PropertyPagesTest, Sheet)
{
    const QString folder = qEnvironmentVariable("TARVIL_SHEET_DIR");
    if (folder.isEmpty())
        GTEST_SKIP() << "TARVIL_SHEET_DIR is not set";
    const std::pair<const char *, const char *> controls[] = {
        {"qvmq200", "QVMQ200.QvMarqueeCtrl.1"}, {"qvgtxt", "QVGTXT.Qv3dTextCtrl.1"},
        {"qv3dlbl", "QV3DLBL.Qv3dLabelCtrl.1"}, {"qvcm200", "QVCM200.Qvcm200Ctrl.1"},
        {"qv3dfrm", "QV3DFRM.Qv3dfrmCtrl.1"},
    };
    for (const auto &[library, progId] : controls) {
        const auto control = create(progId);
        ASSERT_TRUE(control);
        const auto frame = open(*control);
        std::vector<QImage> shots;
        for (int i = 0; i < frame->tabs()->count(); ++i) {
            page(*frame, i);
            frame->adjustSize();
            shots.push_back(frame->grab().toImage());
        }
        const QSize cell = frame->size() + QSize(8, 8);
        const int columns = std::min<int>(3, static_cast<int>(shots.size()));
        const int rows = (static_cast<int>(shots.size()) + columns - 1) / columns;
        QImage sheet(columns * cell.width() + 8, rows * cell.height() + 8, QImage::Format_RGB32);
        sheet.fill(QColor(0x80, 0x80, 0x80));
        QPainter painter(&sheet);
        for (std::size_t i = 0; i < shots.size(); ++i)
            painter.drawImage(8 + static_cast<int>(i) % columns * cell.width(),
                              8 + static_cast<int>(i) / columns * cell.height(), shots[i]);
        painter.end();
        ASSERT_TRUE(sheet.save(
            QDir(folder).filePath(QStringLiteral("pages_%1.png").arg(QLatin1String(library)))));
    }
}
