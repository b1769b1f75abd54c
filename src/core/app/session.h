#pragma once

#include <QString>

namespace korvessa {

// The rights of the user for the program being opened.
struct Rights {
    bool can_add = false;
    bool can_save = false;
    bool can_delete = false;
    bool can_print = false;
};

// The login state of the run: who signed in for which company, and the values
// an opener hands to the module it opens. A module copies what it needs while
// it is created, because the next opening overwrites them.
struct Session {
    QString cur_comp; // the company's comp_name; every query compares comp with it
    QString cur_user; // user_no of the signed-in user
    QString cur_username; // that user's user_name, empty when none
    QString app_dir; // the working folder at start-up, without a trailing separator

    QString cur_form; // window name of the module being opened
    QString cur_prog; // its program code
    QString module_title; // title for a window that serves several entries
    Rights rights; // can_add, can_save, can_delete, can_print of the last rights check
    QString open_voucher_no; // a voucher that voucher entry shows on opening, then clears
    QString flow_form; // window name of the navigator serving as home page
};

} // namespace korvessa
