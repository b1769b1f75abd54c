#pragma once

#include <QDialog>
#include <QSqlDatabase>
#include <QString>

class QHBoxLayout;
class QLineEdit;
class QPushButton;
class QVBoxLayout;

namespace korvessa {

// The frame of the small modal pickers: a search row with the search box
// `Edit1`, "搜尋" (`Button1`) and "離開" (`Button2`), and below it the list
// the picker shows. The caller shows the picker modally and afterwards reads
// pickResult(): "ok" when a row was chosen, "no" otherwise; the picker then
// offers what was chosen. The window is centred on the window of its parent.
class PickerFrame : public QDialog {
    Q_OBJECT
public:
    PickerFrame(QSqlDatabase db, QString comp, QWidget* parent = nullptr);
    ~PickerFrame() override;

    // "ok" or "no".
    const QString& pickResult() const { return m_pickResult; }

    QLineEdit* searchEdit() const { return m_search; }
    QPushButton* searchButton() const { return m_searchButton; }
    QPushButton* leaveButton() const { return m_leaveButton; }

    // Runs the search for the text of the search box.
    virtual void search() = 0;

protected:
    QSqlDatabase books() const { return m_db; }
    const QString& comp() const { return m_comp; }
    QHBoxLayout* searchRow() const { return m_searchRow; }
    QVBoxLayout* body() const { return m_body; }

    // Ends the picker with a chosen row ("ok").
    void pick();
    // Ends the picker without one ("no").
    void leave();

    void showEvent(QShowEvent* event) override;

private:
    QSqlDatabase m_db;
    QString m_comp;
    QString m_pickResult;
    QLineEdit* m_search = nullptr;
    QPushButton* m_searchButton = nullptr;
    QPushButton* m_leaveButton = nullptr;
    QHBoxLayout* m_searchRow = nullptr;
    QVBoxLayout* m_body = nullptr;
};

} // namespace korvessa
