#include "tools/qvtest/QvTestWindow.h"

#include "platform/ole/ComponentLoader.h"
#include "platform/ole/Control.h"
#include "platform/text/Ansi.h"
#include "platform/ui/DialogTemplate.h"
#include "platform/ui/PropertyFrame.h"
#include "tools/qvtest/ValueText.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QFormLayout>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr int kColumnWidth = 300;
constexpr int kRowHeight = 100;
constexpr QSize kControlSize{280, 80};
constexpr int kLogLines = 5000;
constexpr int kPaneWidth = 300;
constexpr int kLogHeight = 150;
constexpr int kTypeWidth = 110;

QSpinBox *coordinateBox()
{
    auto *box = new QSpinBox;
    box->setRange(0, 4000);
    return box;
}

} // namespace

QvTestWindow::QvTestWindow(const std::string &controlsDirectory, QWidget *parent)
    : QMainWindow(parent), m_surfaceWidget(new QWidget), m_surface(m_surfaceWidget)
{
    setWindowTitle(QStringLiteral("qvtest"));
    m_surfaceWidget->setMinimumSize(2 * kColumnWidth + 20, 3 * kRowHeight + 20);
    // Made first, the selection frame lies below every control placed later.
    m_selection = new QFrame(m_surfaceWidget);
    m_selection->setFrameStyle(QFrame::Box | QFrame::Plain);
    m_selection->setLineWidth(2);
    m_selection->hide();

    m_log = new QPlainTextEdit;
    m_log->setReadOnly(true);
    m_log->setMaximumBlockCount(kLogLines);

    auto *scroller = new QScrollArea;
    scroller->setWidget(m_surfaceWidget);
    auto *top = new QSplitter(Qt::Horizontal);
    top->addWidget(buildClassPane());
    top->addWidget(scroller);
    top->addWidget(buildControlPane());
    top->setSizes({kPaneWidth, m_surfaceWidget->minimumWidth(), kPaneWidth});
    auto *whole = new QSplitter(Qt::Vertical);
    whole->addWidget(top);
    whole->addWidget(m_log);
    whole->setSizes({m_surfaceWidget->minimumHeight() + 120, kLogHeight});
    setCentralWidget(whole);
    buildMenus();

    m_surface.setLogHandler([this](const std::string &line) { appendLog(text::fromAnsi(line)); });
    // The grid follows later: the change may come from inside an edit of the grid itself.
    m_surface.setChangeHandler([this](int id) {
        if (id == selectedId())
            QMetaObject::invokeMethod(this, &QvTestWindow::showProperties, Qt::QueuedConnection);
    });

    const ole::HRESULT hr = ole::ComponentLoader::registerLibrariesIn(controlsDirectory);
    if (ole::failed(hr))
        appendLog(QStringLiteral("Registering the libraries in %1 failed: %2")
                      .arg(QString::fromStdString(controlsDirectory),
                           QString::fromStdString(ValueText::show(ole::ErrorValue{hr}))));
    listClasses();
}

void QvTestWindow::buildMenus()
{
    QMenu *file = menuBar()->addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("&Save Stream..."), this, &QvTestWindow::saveStream);
    file->addAction(QStringLiteral("&Load Stream..."), this, &QvTestWindow::loadStream);
    file->addAction(QStringLiteral("&Copy Stream as Template Text"), this,
                    &QvTestWindow::copyTemplateStream);
    file->addSeparator();
    file->addAction(QStringLiteral("&Quit"), this, &QWidget::close);

    QMenu *edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    edit->addAction(QStringLiteral("&Properties..."), this, &QvTestWindow::openPropertyFrame);

    QMenu *mode = menuBar()->addMenu(QStringLiteral("&Mode"));
    m_designMode = mode->addAction(QStringLiteral("&Design Mode"));
    m_designMode->setCheckable(true);
    m_designMode->setChecked(!m_surface.userMode());
    connect(m_designMode, &QAction::toggled, this, &QvTestWindow::setDesignMode);
}

QWidget *QvTestWindow::buildClassPane()
{
    auto *pane = new QWidget;
    auto *layout = new QVBoxLayout(pane);
    layout->addWidget(new QLabel(QStringLiteral("Registered controls:")));
    m_classList = new QListWidget;
    layout->addWidget(m_classList);
    auto *place = new QPushButton(QStringLiteral("&Place"));
    layout->addWidget(place);
    connect(place, &QPushButton::clicked, this, [this] { placeClass(m_classList->currentRow()); });
    connect(m_classList, &QListWidget::itemDoubleClicked, this,
            [this] { placeClass(m_classList->currentRow()); });
    return pane;
}

