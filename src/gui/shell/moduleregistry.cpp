#include "gui/shell/moduleregistry.h"

#include "gui/ledger/accounttypewindow.h"
#include "gui/ledger/chartwindow.h"
#include "gui/ledger/postingwindow.h"
#include "gui/ledger/voucherentrywindow.h"
#include "gui/customers/customerwindow.h"
#include "gui/admin/curbasewindow.h"
#include "gui/admin/custypewindow.h"
#include "gui/admin/syssetwindow.h"
#include "gui/admin/taccountwindow.h"

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
    static const QHash<QString, ModuleFactory> factories = {
        { u"acc_typeF"_s, &make<AccountTypeWindow> },
        { u"acctF"_s, &make<ChartWindow> },
        { u"cusinput1"_s, &make<CustomerWindow> },
        { u"fincF"_s, &make<VoucherEntryWindow> },
        { u"fin_posF"_s, &make<PostingWindow> },
        { u"sysset"_s, &make<SyssetWindow> },
        { u"cur_baseF"_s, &make<CurBaseWindow> },
        { u"custype"_s, &make<CustypeWindow> },
        { u"Taccount"_s, &make<TaccountWindow> },
    };
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
