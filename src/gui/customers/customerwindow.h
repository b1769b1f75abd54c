#pragma once

#include "core/customers/customerregister.h"
#include "gui/shell/modulewindow.h"

#include <functional>

class QCalendarWidget;
class QComboBox;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace korvessa {

class EditingController;
class FieldBinder;
class GridFrame;

// "客戶資料管理" (cusinput1): the register of customers and vendors shared by
// every company, one record on the tab "客戶資料" and the whole list below.
class CustomerWindow : public ModuleWindow {
    Q_OBJECT
public:
    explicit CustomerWindow(QWidget* parent = nullptr);
    ~CustomerWindow() override;

    CustomerRegister& customers() { return m_register; }
    EditingController* editing() const { return m_editing; }
    GridFrame* list() const { return m_list; }
    QLineEdit* numberEdit() const { return m_number; }
    QCalendarWidget* calendar() const { return m_calendar; }

    // The address wizard, replaceable for tests: returns the address chosen,
    // empty when none was.
    void setAddressSource(std::function<QString(QWidget*)> source) { m_addressSource = std::move(source); }
    void chooseAddress();
    void pickDate(const QDate& date);
    void writeMail();
    // "列印": the mailing labels (Tclabel), modally.
    void printLabels();

private:
    void buildFields(QWidget* page);
    QComboBox* categoryCombo(QWidget* page, const QString& name, const QString& kind);
    void save();
    void cancel();
    void remove();
    void search();
    void report(const Status& status);

    CustomerRegister m_register;
    EditingController* m_editing = nullptr;
    FieldBinder* m_binder = nullptr;
    QTabWidget* m_tabs = nullptr;
    GridFrame* m_list = nullptr;
    QLineEdit* m_number = nullptr;
    QLineEdit* m_date = nullptr;
    QLineEdit* m_mail = nullptr;
    QCalendarWidget* m_calendar = nullptr;
    std::function<QString(QWidget*)> m_addressSource;
};

} // namespace korvessa
