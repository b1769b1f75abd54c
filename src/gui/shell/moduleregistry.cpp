#include "gui/shell/moduleregistry.h"

#include <QHash>

namespace korvessa {

using namespace Qt::StringLiterals;

namespace {

template <typename Window>
QWidget* make()
{
    return new Window;
}

// The factories of the modules built so far, by window name. A module is
// enabled in the menu by adding its line here.
const QHash<QString, ModuleFactory>& builtFactories()
{
    static const QHash<QString, ModuleFactory> factories = {};
    return factories;
}

QList<ModuleEntry> makeEntries()
{
    QList<ModuleEntry> entries;
    for (const ProgramEntry& p : programEntries())
        entries.append({ &p, p.opensModule() ? builtFactories().value(p.windowName) : nullptr });
    return entries;
}

QList<ModuleEntry>& mutableEntries()
{
    static QList<ModuleEntry> entries = makeEntries();
    return entries;
}

} // namespace

const QList<ModuleEntry>& moduleEntries() { return mutableEntries(); }

const ModuleEntry* findModule(const QString& windowName)
{
    for (const ModuleEntry& e : moduleEntries()) {
        if (e.program->opensModule() && e.program->windowName == windowName)
            return &e;
    }
    return nullptr;
}

void overrideModuleFactory(const QString& windowName, ModuleFactory factory)
{
    for (ModuleEntry& e : mutableEntries()) {
        if (e.program->opensModule() && e.program->windowName == windowName)
            e.factory = factory ? factory : builtFactories().value(windowName);
    }
}

} // namespace korvessa
