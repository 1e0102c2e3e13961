#pragma once

#include "platform/ole/Registry.h"
#include "tools/qvtest/DesignSurface.h"

#include <QMainWindow>
#include <string>
#include <vector>

class QAction;
class QFrame;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QSpinBox;
class QTableWidget;

// qvtest's window: the registered controls on the left, the design surface in the middle, the
// placed controls with their place and their property grid on the right, the log of events and
// property changes below; the mode and the stream files in the menus.
class QvTestWindow : public QMainWindow {
public:
    // Registers the control libraries in `controlsDirectory` and lists the registered classes.
    explicit QvTestWindow(const std::string &controlsDirectory, QWidget *parent = nullptr);

    DesignSurface &surface() { return m_surface; }
    // Places a new control of the class listed at `row`; its id, or 0 when it cannot be made
    // (the reason goes to the log).
    int placeClass(int row);
    // Selects the placed control `id`: its place and properties show on the right.
    void select(int id);
    int selectedId() const;

private:
    void buildMenus();
    QWidget *buildClassPane();
    QWidget *buildControlPane();
    void listClasses();
    // Where the next placed control goes: two columns down the surface.
    QRect nextGeometry() const;
    // The new control `id` (0: none was made) joins the list of placed controls.
    void added(int id, const QString &error);
    void showSelected();
    void showProperties();
    void propertyEdited(int row, int column);
    void applyGeometry();
    void removeSelected();
    void saveStream();
    void loadStream();
    void copyTemplateStream();
    void setDesignMode(bool design);
    void appendLog(const QString &line);
    // The "Properties..." action: the property frame over the selected control.
    void openPropertyFrame();

    QWidget *m_surfaceWidget;
    DesignSurface m_surface;
    std::vector<ole::ClassEntry> m_classes;
    QListWidget *m_classList = nullptr;
    QListWidget *m_placedList = nullptr;
    QFrame *m_selection = nullptr;
    QSpinBox *m_x = nullptr;
    QSpinBox *m_y = nullptr;
    QSpinBox *m_width = nullptr;
    QSpinBox *m_height = nullptr;
    QTableWidget *m_grid = nullptr;
    QLabel *m_error = nullptr;
    QPlainTextEdit *m_log = nullptr;
    QAction *m_designMode = nullptr;
    bool m_filling = false; // the grid is being filled, not edited
};
