#pragma once

#include "core/db/dataset.h"
#include "gui/shell/editingcontroller.h"
#include "gui/shell/fieldbinder.h"
#include "gui/shell/modulewindow.h"

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTreeWidgetItem;

namespace korvessa {

class ChartTreeView;
class CodeFieldCheck;
class CopySourcePanel;

// "會計科目" (acctF): the company's chart of accounts, the record panel
// beside the tree of categories, general and detail accounts. A typed code
// is checked when the code field is left; a save or delete rebuilds the tree
// and selects the first node that begins like the node selected before.
class ChartWindow : public ModuleWindow {
    Q_OBJECT
public:
    explicit ChartWindow(QWidget* parent = nullptr);
    ~ChartWindow() override;

    DataSet& accounts() { return m_accounts; }
    ChartTreeView* tree() const { return m_tree; }
    QLineEdit* codeField() const { return m_code; }
    CopySourcePanel* copyPanel() const { return m_copyPanel; }

private:
    void save();
    void remove();
    void rebuildTree();
    void selectStartingWith(const QString& prefix);
    QString rememberedPrefix() const;
    void nodeClicked(QTreeWidgetItem* item);
    void copyFrom(const QString& company);
    void updateFrozen();

    DataSet m_accounts;
    FieldBinder m_binder { &m_accounts };
    EditingController m_editing { this, &m_accounts };

    ChartTreeView* m_tree = nullptr;
    QLineEdit* m_code = nullptr;
    QLineEdit* m_nameCN = nullptr;
    QLineEdit* m_nameEN = nullptr;
    QComboBox* m_expenseType = nullptr;
    QComboBox* m_side = nullptr;
    QComboBox* m_contra = nullptr;
    QPlainTextEdit* m_memo = nullptr;
    QLineEdit* m_reserved = nullptr;
    QPushButton* m_copyButton = nullptr;
    CopySourcePanel* m_copyPanel = nullptr;
    CodeFieldCheck* m_codeCheck = nullptr;
};

} // namespace korvessa
