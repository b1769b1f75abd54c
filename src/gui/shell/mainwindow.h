#pragma once

#include "gui/shell/shell.h"

#include <QMainWindow>
#include <QPointer>

class QMdiArea;
class QMenu;

namespace korvessa {

class WindowBar;

// The main window "企業Korvessa": a fixed multi-document frame with the menu
// of every module, the window bar along its bottom, and the protocol by
// which every module is opened (limit, duplicate, rights, window bar).
class MainWindow : public QMainWindow, public Shell {
    Q_OBJECT

public:
    static constexpr int kMaxChildren = 8;

    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // Start-up after the window exists: the sign-in and the login state.
    // False when the user left the login with "離開".
    bool signIn();

    // Creates the accounting navigator, the home page.
    void openHomePage();

    Session& session() override { return m_session; }
    QSqlDatabase books() const override;
    QMdiArea* mdiArea() const override { return m_area; }
    QMdiSubWindow* openModule(const QString& windowName, QObject* owner = nullptr) override;
    QMdiSubWindow* openVoucher(const QString& voucherNo, QObject* owner = nullptr) override;
    void goHome(QWidget* from) override;
    void rebuildWindowBar() override;

    WindowBar* windowBar() const { return m_bar; }

    // Shows a window as a child window and ties its release to the window bar.
    QMdiSubWindow* addChild(QWidget* widget, const QString& windowName, const QString& title, QObject* owner);

    // Closing asks "確定要離開嗎?"; the login's "離開" and a forced end do not.
    void quitWithoutAsking();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    // The limit and duplicate check; returns false to stop the opener, with
    // `existing` set when an open window was brought forward.
    bool checkChild(QMdiSubWindow** existing);
    // The switch check of the voucher look-ups.
    bool checkChild1();
    bool checkRights();
    QMdiSubWindow* createModule(QObject* owner);

    Session m_session;
    QMdiArea* m_area;
    WindowBar* m_bar;
    bool m_leaving = false;
};

} // namespace korvessa
