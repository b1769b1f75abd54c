#include "core/admin/cashiersettings.h"

#include "core/admin/categories.h"
#include "core/db/sql.h"

using namespace Qt::StringLiterals;

namespace korvessa {

namespace {

// Whether another row than `row` of the list holds `text` in `column`.
bool heldElsewhere(const DataSet& list, int row, const QString& column, const QString& text)
{
    for (int r = 0; r < list.count(); ++r) {
        if (r != row && list.value(r, column).toString() == text)
            return true;
    }
    return false;
}

Status checkKey(const DataSet& list, int row, const QString& column, const QString& text, const QString& select,
    SqlParams params, const QString& message)
{
    if (text.isEmpty())
        return {};
    if (row >= 0 && row < list.count() && list.value(row, column).toString() == text)
        return {};
    const Refusal duplicate = Refusal::rule(u"資料錯誤"_s, message, column);
    if (heldElsewhere(list, row, column, text))
        return duplicate;
    params.append({ u":key"_s, text });
    auto there = sql::exists(list.database(), select, params);
    if (!there)
        return there;
    if (*there)
        return duplicate;
    return {};
}

} // namespace

QStringList noteBankKinds()
{
    return { u"本國銀行"_s, u"外商銀行"_s, u"信託公司"_s, u"信用合作社"_s, u"農會合作社"_s, u"郵局"_s };
}

Status openNoteBanks(DataSet& banks, const QSqlDatabase& db)
{
    banks.setKeyColumns({ u"not_no"_s });
    return banks.open(db, u"not_bank"_s, u"select * from not_bank order by not_no"_s);
}

QVariantMap newNoteBank(const QString& kind)
{
    return { { u"not_type"_s, kind } };
}

Status openCurrencies(DataSet& currencies, const QSqlDatabase& db, const QString& company)
{
    currencies.setKeyColumns({ u"comp"_s, u"cuery_no"_s });
    return currencies.open(db, u"cuery"_s, u"select * from cuery where comp = :c"_s, { { u":c"_s, company } });
}

QVariantMap newCurrency(const QString& company)
{
    return { { u"comp"_s, company }, { u"cuery_num"_s, 1.0 }, { u"cuery_dec"_s, 0 },
        { u"cuery_for"_s, currencyFormat(0) } };
}

QString currencyFormat(int decimals)
{
    return u"%."_s + QString::number(decimals) + u"f"_s;
}

void keepFormatWithDecimals(DataSet& currencies)
{
    QObject::connect(&currencies, &DataSet::valueChanged, &currencies, [&currencies](int row, int column) {
        if (column != currencies.columnIndex(u"cuery_dec"_s))
            return;
        const QVariant decimals = currencies.value(row, column);
        const QString format = decimals.isNull() ? QString() : currencyFormat(decimals.toInt());
        if (currencies.value(row, u"cuery_for"_s).toString() != format)
            currencies.setValue(row, currencies.columnIndex(u"cuery_for"_s), format);
    });
}

Status checkBankCode(const DataSet& banks, int row, const QString& text)
{
    return checkKey(banks, row, u"not_no"_s, text, u"select not_no from not_bank where not_no = :key"_s, {},
        u"銀行編號重複！請重新確認！"_s);
}

Status checkCurrencyCode(const DataSet& currencies, int row, const QString& company, const QString& text)
{
    return checkKey(currencies, row, u"cuery_no"_s, text,
        u"select cuery_no from cuery where comp = :c and cuery_no = :key"_s, { { u":c"_s, company } },
        u"幣別重複！請重新確認！"_s);
}

Status checkDepositKind(const DataSet& kinds, int row, const QString& text)
{
    return checkKey(kinds, row, u"cat_name"_s, text,
        u"select cat_name from catlog where lower(cat_type) = lower(:k) and cat_name = :key"_s,
        { { u":k"_s, QString::fromLatin1(kDepositKind) } }, u"存款類別重複！請重新確認！"_s);
}

} // namespace korvessa
