#pragma once

#include <QString>
#include <QStringList>
#include <Qt>

namespace korvessa {

// The column titles of a list sorted by clicking them: the first click on a
// column sorts descending and marks its title " ▼", a click on " ▼" sorts
// ascending (" ▲"), a click on " ▲" descending again; every other title goes
// back to its plain label.
class SortTitles {
public:
    explicit SortTitles(QStringList labels = {});

    void setLabels(QStringList labels);
    // The order the click on `column` asks for.
    Qt::SortOrder click(int column);
    // Plain labels again, as after a new list.
    void reset();

    QString title(int column) const;
    int count() const { return int(m_labels.size()); }
    int sortedColumn() const { return m_column; }
    Qt::SortOrder order() const { return m_order; }

private:
    QStringList m_labels;
    int m_column = -1;
    Qt::SortOrder m_order = Qt::DescendingOrder;
};

} // namespace korvessa
