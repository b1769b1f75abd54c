#pragma once

#include <QTableView>

namespace korvessa {

// The table of a grid frame (`DBGrid1`): Enter moves to the next column, and
// the mouse wheel moves the current record, one record per step, instead of
// scrolling the rows past it.
class GridView : public QTableView {
    Q_OBJECT
public:
    explicit GridView(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    int m_wheel = 0; // eighths of a degree not yet turned into a step
};

} // namespace korvessa
