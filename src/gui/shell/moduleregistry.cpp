#include "gui/shell/moduleregistry.h"

#include "gui/ledger/accounttypewindow.h"
#include "gui/ledger/chartwindow.h"
#include "gui/ledger/postingwindow.h"
#include "gui/ledger/voucherentrywindow.h"
#include "gui/reports/trialbalancewindow.h"
#include "gui/ledger/voucherprintwindow.h"
#include "gui/customers/customerwindow.h"
#include "gui/customers/labelwindow.h"
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
        { u"finc_repF"_s, &make<VoucherPrintWindow> },
        { u"Tclabel"_s, &make<LabelWindow> },
        { u"fin_posF"_s, &make<PostingWindow> },
        { u"flist1F"_s, &make<TrialBalanceWindow> },
        { u"sysset"_s, &make<SyssetWindow> },
        { u"cur_baseF"_s, &make<CurBaseWindow> },
        { u"custype"_s, &make<CustypeWindow> },
        { u"Taccount"_s, &make<TaccountWindow> },
    };
    return factories;
}

QList<ModuleEntry> makeEntries(const QList<ProgramEntry>& programs)
{
    QList<ModuleEntry> entries;
    for (const ProgramEntry& p : programs)
        entries.append({ &p, p.opensModule() ? builtFactories().value(p.windowName) : nullptr });
    return entries;
}

QList<ModuleEntry>& mutableEntries()
{
    static QList<ModuleEntry> entries = makeEntries(programEntries());
    return entries;
}

// The windows without a menu entry.
QList<ModuleEntry>& mutableSubordinates()
{
    static QList<ModuleEntry> entries = makeEntries(subordinatePrograms());
    return entries;
}

} // namespace

const QList<ModuleEntry>& moduleEntries() { return mutableEntries(); }

const ModuleEntry* findModule(const QString& windowName)
{
    for (const QList<ModuleEntry>* list : { &mutableEntries(), &mutableSubordinates() }) {
        for (const ModuleEntry& e : *list) {
            if (e.program->opensModule() && e.program->windowName == windowName)
                return &e;
        }
    }
    return nullptr;
}

void overrideModuleFactory(const QString& windowName, ModuleFactory factory)
{
    for (QList<ModuleEntry>* list : { &mutableEntries(), &mutableSubordinates() }) {
        for (ModuleEntry& e : *list) {
            if (e.program->opensModule() && e.program->windowName == windowName)
                e.factory = factory ? factory : builtFactories().value(windowName);
        }
    }
}

} // namespace korvessa
