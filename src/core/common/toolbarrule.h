#pragma once

#include "core/app/session.h"

#include <optional>

namespace korvessa {

// What the toolbar rule needs to know of a data set.
struct EditingState {
    bool editing = false; // an existing row is being changed
    bool inserting = false; // a new row is being made
    bool atFirst = true; // on the first row, or empty
    bool pastLast = true; // a move beyond the last row was tried, or empty
    bool empty = true;

    bool changing() const { return editing || inserting; }
};

struct ToolbarOptions {
    bool prints = false; // the module has something to print
    bool insertWhileEditing = false; // "新增" stays available while the main rows are edited
};

// Which of the record buttons are enabled.
struct ToolbarButtons {
    bool prior = false; // sbprior
    bool next = false; // sbnext
    bool insert = false; // sbinsert
    bool remove = false; // sbdelete
    bool post = false; // sbpost
    bool cancel = false; // sbcancel
    bool print = false; // sbprint

    bool operator==(const ToolbarButtons&) const = default;
};

// The one rule every editing module sets its toolbar by, from the state of its
// main data set, of its detail data set where it has one, and of the rights it
// copied when it was opened. Modules with a condition of their own (a
// protected row that may not be deleted) narrow the result afterwards.
ToolbarButtons toolbarButtons(const EditingState& main, const std::optional<EditingState>& detail,
    const Rights& rights, const ToolbarOptions& options = {});

} // namespace korvessa
