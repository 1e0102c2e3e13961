#include "platform/ui/MessageBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

using namespace ui;

TEST(MessageBox, AnInstalledHandlerSeesAndAnswersEveryBox)
{
    std::vector<MessageBoxRequest> seen;
    const MessageBoxHandler previous = setMessageBoxHandler([&](const MessageBoxRequest &request) {
        seen.push_back(request);
        return IDOK;
    });
    QWidget owner;
    EXPECT_EQ(MessageBox(&owner, "Caf\xE9 < 1", "Error", MessageIcon::Stop), IDOK);
    EXPECT_FALSE(setMessageBoxHandler(previous) == nullptr);

    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].owner, &owner);
    EXPECT_EQ(seen[0].text, "Caf\xE9 < 1");
    EXPECT_EQ(seen[0].caption, "Error");
    EXPECT_EQ(seen[0].icon, MessageIcon::Stop);
}

TEST(MessageBox, TheRealBoxShowsItsTextAsPlainText)
{
    QString text, title;
    Qt::TextFormat format = Qt::AutoText;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        text = box->text();
        title = box->windowTitle();
        format = box->textFormat();
        icon = box->icon();
        box->accept();
    });
    EXPECT_EQ(MessageBox(nullptr, "<b>x</b> \xE9", "Missing Information", MessageIcon::Exclamation),
              IDOK);
    EXPECT_EQ(text, QStringLiteral("<b>x</b> \u00e9"));
    EXPECT_EQ(title, QStringLiteral("Missing Information"));
    EXPECT_EQ(format, Qt::PlainText);
    EXPECT_EQ(icon, QMessageBox::Warning);
}

TEST(MessageBox, OwnerDestroyedWhileTheBoxIsUp)
{
    // Events keep running under the box: a window closing itself meanwhile takes the box along.
    auto *owner = new QWidget;
    owner->show();
    QTimer::singleShot(50, owner, [owner] { owner->deleteLater(); });
    EXPECT_EQ(MessageBox(owner, "text", "caption", MessageIcon::Information), IDOK);
}

} // namespace
