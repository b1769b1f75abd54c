#pragma once

#include "core/common/result.h"
#include "core/customers/customerrows.h"

#include <QDialog>
#include <QSqlDatabase>

class QLabel;
class QLineEdit;
class QPushButton;
class QHBoxLayout;

namespace korvessa {

class CustomerRowsModel;
class GridView;

// The frame both customer pickers share: the search box `Edit1`, "搜尋"
// (`BitBtn2`), "離開" (`BitBtn1`), a hint and the list, whose titles sort it
// in memory. Modal, centred on the desktop; the caller reads the choice after
// it closes.
class CustomerPickerBase : public QDialog {
    Q_OBJECT
public:
    ~CustomerPickerBase() override;

    QLineEdit* edit1() const { return m_edit; }
    QPushButton* searchButton() const { return m_search; }
    QPushButton* exitButton() const { return m_exit; }
    GridView* list() const { return m_list; }
    CustomerRowsModel* model() const { return m_model; }
    const CustomerRows& rows() const { return m_rows; }

    // A click on a column title (what the header does).
    void clickTitle(int section);

protected:
    CustomerPickerBase(const QSqlDatabase& db, const QString& title, const QString& hint,
        QList<std::pair<QString, QString>> shown, QStringList carried, QWidget* parent);

    // Reads the customers where one of `columns` contains the search text.
    void runSearch(const QStringList& columns);
    void clearRows();
    void showEvent(QShowEvent* event) override;
    // Where a picker adds its own buttons, after "搜尋".
    QHBoxLayout* buttonRow() const { return m_buttons; }

private:
    QSqlDatabase m_db;
    CustomerRows m_rows;
    CustomerRowsModel* m_model = nullptr;
    QLineEdit* m_edit = nullptr;
    QPushButton* m_search = nullptr;
    QPushButton* m_exit = nullptr;
    QHBoxLayout* m_buttons = nullptr;
    GridView* m_list = nullptr;
};

} // namespace korvessa
