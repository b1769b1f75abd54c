#include "gui/customers/lookupcombobox.h"

namespace korvessa {

LookupComboBox::LookupComboBox(QWidget* parent)
    : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
}

void LookupComboBox::showPopup()
{
    Q_EMIT popupAboutToShow();
    QComboBox::showPopup();
}

} // namespace korvessa
