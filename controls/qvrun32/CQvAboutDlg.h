#pragma once

class QWidget;

namespace qvrun32 {

// The About box of the controls.
class CQvAboutDlg {
public:
    explicit CQvAboutDlg(QWidget *parent);
    // Shows the box modally over the parent window; returns IDOK when closed with OK and
    // IDCANCEL when closed with Escape or the close box.
    int DoModal();

private:
    QWidget *m_parent;
};

} // namespace qvrun32
