#include "controls/qvrun32/CQvAboutDlg.h"

#include "platform/ui/MessageBox.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPointer>
#include <QVBoxLayout>

namespace qvrun32 {

namespace {

QLabel *plainLabel(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
    label->setAlignment(Qt::AlignHCenter);
    return label;
}

} // namespace

CQvAboutDlg::CQvAboutDlg(QWidget *parent) : m_parent(parent) {}

int CQvAboutDlg::DoModal()
{
    // On the heap: events keep running while the box is up, and the control's window may be
    // destroyed meanwhile, taking the box with it.
    const QPointer<QDialog> dialog = new QDialog(m_parent);
    dialog->setWindowTitle(QStringLiteral("About 3-D Controls"));
    auto *layout = new QVBoxLayout(dialog);

    QLabel *title = plainLabel(QStringLiteral("3-D Controls"), dialog);
    QFont titleFont = title->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.5);
    title->setFont(titleFont);
    layout->addWidget(title);
    layout->addWidget(plainLabel(QStringLiteral("Version 2.0"), dialog));
    layout->addWidget(plainLabel(
        QStringLiteral("Raised and lowered text, bevelled frames and pictures for Tarvil 32."),
        dialog));

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    const int result = dialog->exec() == QDialog::Accepted ? ui::IDOK : ui::IDCANCEL;
    delete dialog.data();
    return result;
}

} // namespace qvrun32