QWidget *QvTestWindow::buildControlPane()
{
    auto *pane = new QWidget;
    auto *layout = new QVBoxLayout(pane);
    layout->addWidget(new QLabel(QStringLiteral("Placed controls:")));
    m_placedList = new QListWidget;
    m_placedList->setMaximumHeight(110);
    layout->addWidget(m_placedList);
    connect(m_placedList, &QListWidget::currentRowChanged, this, &QvTestWindow::showSelected);

    auto *place = new QFormLayout;
    m_x = coordinateBox();
    m_y = coordinateBox();
    m_width = coordinateBox();
    m_height = coordinateBox();
    auto *position = new QHBoxLayout;
    position->addWidget(m_x);
    position->addWidget(m_y);
    auto *size = new QHBoxLayout;
    size->addWidget(m_width);
    size->addWidget(m_height);
    place->addRow(QStringLiteral("Position:"), position);
    place->addRow(QStringLiteral("Size:"), size);
    layout->addLayout(place);
    auto *buttons = new QHBoxLayout;
    auto *apply = new QPushButton(QStringLiteral("&Apply Place"));
    auto *remove = new QPushButton(QStringLiteral("&Remove"));
    buttons->addWidget(apply);
    buttons->addWidget(remove);
    layout->addLayout(buttons);
    connect(apply, &QPushButton::clicked, this, &QvTestWindow::applyGeometry);
    connect(remove, &QPushButton::clicked, this, &QvTestWindow::removeSelected);

    m_grid = new QTableWidget(0, 3);
    m_grid->setHorizontalHeaderLabels(
        {QStringLiteral("Property"), QStringLiteral("Type"), QStringLiteral("Value")});
    m_grid->verticalHeader()->hide();
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_grid->setColumnWidth(1, kTypeWidth);
    m_grid->setWordWrap(false);
    layout->addWidget(m_grid, 1);
    connect(m_grid, &QTableWidget::cellChanged, this, &QvTestWindow::propertyEdited);
    m_error = new QLabel;
    m_error->setTextFormat(Qt::PlainText);
    m_error->setWordWrap(true);
    m_error->setStyleSheet(QStringLiteral("color: #a00000"));
    layout->addWidget(m_error);
    return pane;
}

void QvTestWindow::listClasses()
{
    // Controls register their status bits; property pages, served by the same libraries, none.
    for (ole::ClassEntry &entry : ole::Registry::registeredClasses())
        if (entry.miscStatus != 0)
            m_classes.push_back(std::move(entry));
    for (const ole::ClassEntry &entry : m_classes)
        m_classList->addItem(QStringLiteral("%1 - %2").arg(QString::fromStdString(entry.progId),
                                                           text::fromAnsi(entry.typeName)));
    if (!m_classes.empty())
        m_classList->setCurrentRow(0);
}

int QvTestWindow::placeClass(int row)
{
    if (row < 0 || row >= static_cast<int>(m_classes.size()))
        return 0;
    QString error;
    const int id =
        m_surface.place(m_classes[static_cast<std::size_t>(row)], nextGeometry(), {}, error);
    added(id, error);
    return id;
}

QRect QvTestWindow::nextGeometry() const
{
    const int index = static_cast<int>(m_surface.placed().size());
    return {QPoint(10 + index % 2 * kColumnWidth, 10 + index / 2 * kRowHeight), kControlSize};
}

void QvTestWindow::added(int id, const QString &error)
{
    if (id == 0) {
        appendLog(error);
        return;
    }
    m_placedList->addItem(text::fromAnsi(m_surface.placed().back().name));
    select(id);
}

void QvTestWindow::select(int id)
{
    const auto &placed = m_surface.placed();
    for (std::size_t i = 0; i < placed.size(); ++i)
        if (placed[i].id == id)
            m_placedList->setCurrentRow(static_cast<int>(i));
}

int QvTestWindow::selectedId() const
{
    const int row = m_placedList->currentRow();
    const auto &placed = m_surface.placed();
    return row < 0 || row >= static_cast<int>(placed.size())
               ? 0
               : placed[static_cast<std::size_t>(row)].id;
}

