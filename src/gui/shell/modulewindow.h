#pragma once

#include "core/app/session.h"

#include <QColor>
#include <QSqlDatabase>
#include <QString>
#include <QWidget>

#include <functional>

class QKeyEvent;
class QLabel;
class QToolButton;
class QVBoxLayout;

namespace korvessa {

class ModuleToolbar;

// The base of every module window: a sky-blue window with the toolbar along
// its top and the module's own controls below (in contentLayout()).
//
// While it is constructed it copies from the login state what a module needs
// (company, user, rights, module title, voucher hand-over), because the next
// opening of a module overwrites those values.
//
// Keys, seen before the focused control:
// - Enter moves to the next control, as Tab would; in a grid it is left to
//   the grid, which moves to the next column.
// - Alt+N, V, A, D, S, C, P press sbnext, sbprior, sbinsert, sbdelete,
//   sbpost, sbcancel, sbprint, each only when enabled; Alt+X closes the
//   window even when sbexit is disabled or hidden. Ctrl and Shift
//   combinations do nothing here.
//
// sbexit and Alt+X go through confirmExit(), which asks "確定要離開嗎?" when
// setExitQuestion() says the data is being changed; the window's own close
// button always closes without asking.
class ModuleWindow : public QWidget {
    Q_OBJECT
public:
    explicit ModuleWindow(QWidget* parent = nullptr);
    ~ModuleWindow() override;

    ModuleToolbar* toolbar() const { return m_toolbar; }
    // Where the module puts its controls, below the toolbar.
    QVBoxLayout* contentLayout() const { return m_content; }

    // The login state as it was when the window was opened.
    const QString& curComp() const { return m_curComp; }
    const QString& curUser() const { return m_curUser; }
    const QString& curUsername() const { return m_curUsername; }
    const Rights& rights() const { return m_rights; }
    const QString& moduleTitle() const { return m_moduleTitle; }
    const QString& openVoucherNo() const { return m_openVoucherNo; }
    QSqlDatabase books() const { return m_books; }

    // The colours modules paint their title labels and panels with.
    static QColor titleColor() { return { 166, 202, 240 }; }
    static QColor secondWindowColor() { return { 166, 202, 240 }; }
    static QColor panelColor() { return { 192, 220, 192 }; }
    static QColor windowColor() { return { 166, 202, 240 }; }
    static void styleTitleLabel(QLabel* label);
    static void stylePanel(QWidget* panel);
    // A key field is writable, on white, only while a new row is being
    // inserted; read-only on silver otherwise.
    static void styleKeyField(QWidget* field, bool inserting);

    // `changing` tells whether the module's data is being edited or
    // inserted; then sbexit asks before closing.
    void setExitQuestion(std::function<bool()> changing) { m_changing = std::move(changing); }

    // sbexit and Alt+X: confirmExit(), then close.
    void requestExit();
    // Closes the module window (its sub-window, which frees it) at once.
    void closeModule();

protected:
    // Whether sbexit may close the window; asks "確定要離開嗎?" while the
    // data is being changed (see setExitQuestion()).
    virtual bool confirmExit();

    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void watch(QObject* object);
    bool handleKey(QKeyEvent* key);
    QToolButton* shortcutButton(int key) const;
    bool focusNextField();

    ModuleToolbar* m_toolbar = nullptr;
    QVBoxLayout* m_content = nullptr;
    std::function<bool()> m_changing;

    QString m_curComp;
    QString m_curUser;
    QString m_curUsername;
    Rights m_rights;
    QString m_moduleTitle;
    QString m_openVoucherNo;
    QSqlDatabase m_books;
};

} // namespace korvessa
