#include "core/ledger/voucherprint.h"

#include "core/ledger/vouchers.h"

#include <QSqlRecord>

namespace korvessa::voucherprint {

using namespace Qt::StringLiterals;

namespace {

// A date field left blank shows its mask "    /  /  ".
bool dateGiven(const QString& date)
{
    QString t = date;
    t.remove(u'/').remove(u'_');
    return !t.trimmed().isEmpty();
}

} // namespace

std::pair<QString, SqlParams> listSelect(const QString& comp, const Filter& filter)
{
    QString text = u"select * from fincm where comp = :comp"_s;
    SqlParams params = { { u":comp"_s, comp } };
    auto add = [&](bool given, const QString& condition, const QString& name, const QString& value) {
        if (!given)
            return;
        text += u" and "_s + condition;
        params.append({ name, value });
    };
    add(dateGiven(filter.fromDate), u"finm_dat >= :from_dat"_s, u":from_dat"_s, filter.fromDate);
    add(dateGiven(filter.toDate), u"finm_dat <= :to_dat"_s, u":to_dat"_s, filter.toDate);
    add(!filter.fromNumber.isEmpty(), u"finm_no >= :from_no"_s, u":from_no"_s, filter.fromNumber);
    add(!filter.toNumber.isEmpty(), u"finm_no <= :to_no"_s, u":to_no"_s, filter.toNumber);
    add(!filter.type.isEmpty(), u"finm_type = :type"_s, u":type"_s, filter.type);
    add(!filter.currency.isEmpty(), u"finm_cur = :cur"_s, u":cur"_s, filter.currency);
    text += u" order by finm_dat, finm_no"_s;
    return { text, params };
}

std::optional<QString> amountFormat(const QString& pattern)
{
    static const QList<std::pair<QString, QString>> table = {
        { u"%.0f"_s, u"#,##0"_s },
        { u"%.1f"_s, u"#,##0.0"_s },
        { u"%.2f"_s, u"#,##0.00"_s },
        { u"%.3f"_s, u"#,##0.000"_s },
        { u"%.4f"_s, u"#,##0.0000"_s },
    };
    for (const auto& [p, format] : table) {
        if (p == pattern)
            return format;
    }
    return std::nullopt;
}

int formatDecimals(const QString& format)
{
    const qsizetype point = format.indexOf(u'.');
    return point < 0 ? 0 : int(format.size() - point - 1);
}

Result<QString> amountFormatFor(const QSqlDatabase& db, const QString& comp, const QString& code, const QString& previous)
{
    auto currency = vouchers::currency(db, comp, code);
    if (!currency)
        return currency.refusal();
    if (!*currency)
        return previous;
    return amountFormat((*currency)->pattern).value_or(previous);
}

QVariantMap rowValues(const QSqlRecord& record)
{
    QVariantMap values;
    for (int i = 0; i < record.count(); ++i)
        values.insert(record.fieldName(i).toLower(), record.value(i));
    return values;
}

Result<QVariantMap> companyRow(const QSqlDatabase& db, const QString& comp)
{
    auto row = sql::first(db, u"select * from company where comp_name = :comp"_s, { { u":comp"_s, comp } });
    if (!row)
        return row.refusal();
    return *row ? rowValues(**row) : QVariantMap();
}

Result<QString> footer(const QSqlDatabase& db, const QString& comp)
{
    auto value = sql::scalar(db, u"select acct_memo from company where comp_name = :comp"_s, { { u":comp"_s, comp } });
    if (!value)
        return value.refusal();
    return value->isNull() ? QString() : value->toString();
}

Status saveFooter(const QSqlDatabase& db, const QString& comp, const QString& text)
{
    // Texts are stored as empty text, never as null.
    return sql::execute(db, u"update company set acct_memo = :memo where comp_name = :comp"_s,
        { { u":memo"_s, text.isNull() ? u""_s : text }, { u":comp"_s, comp } });
}

Result<PrintData> printData(const QSqlDatabase& db, const QString& comp, const QList<QVariantMap>& headers)
{
    PrintData data;
    data.headers = headers;
    for (const QVariantMap& header : headers) {
        const QString number = header.value(u"finm_no"_s).toString();
        auto lines = sql::rows(db, u"select * from fincd where comp = :comp and find_no = :no order by find_sn"_s,
            { { u":comp"_s, comp }, { u":no"_s, number } });
        if (!lines)
            return lines.refusal();
        for (const QSqlRecord& r : *lines) {
            QVariantMap line = rowValues(r);
            line.insert(u"finm_no"_s, number);
            data.lines.append(line);
        }
    }
    return data;
}

} // namespace korvessa::voucherprint
