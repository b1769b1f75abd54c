#include "core/ledger/posting.h"

#include "core/db/database.h"
#include "core/db/sql.h"

#include <QDate>

namespace korvessa::posting {

using namespace Qt::StringLiterals;

namespace {

// The month's lines, those whose find_dat begins with the month: every
// writer stores the month in find_mon beside the date, and posting mends
// any line where the two disagree before it reads, so the month is found
// by find_mon on the index that also holds the sums.
const QString kMonthLines = u"comp = :comp and find_mon = :lmonth"_s;

// The account's chart columns: acc_sys and acc_CN of its sub-category,
// its normal side; null where the account or the category is gone.
const QString kChartJoin = u" left join (select acct.acct_4, acct.acct_side, acc_type.acc_sys, acc_type.acc_CN"
                           u" from acct left join acc_type on (acct.comp = acc_type.comp and acct.acct_1 = acc_type.acc_1"
                           u" and acct.acct_2 = acc_type.acc_2) where acct.comp = :comp3) a on a.acct_4 = g.acc"_s;

const QString kRowColumns = u" (comp, finp_dat, finp_temp, finp_acc, finp_accN, finp_dep, finp_dec, finp_cre, finp_dcou,"
                            u" finp_ccou, finp_acct, finp_acct1, finp_acct2, finp_side, finp_accCN)"
                            u" select :comp2, :month, :mark, g.acc, g.name, g.dep, g.dec, g.cre, g.dcou, g.ccou,"
                            u" substr(g.acc, 1, 4), substr(g.acc, 1, 1),"
                            u" coalesce(a.acc_sys, ''), coalesce(a.acct_side, ''), coalesce(a.acc_CN, '')"_s;

// Rows per account, line name and department, with the counts of the whole
// account in the month: one pass over the month's lines, the counts of the
// groups summed over the account by a window.
QString accountRowsInsert()
{
    return u"insert into finpos"_s + kRowColumns
        + u" from (select find_acc as acc, find_name as name, find_dep as dep,"
          u" coalesce(sum(find_tdec), 0) as dec, coalesce(sum(find_tcre), 0) as cre,"
          u" sum(sum(case when find_tdec > 0 then 1 else 0 end)) over (partition by find_acc) as dcou,"
          u" sum(sum(case when find_tcre > 0 then 1 else 0 end)) over (partition by find_acc) as ccou"
          u" from fincd where "_s
        + kMonthLines + u" group by find_acc, find_name, find_dep) g"_s + kChartJoin;
}

// The same for the lines with a department; the counts still cover the
// account's lines without one, so they come from a second grouping.
QString departmentRowsInsert()
{
    return u"insert into finposp"_s + kRowColumns
        + u" from (select d.acc, d.name, d.dep, d.dec, d.cre, c.dcou, c.ccou from"
          u" (select find_acc as acc, find_name as name, find_dep as dep,"
          u" coalesce(sum(find_tdec), 0) as dec, coalesce(sum(find_tcre), 0) as cre"
          u" from fincd where "_s
        + kMonthLines
        + u" and find_dep <> '' group by find_acc, find_name, find_dep) d"
          u" join (select find_acc as acc,"
          u" sum(case when find_tdec > 0 then 1 else 0 end) as dcou,"
          u" sum(case when find_tcre > 0 then 1 else 0 end) as ccou"
          u" from fincd where "_s
        + kMonthLines + u" group by find_acc) c on c.acc = d.acc) g"_s + kChartJoin;
}

const QString kGeneralInsert = u"insert into finpos1 (comp, finp_dat, finp_temp, finp_acct, finp_dec, finp_cre,"
                               u" finp_dcou, finp_ccou)"
                               u" select :comp2, :month, :mark, find_acct, coalesce(sum(find_tdec), 0),"
                               u" coalesce(sum(find_tcre), 0),"
                               u" sum(case when find_tdec > 0 then 1 else 0 end),"
                               u" sum(case when find_tcre > 0 then 1 else 0 end)"
                               u" from fincd where comp = :comp and find_mon = :lmonth"
                               u" group by find_acct"_s;

} // namespace

QString rowMark(Kind kind)
{
    return kind == Kind::Departments ? u"部門過帳"_s : u"過帳"_s;
}

QString table(Kind kind)
{
    switch (kind) {
    case Kind::Accounts:
        return u"finpos"_s;
    case Kind::General:
        return u"finpos1"_s;
    case Kind::Departments:
        return u"finposp"_s;
    }
    return {};
}

Status checkMonth(const QString& month)
{
    const QString m = month.trimmed();
    if (m.size() == 7 && QDate::fromString(m + u"/01"_s, u"yyyy/MM/dd"_s).isValid())
        return {};
    return Refusal::rule(u"資料錯誤"_s, u"請輸入過帳月份！"_s, u"MaskEdit1"_s);
}

Result<int> post(const QSqlDatabase& db, const QString& comp, const QString& monthText, Kind kind)
{
    if (Status s = checkMonth(monthText); !s)
        return s.refusal();
    const QString month = monthText.trimmed();
    const SqlParams range = { { u":comp"_s, comp }, { u":lmonth"_s, month } };
    const QString mark = rowMark(kind);
    const QString target = table(kind);

    Transaction tx(db);
    if (!tx.started())
        return tx.started().refusal();
    // A line's month is the start of its date.
    if (Status s = sql::execute(db,
            u"update fincd set find_mon = substr(find_dat, 1, 7) where comp = :comp"
            u" and (find_mon is null or find_mon <> substr(find_dat, 1, 7))"_s,
            { { u":comp"_s, comp } });
        !s)
        return s.refusal();
    if (kind == Kind::Accounts) {
        if (Status s = sql::execute(db, u"update fincd set find_dep = '' where comp = :comp and find_dep is null"_s,
                { { u":comp"_s, comp } });
            !s)
            return s.refusal();
    }
    if (Status s = sql::execute(db,
            u"delete from "_s + target + u" where comp = :comp and finp_dat = :month and finp_temp = :mark"_s,
            { { u":comp"_s, comp }, { u":month"_s, month }, { u":mark"_s, mark } });
        !s)
        return s.refusal();

    SqlParams params = range;
    params += { { u":comp2"_s, comp }, { u":month"_s, month }, { u":mark"_s, mark } };
    QString text;
    if (kind == Kind::General) {
        text = kGeneralInsert;
    } else {
        params.append({ u":comp3"_s, comp });
        text = kind == Kind::Departments ? departmentRowsInsert() : accountRowsInsert();
    }
    auto written = sql::execute(db, text, params);
    if (!written)
        return written.refusal();
    if (Status s = tx.commit(); !s)
        return s.refusal();
    return *written;
}

QString postedRowsSelect()
{
    return u"select * from finpos where comp = :comp and finp_dat = :month and finp_temp = '過帳' order by finp_acc"_s;
}

} // namespace korvessa::posting
