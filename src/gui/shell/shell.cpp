#include "gui/shell/shell.h"

#include <QMdiSubWindow>
#include <QWidget>

namespace korvessa {

namespace {
Shell* g_shell = nullptr;
}

Shell* Shell::instance() { return g_shell; }

void Shell::install(Shell* shell) { g_shell = shell; }

QMdiSubWindow* moduleWindowOf(QWidget* widget)
{
    for (QWidget* w = widget; w; w = w->parentWidget()) {
        if (auto* sub = qobject_cast<QMdiSubWindow*>(w))
            return sub;
    }
    return nullptr;
}

} // namespace korvessa
