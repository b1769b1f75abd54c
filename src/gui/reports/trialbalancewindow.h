#pragma once

#include "gui/reports/reportwindow.h"

class QCheckBox;

namespace korvessa {

// "試算表" (flist1F, F01): per account and per general account the posted
// debit and credit of a range of months and the cumulative totals up to its
// end. The grid shows the report1 rows; "列印" prints template flist1 with
// the account lines when "是否列印明細" is checked.
class TrialBalanceWindow : public ReportWindow {
    Q_OBJECT
public:
    explicit TrialBalanceWindow(QWidget* parent = nullptr);
    ~TrialBalanceWindow() override;

    QCheckBox* checkBox1() const { return m_detail; }

protected:
    Status computeRows() override;
    Result<reports::ReportData> printData() override;

private:
    QCheckBox* m_detail = nullptr;
};

} // namespace korvessa
