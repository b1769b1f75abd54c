#include "core/common/toolbarrule.h"

namespace korvessa {

ToolbarButtons toolbarButtons(const EditingState& main, const std::optional<EditingState>& detail,
    const Rights& rights, const ToolbarOptions& options)
{
    const bool browsing = !main.changing();
    const bool changing = main.changing() || (detail && detail->changing());

    ToolbarButtons b;
    b.prior = browsing && !main.atFirst;
    b.next = browsing && !main.pastLast;
    b.insert = rights.can_add && (browsing || (options.insertWhileEditing && !main.inserting));
    b.remove = browsing && !main.empty && rights.can_delete;
    b.post = changing && rights.can_save;
    b.cancel = changing;
    b.print = options.prints && rights.can_print;
    return b;
}

} // namespace korvessa
