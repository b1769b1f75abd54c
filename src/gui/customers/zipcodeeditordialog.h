#pragma once

#include "core/customers/zipcodetable.h"

#include <QDialog>
#include <QSqlDatabase>

class QToolButton;

namespace korvessa {

class GridFrame;

// "地址資料庫" (addr2): the postal-code table in an editable list under a
// navigator bar; every saved change is written at once.
class ZipcodeEditorDialog : public QDialog {
    Q_OBJECT
public:
    ZipcodeEditorDialog(const QSqlDatabase& zipcodes, QWidget* parent = nullptr);
    ~ZipcodeEditorDialog() override;

    ZipcodeTable* table() { return &m_table; }
    GridFrame* list() const { return m_list; }
    // The navigator's buttons by name: first, prior, next, last, insert,
    // delete, edit, post, cancel, refresh.
    QToolButton* button(const QString& name) const;

private:
    void report(const Status& status);
    void updateButtons();

    ZipcodeTable m_table;
    GridFrame* m_list = nullptr;
    QList<QToolButton*> m_buttons;
};

} // namespace korvessa
