#pragma once

#include "core/app/programs.h"

#include <QList>
#include <QString>

class QWidget;

namespace korvessa {

// Makes a module's window. The window reads the login state it needs from
// Shell::instance()->session() while it is constructed.
using ModuleFactory = QWidget* (*)();

// The module registry: every entry of the main menu with the factory of its
// window. The menu, the navigators and the voucher look-ups open modules only
// through it. An entry without a factory is a module not built yet; the menu
// shows it disabled.
struct ModuleEntry {
    const ProgramEntry* program;
    ModuleFactory factory;

    bool built() const { return factory != nullptr; }
};

// All entries, separators included, in menu order.
const QList<ModuleEntry>& moduleEntries();

// The entry of a window name (the first one, where two menu entries share a
// window); then the windows without a menu entry (subordinatePrograms()),
// which their opening module shows itself.
const ModuleEntry* findModule(const QString& windowName);

// Tests put small windows of their own behind existing window names; nullptr
// restores the registry's own factory.
void overrideModuleFactory(const QString& windowName, ModuleFactory factory);

} // namespace korvessa
