#pragma once

#include "gui/shell/shell.h"
#include "support/testdatabase.h"

#include <QSqlDatabase>

#include <memory>

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

// Gives the shell a new books database held in `holder`, the old one closed
// and dropped first; false when none can be had (the test has then recorded
// its skip or failure).
inline bool freshBooks(FakeShell& shell, std::unique_ptr<TestDatabase>& holder, bool seeded = true)
{
    shell.db = {};
    holder.reset();
    holder = TestDatabase::create(seeded);
    if (!holder)
        return false;
    shell.db = holder->books();
    return true;
}

} // namespace korvessa::test
