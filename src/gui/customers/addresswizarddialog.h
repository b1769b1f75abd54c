#pragma once

#include "core/customers/addresswizard.h"

#include <QDialog>
#include <QSqlDatabase>

#include <array>

class QPlainTextEdit;

namespace korvessa {

class LookupComboBox;

// "地址輸入精靈V0.1" (addr1): composes an address from the postal-code table
// and the on-screen keys. result() holds the address after "確定" and is empty
// after any other way of closing.
class AddressWizardDialog : public QDialog {
    Q_OBJECT
public:
    // Uses the open postal-code connection, or opens database/zipcode.db of
    // the working folder; when that fails the error is shown and the lists
    // stay empty.
    explicit AddressWizardDialog(QWidget* parent = nullptr);
    AddressWizardDialog(const QSqlDatabase& zipcodes, QWidget* parent);
    ~AddressWizardDialog() override;

    const QString& result() const { return m_result; }
    AddressWizard* wizard() { return &m_wizard; }
    LookupComboBox* box(AddressWizard::Box box) const { return m_boxes.at(box); }
    QPlainTextEdit* addressEdit() const { return m_address; }

    // The postal-code connection as the wizard uses it; `error` receives the
    // refusal when it cannot be opened.
    static QSqlDatabase zipcodeDatabase(Status* error);

    int exec() override;

private:
    void build();
    void showWizard();
    void boxEdited(AddressWizard::Box box, const QString& text);
    void restart();

    AddressWizard m_wizard;
    QSqlDatabase m_db;
    std::array<LookupComboBox*, AddressWizard::BoxCount> m_boxes {};
    QPlainTextEdit* m_address = nullptr;
    QString m_result;
    bool m_showing = false;
};

} // namespace korvessa
