#pragma once

#include <QFrame>

class QLineEdit;
class QToolButton;

namespace korvessa {

// The toolbar along the top of every module window (object name `toolbar`):
// the search field `Edit1` with `SpeedButton10` "搜尋", the record buttons
// `sbinsert` … `sbnext`, `SpeedButton1` "回主頁" and `sbexit` "離開". The
// buttons take no focus, so that pressing one leaves the focus in the field
// being typed into.
//
// Only "回主頁" is handled here (it asks the shell for the home page); the
// module window handles `sbexit`, and the module the others.
class ModuleToolbar : public QFrame {
    Q_OBJECT
public:
    explicit ModuleToolbar(QWidget* parent = nullptr);
    ~ModuleToolbar() override;

    QLineEdit* edit1() const { return m_edit1; }
    QToolButton* speedButton10() const { return m_search; }
    QToolButton* sbinsert() const { return m_insert; }
    QToolButton* sbdelete() const { return m_delete; }
    QToolButton* sbpost() const { return m_post; }
    QToolButton* sbcancel() const { return m_cancel; }
    QToolButton* sbprint() const { return m_print; }
    QToolButton* sbprior() const { return m_prior; }
    QToolButton* sbnext() const { return m_next; }
    QToolButton* speedButton1() const { return m_home; }
    QToolButton* sbexit() const { return m_exit; }

    static constexpr int kHeight = 40;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QToolButton* addButton(const QString& name, const QString& caption, const QString& hint, int icon);

    QLineEdit* m_edit1 = nullptr;
    QToolButton* m_search = nullptr;
    QToolButton* m_insert = nullptr;
    QToolButton* m_delete = nullptr;
    QToolButton* m_post = nullptr;
    QToolButton* m_cancel = nullptr;
    QToolButton* m_print = nullptr;
    QToolButton* m_prior = nullptr;
    QToolButton* m_next = nullptr;
    QToolButton* m_home = nullptr;
    QToolButton* m_exit = nullptr;
};

} // namespace korvessa
