#include "platform/ui/CommonDialogs.h"

#include "platform/text/Ansi.h"
#include "platform/ui/ColorRef.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QPointer>
#include <utility>

namespace ui {

namespace {

OpenFileHandler &openFileHandler()
{
    static OpenFileHandler handler;
    return handler;
}

ChooseColorHandler &chooseColorHandler()
{
    static ChooseColorHandler handler;
    return handler;
}

} // namespace

std::optional<std::string> GetOpenFileName(const OpenFileRequest &request)
{
    // A copy, so that a handler may install another one while it runs.
    if (const OpenFileHandler handler = openFileHandler())
        return handler(request);

    // On the heap: the owner may be destroyed while the dialog runs, taking the dialog with it.
    const QPointer<QFileDialog> dialog = new QFileDialog(request.owner);
    dialog->setFileMode(QFileDialog::ExistingFile);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setNameFilter(text::fromAnsi(request.filter));
    dialog->setDefaultSuffix(text::fromAnsi(request.defaultExtension));
    const bool accepted = dialog->exec() == QDialog::Accepted && dialog;
    std::optional<std::string> chosen;
    if (accepted && !dialog->selectedFiles().isEmpty())
        chosen = text::toAnsi(dialog->selectedFiles().constFirst());
    delete dialog.data();
    return chosen;
}

OpenFileHandler setOpenFileHandler(OpenFileHandler handler)
{
    return std::exchange(openFileHandler(), std::move(handler));
}

std::optional<int> ChooseColor(QWidget *owner, int initial)
{
    if (const ChooseColorHandler handler = chooseColorHandler())
        return handler(owner, initial);

    const QPointer<QColorDialog> dialog = new QColorDialog(fromColorRef(initial), owner);
    const bool accepted = dialog->exec() == QDialog::Accepted && dialog;
    std::optional<int> chosen;
    if (accepted)
        chosen = toColorRef(dialog->selectedColor());
    delete dialog.data();
    return chosen;
}

ChooseColorHandler setChooseColorHandler(ChooseColorHandler handler)
{
    return std::exchange(chooseColorHandler(), std::move(handler));
}

} // namespace ui