void QvTestWindow::showSelected()
{
    const ole::Control *control = m_surface.control(selectedId());
    const QWidget *window = control ? control->window() : nullptr;
    m_selection->setVisible(window != nullptr);
    if (window) {
        const QRect place = window->geometry();
        m_selection->setGeometry(place.adjusted(-4, -4, 4, 4));
        m_x->setValue(place.x());
        m_y->setValue(place.y());
        m_width->setValue(place.width());
        m_height->setValue(place.height());
    }
    m_error->clear();
    showProperties();
}

void QvTestWindow::showProperties()
{
    m_filling = true;
    const auto properties = m_surface.properties(selectedId());
    m_grid->setRowCount(static_cast<int>(properties.size()));
    for (std::size_t i = 0; i < properties.size(); ++i) {
        const auto &property = properties[i];
        const int row = static_cast<int>(i);
        auto *name = new QTableWidgetItem(QString::fromStdString(property.name));
        auto *type = new QTableWidgetItem(QString::fromStdString(property.type));
        auto *value = new QTableWidgetItem(text::fromAnsi(property.value));
        name->setFlags(Qt::ItemIsEnabled);
        type->setFlags(Qt::ItemIsEnabled);
        value->setFlags(property.editable ? Qt::ItemIsEnabled | Qt::ItemIsEditable
                                          : Qt::ItemIsEnabled);
        m_grid->setItem(row, 0, name);
        m_grid->setItem(row, 1, type);
        m_grid->setItem(row, 2, value);
    }
    m_grid->resizeColumnToContents(0);
    m_filling = false;
}

void QvTestWindow::propertyEdited(int row, int column)
{
    if (m_filling || column != 2)
        return;
    const QString error =
        m_surface.putProperty(selectedId(), m_grid->item(row, 0)->text().toStdString(),
                              text::toAnsi(m_grid->item(row, 2)->text()));
    m_error->setText(error);
    // Shows what the control kept: the value as it took it, or the old one after a refusal.
    QMetaObject::invokeMethod(this, &QvTestWindow::showProperties, Qt::QueuedConnection);
}

void QvTestWindow::applyGeometry()
{
    m_surface.setGeometry(selectedId(),
                          QRect(m_x->value(), m_y->value(), m_width->value(), m_height->value()));
    showSelected();
}

void QvTestWindow::removeSelected()
{
    const int row = m_placedList->currentRow();
    const int id = selectedId();
    if (id == 0)
        return;
    m_surface.remove(id);
    delete m_placedList->takeItem(row);
    showSelected();
}

void QvTestWindow::saveStream()
{
    const int id = selectedId();
    if (id == 0)
        return;
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Save Stream"));
    QString error;
    if (!path.isEmpty() && !m_surface.saveStream(id, path, error))
        appendLog(error);
}

void QvTestWindow::loadStream()
{
    const int row = m_classList->currentRow();
    if (row < 0 || row >= static_cast<int>(m_classes.size()))
        return;
    const QString path = QFileDialog::getOpenFileName(
        this, QStringLiteral("Load Stream into a new %1")
                  .arg(QString::fromStdString(m_classes[static_cast<std::size_t>(row)].progId)));
    if (path.isEmpty())
        return;
    QString error;
    added(
        m_surface.loadStream(m_classes[static_cast<std::size_t>(row)], nextGeometry(), path, error),
        error);
}

void QvTestWindow::copyTemplateStream()
{
    QString error;
    if (const auto stream = m_surface.stream(selectedId(), error))
        QApplication::clipboard()->setText(ui::DialogTemplate::streamText(*stream));
    else
        appendLog(error);
}

void QvTestWindow::setDesignMode(bool design)
{
    m_surface.setUserMode(!design);
    appendLog(design ? QStringLiteral("Design mode") : QStringLiteral("Run mode"));
}

void QvTestWindow::appendLog(const QString &line)
{
    m_log->appendPlainText(line);
}

void QvTestWindow::openPropertyFrame()
{
    const int id = selectedId();
    ole::Control *control = m_surface.control(id);
    const DesignSurface::Placed *placed = m_surface.find(id);
    if (!control || !placed)
        return;
    const std::vector<ole::Clsid> pages = control->propertyPages();
    if (pages.empty() ||
        ole::failed(ui::OleCreatePropertyFrame(this, placed->name, *control, pages)))
        appendLog(
            QStringLiteral("%1 has no property pages.").arg(QString::fromStdString(placed->name)));
}
