#include "gui/reports/trialbalancewindow.h"

#include "core/ledger/accountcode.h"
#include "core/reports/trialbalance.h"

#include <QCheckBox>
#include <QHBoxLayout>

namespace korvessa {

using namespace Qt::StringLiterals;

namespace {

QString codeText(const QVariant& value) { return accountcode::display(value.toString()); }

} // namespace

TrialBalanceWindow::TrialBalanceWindow(QWidget* parent)
    : ReportWindow({ u"試算表"_s, Period::Months, true }, parent)
{
    setObjectName(u"flist1F"_s);

    m_detail = new QCheckBox(u"是否列印明細"_s, this);
    m_detail->setObjectName(u"CheckBox1"_s);
    m_detail->setChecked(true);
    optionsLayout()->addWidget(m_detail);
    optionsLayout()->addStretch(1);

    setGridColumns({
        { u"P03"_s, u"會計科目"_s, 80, codeText },
        { u"P04"_s, u"科目名稱"_s, 180 },
        { u"P05"_s, u"借方金額"_s, 100 },
        { u"P06"_s, u"借方筆數"_s, 70 },
        { u"P07"_s, u"貸方金額"_s, 100 },
        { u"P08"_s, u"貸方筆數"_s, 70 },
        { u"P09"_s, u"借方餘額"_s, 100 },
        { u"P10"_s, u"貸方餘額"_s, 100 },
    });
}

TrialBalanceWindow::~TrialBalanceWindow() = default;

Status TrialBalanceWindow::computeRows()
{
    auto counts = reports::trialbalance::compute(books(), curComp(), curUser(), fromText(), toText());
    if (!counts)
        return counts.refusal();
    return rows().open(books(), {}, reports::trialbalance::accountRowsSelect(),
        reports::ownerParams(reports::trialbalance::key(curComp(), curUser())));
}

Result<reports::ReportData> TrialBalanceWindow::printData()
{
    return reports::trialbalance::printData(
        books(), curComp(), curUser(), fromText(), toText(), m_detail->isChecked());
}

} // namespace korvessa
