#pragma once

#include "core/app/session.h"

#include <QSqlDatabase>
#include <QString>

class QMdiArea;
class QMdiSubWindow;
class QObject;
class QWidget;

namespace korvessa {

class Messages;

// What module windows may ask of the main window: the login state, the books,
// the module-opening protocol and the home page. The main window implements
// it; tests may install a small one of their own.
class Shell {
public:
    virtual ~Shell() = default;

    virtual Session& session() = 0;
    virtual QSqlDatabase books() const = 0;
    virtual QMdiArea* mdiArea() const = 0;

    // Opens a module through the registry by the whole protocol (cur_form and
    // module_title, limit and duplicate check, cur_prog, rights, creation,
    // window bar). `owner`, when given, takes the new window with it when it
    // goes. Returns the window shown (the open one when it was brought
    // forward), or nullptr when refused.
    virtual QMdiSubWindow* openModule(const QString& windowName, QObject* owner = nullptr) = 0;

    // Opens voucher entry on a voucher ("調閱傳票"): sets open_voucher_no and
    // asks before replacing an open voucher entry.
    virtual QMdiSubWindow* openVoucher(const QString& voucherNo, QObject* owner = nullptr) = 0;

    // "回主頁": brings forward the navigator named flow_form, or creates the
    // full navigator owned by `from` (the module whose toolbar was pressed).
    virtual void goHome(QWidget* from) = 0;

    virtual void rebuildWindowBar() = 0;

    static Shell* instance();
    static void install(Shell* shell);
};

// The module window (QMdiSubWindow) a widget lives in, or null.
QMdiSubWindow* moduleWindowOf(QWidget* widget);

} // namespace korvessa
