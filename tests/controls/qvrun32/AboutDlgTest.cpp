#include "controls/qvrun32/Qvrun32.h"
#include "platform/ui/MessageBox.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

using namespace qvrun32;

TEST(AboutDlg, RunsModallyOverItsParentAndEndsWithOk)
{
    QWidget parent;
    QStringList texts;
    QWidget *owner = nullptr;
    QTimer::singleShot(0, [&] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        owner = dialog->parentWidget();
        for (const QLabel *label : dialog->findChildren<QLabel *>()) {
            EXPECT_EQ(label->textFormat(), Qt::PlainText);
            texts << label->text();
        }
        dialog->accept();
    });
    EXPECT_EQ(CQvAboutDlg(&parent).DoModal(), ui::IDOK);
    EXPECT_EQ(owner, &parent);
    EXPECT_TRUE(texts.contains(QStringLiteral("3-D Controls")));
    EXPECT_TRUE(texts.contains(QStringLiteral("Version 2.0")));
}

TEST(AboutDlg, ClosedWithoutOkEndsWithCancel)
{
    QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
    EXPECT_EQ(CQvAboutDlg(nullptr).DoModal(), ui::IDCANCEL);
}
