#pragma once

#include <QList>
#include <QString>

namespace korvessa {

// One entry of the main menu. Module entries name the window they open, its
// program code (the key of the rights), the title handed to a window that
// serves several entries, the window's class and its title. Separators have
// the caption "-"; top-level entries without a submenu have an empty `menu`
// caption of their own and are listed with `topLevel` set.
struct ProgramEntry {
    QString menu; // top-level menu caption, with its "&" accelerator
    QString caption; // entry caption, with "&"; "-" for a separator
    QString handler; // the menu handler's name, which identifies the entry
    QString windowName; // cur_form; empty for entries that open no module
    QString programCode; // cur_prog
    QString moduleTitle; // module_title, where the entry sets one
    QString className; // the module window's class
    QString windowTitle;
    bool topLevel = false; // the entry is itself a top-level menu item

    bool isSeparator() const { return caption == QStringLiteral("-"); }
    bool opensModule() const { return !windowName.isEmpty(); }
    // The caption without its accelerator mark.
    QString plainCaption() const;
};

// Every entry of the main menu, in menu order.
const QList<ProgramEntry>& programEntries();

// The windows another module opens, without a menu entry of their own:
// voucher printing (opened by voucher entry) and the mailing labels (opened
// by the customer register). Each carries the program code of its opener.
const QList<ProgramEntry>& subordinatePrograms();

// The top-level menus in order.
QList<QString> programMenus();

// The first module entry with this window name, or null.
const ProgramEntry* findProgramByWindow(const QString& windowName);
// The first module entry with this program code, or null.
const ProgramEntry* findProgramByCode(const QString& programCode);

} // namespace korvessa
