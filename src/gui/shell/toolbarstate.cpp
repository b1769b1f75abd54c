#include "gui/shell/toolbarstate.h"

#include "core/db/dataset.h"
#include "gui/shell/moduletoolbar.h"

#include <QToolButton>

namespace korvessa {

ToolbarButtons toolbarButtons(const DataSet& main, const DataSet* detail, const Rights& rights,
    const ToolbarOptions& options)
{
    std::optional<EditingState> detailState;
    if (detail)
        detailState = detail->editingState();
    return toolbarButtons(main.editingState(), detailState, rights, options);
}

void applyToolbar(ModuleToolbar& toolbar, const ToolbarButtons& buttons)
{
    toolbar.sbprior()->setEnabled(buttons.prior);
    toolbar.sbnext()->setEnabled(buttons.next);
    toolbar.sbinsert()->setEnabled(buttons.insert);
    toolbar.sbdelete()->setEnabled(buttons.remove);
    toolbar.sbpost()->setEnabled(buttons.post);
    toolbar.sbcancel()->setEnabled(buttons.cancel);
    toolbar.sbprint()->setEnabled(buttons.print);
}

} // namespace korvessa
