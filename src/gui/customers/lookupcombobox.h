#pragma once

#include <QComboBox>

namespace korvessa {

// An editable drop-down that tells before its list opens, so that the
// window can warn when the list is opened too early.
class LookupComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit LookupComboBox(QWidget* parent = nullptr);

    void showPopup() override;

Q_SIGNALS:
    void popupAboutToShow();
};

} // namespace korvessa
