#pragma once

#include "core/common/toolbarrule.h"

namespace korvessa {

class DataSet;
class ModuleToolbar;

// The toolbar rule for the data sets of an editing module: the main data set
// and, where the module edits one, its detail data set.
ToolbarButtons toolbarButtons(const DataSet& main, const DataSet* detail, const Rights& rights,
    const ToolbarOptions& options = {});

// Enables sbprior, sbnext, sbinsert, sbdelete, sbpost, sbcancel and sbprint
// as `buttons` says; the other controls of the toolbar are left as they are.
void applyToolbar(ModuleToolbar& toolbar, const ToolbarButtons& buttons);

} // namespace korvessa
