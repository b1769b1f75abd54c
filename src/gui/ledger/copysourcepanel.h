#pragma once

#include <QFrame>
#include <QStringList>

class QComboBox;
class QPushButton;

namespace korvessa {

// The small panel "選擇來源公司": the other companies of the database
// (`ComboBox1`) and "開始" (`Button2`), which emits started() with the
// chosen company.
class CopySourcePanel : public QFrame {
    Q_OBJECT
public:
    explicit CopySourcePanel(QWidget* parent = nullptr);
    ~CopySourcePanel() override;

    void setCompanies(const QStringList& companies);
    QComboBox* companies() const { return m_companies; }
    QPushButton* startButton() const { return m_start; }

Q_SIGNALS:
    void started(const QString& company);

private:
    QComboBox* m_companies = nullptr;
    QPushButton* m_start = nullptr;
};

} // namespace korvessa
