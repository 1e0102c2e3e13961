#include "platform/ui/PropertyFrame.h"

#include "platform/ole/ComponentLoader.h"
#include "platform/ole/PropertyPage.h"
#include "platform/text/Ansi.h"
#include "platform/ui/StockColorPage.h"
#include "platform/ui/StockFontPage.h"
#include "platform/ui/StockPicturePage.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace ui {

PropertyFrame::PropertyFrame(QWidget *owner, std::string_view caption, ole::Dispatch &object,
                             std::span<const ole::Clsid> pages)
    : QDialog(owner), m_tabs(new QTabWidget(this))
{
    setWindowTitle(text::fromAnsi(std::string(caption) + " Properties"));
    // Every tab in sight: the frame is as wide as its tabs need.
    m_tabs->setUsesScrollButtons(false);
    auto *buttons = new QDialogButtonBox(
        QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply, this);
    m_apply = buttons->button(QDialogButtonBox::Apply);
    connect(buttons, &QDialogButtonBox::accepted, this, &PropertyFrame::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &PropertyFrame::reject);
    connect(m_apply, &QPushButton::clicked, this, [this] { applyPages(); });

    for (const ole::Clsid &clsid : pages) {
        std::shared_ptr<ole::PropertyPage> page = createPage(clsid);
        if (!page)
            continue;
        page->setPageSite(this);
        page->setObject(&object);
        if (QWidget *window = page->createWindow(m_tabs)) {
            m_tabs->addTab(window, text::fromAnsi(page->caption()));
            m_pages.push_back(std::move(page));
        }
    }

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    onStatusChange();
}

// The pages' windows go with the tabs; the pages themselves (whose code may lie in a library)
// outlive them.
PropertyFrame::~PropertyFrame()
{
    delete m_tabs;
}

ole::HRESULT PropertyFrame::applyPages()
{
    for (const auto &page : m_pages) {
        if (const ole::HRESULT hr = page->apply(); ole::failed(hr))
            return hr;
    }
    return ole::S_OK;
}

void PropertyFrame::onStatusChange()
{
    m_apply->setEnabled(std::ranges::any_of(m_pages, &ole::PropertyPage::isPageDirty));
}

void PropertyFrame::accept()
{
    if (ole::succeeded(applyPages()))
        QDialog::accept();
}

std::shared_ptr<ole::PropertyPage> PropertyFrame::createPage(const ole::Clsid &clsid)
{
    if (clsid == ole::CLSID_StockColorPage)
        return std::make_shared<StockColorPage>();
    if (clsid == ole::CLSID_StockFontPage)
        return std::make_shared<StockFontPage>();
    if (clsid == ole::CLSID_StockPicturePage)
        return std::make_shared<StockPicturePage>();
    std::shared_ptr<ole::PropertyPage> page;
    ole::ComponentLoader::createPage(clsid, page);
    return page;
}

ole::HRESULT OleCreatePropertyFrame(QWidget *owner, std::string_view caption, ole::Dispatch &object,
                                    std::span<const ole::Clsid> pages)
{
    PropertyFrame frame(owner, caption, object, pages);
    if (frame.tabs()->count() == 0)
        return ole::E_INVALIDARG;
    frame.exec();
    return ole::S_OK;
}

} // namespace ui
