#pragma once

#include "gui/shell/shell.h"

#include <QSqlDatabase>

namespace korvessa::test {

// A shell for window tests that need the login state and the books but no
// main window: openers open nothing. Install it with Shell::install(&shell).
class FakeShell final : public Shell {
public:
    Session& session() override { return state; }
    QSqlDatabase books() const override { return db; }
    QMdiArea* mdiArea() const override { return nullptr; }
    QMdiSubWindow* openModule(const QString&, QObject*) override { return nullptr; }
    QMdiSubWindow* openVoucher(const QString&, QObject*) override { return nullptr; }
    void goHome(QWidget*) override { }
    void rebuildWindowBar() override { }

    Session state;
    QSqlDatabase db;
};

} // namespace korvessa::test
