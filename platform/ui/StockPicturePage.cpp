#include "platform/ui/StockPicturePage.h"

#include "platform/ole/StdPicture.h"
#include "platform/text/Ansi.h"
#include "platform/ui/CommonDialogs.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/MessageBox.h"

#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

namespace ui {

DialogTemplate StockPicturePage::pageTemplate() const
{
    return pageOf(
        242, 100,
        {
            item(10, "STATIC", QRect(7, 9, 70, 10), "Property &Name:"),
            item(IDC_PROPERTY, "COMBOBOX", QRect(80, 7, 120, 80), {}, {"CBS_DROPDOWNLIST"}),
            item(IDC_PREVIEW, "STATIC", QRect(80, 27, 90, 64)),
            item(IDC_BROWSE, "BUTTON", QRect(180, 27, 55, 14), "&Browse..."),
            item(IDC_CLEAR, "BUTTON", QRect(180, 45, 55, 14), "&Clear"),
        });
}

void StockPicturePage::prepare(Dialog &page)
{
    auto *preview = control<QLabel>(page, IDC_PREVIEW);
    preview->setFrameShape(QFrame::Box);
    preview->setAlignment(Qt::AlignCenter);
    QObject::connect(control<QPushButton>(page, IDC_BROWSE), &QPushButton::clicked, &page,
                     [this, &page] { browse(page); });
    QObject::connect(
        control<QPushButton>(page, IDC_CLEAR), &QPushButton::clicked, &page,
        [this, &page] { change(page, ole::DispatchPtr(std::make_shared<ole::StdPicture>())); });
}

void StockPicturePage::showValue(Dialog &page, const ole::Variant &value) const
{
    auto *preview = control<QLabel>(page, IDC_PREVIEW);
    const auto picture =
        std::dynamic_pointer_cast<ole::StdPicture>(ole::toDispatch(value).value_or(nullptr));
    if (!picture || picture->image().isNull()) {
        preview->setPixmap(QPixmap());
        preview->setText(QStringLiteral("(None)"));
        return;
    }
    const QPixmap pixmap = QPixmap::fromImage(picture->image());
    preview->setPixmap(pixmap.width() > preview->width() || pixmap.height() > preview->height()
                           ? pixmap.scaled(preview->size(), Qt::KeepAspectRatio)
                           : pixmap);
}

void StockPicturePage::browse(Dialog &page)
{
    const auto path = GetOpenFileName({&page, "Pictures (*.bmp;*.ico)", "bmp"});
    if (!path)
        return;
    // Only a regular file is read; what it holds is decoded defensively.
    const QString file = text::fromAnsi(*path);
    QFile input(file);
    std::shared_ptr<ole::StdPicture> picture;
    if (QFileInfo(file).isFile() && input.open(QIODevice::ReadOnly)) {
        const QByteArray bytes = input.readAll();
        picture = ole::StdPicture::fromFile(
            std::span(reinterpret_cast<const std::uint8_t *>(bytes.constData()), bytes.size()));
    }
    if (!picture) {
        MessageBox(&page, "Invalid picture", caption(), MessageIcon::Exclamation);
        return;
    }
    change(page, ole::DispatchPtr(std::move(picture)));
}

} // namespace ui
