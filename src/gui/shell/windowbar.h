#pragma once

#include <QFrame>
#include <QList>
#include <QSqlDatabase>
#include <QString>

class QMdiArea;
class QMdiSubWindow;
class QToolButton;

namespace korvessa {

// The window bar `pnlSpeedBar` along the main window's bottom edge: one flat
// button per open child window, in stacking order with the active window
// first in blue, captioned with the program name its sampleright row gives.
// It has room for eight windows, as many as may be open.
class WindowBar : public QFrame {
    Q_OBJECT

public:
    static constexpr int kSlots = 8;
    static constexpr int kButtonWidth = 100;

    WindowBar(QMdiArea* area, QWidget* parent = nullptr);

    void setDatabase(const QSqlDatabase& db) { m_db = db; }

    // Rebuilds the buttons from the open windows, leaving out `released`
    // (a window being freed).
    void rebuild(const QObject* released = nullptr);

    // The window name held for the button of index i, empty when none.
    QString slot(int i) const { return i >= 0 && i < m_slots.size() ? m_slots.at(i) : QString(); }
    QList<QToolButton*> buttons() const;

    void buttonClicked(QToolButton* button);

private:
    QMdiArea* m_area;
    QSqlDatabase m_db;
    QList<QString> m_slots;
};

// Child windows topmost first (the active one at index 0).
QList<QMdiSubWindow*> windowsTopFirst(QMdiArea* area, const QObject* leaveOut = nullptr);

} // namespace korvessa
