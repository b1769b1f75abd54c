#include "core/ledger/vouchers.h"

#include "core/common/dates.h"
#include "core/common/money.h"
#include "core/db/database.h"
#include "core/db/dataset.h"

#include <QSqlRecord>

namespace korvessa::vouchers {

using namespace Qt::StringLiterals;

namespace {

const QString kCaption = u"資料錯誤"_s;

QString opening() { return QString::fromLatin1(kOpeningVoucher); }

QString field(const char* name) { return QString::fromLatin1(name); }

QString textOf(const QVariant& v) { return v.isNull() ? QString() : v.toString(); }

// Texts are written as empty text, never as null: posting groups lines by
// department, and "no department" is the empty text.
QString stored(const QString& text) { return text.isNull() ? QStringLiteral("") : text; }

Result<std::optional<QString>> oneNumber(const QSqlDatabase& db, const QString& text, const SqlParams& params)
{
    auto value = sql::scalar(db, text, params);
    if (!value)
        return value.refusal();
    if (value->isNull())
        return std::optional<QString>();
    return std::optional<QString>(value->toString());
}

// Header columns of fincm besides comp and finm_no.
QList<std::pair<QString, QVariant>> headerValues(const Voucher& v)
{
    return {
        { u"finm_dat"_s, stored(v.date) },
        { u"finm_type"_s, stored(v.type) },
        { u"finm_cur"_s, stored(v.currency) },
        { u"finm_num"_s, v.rate },
        { u"finm_for"_s, stored(v.pattern) },
        { u"finm_pre"_s, stored(v.summary) },
        { u"finm_dat2"_s, stored(v.enteredOn) },
        { u"finm_user"_s, stored(v.user) },
        { u"finm_deb"_s, v.debitTotal },
        { u"finm_cre"_s, v.creditTotal },
        { u"finm_dcou"_s, v.debitCount },
        { u"finm_ccou"_s, v.creditCount },
        { u"finm_memo1"_s, stored(v.memo1) },
        { u"finm_memo2"_s, stored(v.memo2) },
        { u"finm_memo3"_s, stored(v.memo3) },
        { u"finm_temp"_s, v.temp },
    };
}

Status insertLines(const QSqlDatabase& db, const Voucher& v)
{
    for (const Line& line : v.lines) {
        if (Status s = sql::insert(db, u"fincd"_s, lineColumns(v, line)); !s)
            return s;
    }
    return {};
}

} // namespace

QList<std::pair<QString, QVariant>> headerColumns(const Voucher& v)
{
    QList<std::pair<QString, QVariant>> values = { { u"comp"_s, v.comp }, { u"finm_no"_s, v.number } };
    values += headerValues(v);
    return values;
}

QList<std::pair<QString, QVariant>> lineColumns(const Voucher& v, const Line& l)
{
    return {
        { u"comp"_s, stored(v.comp) },
        { u"find_no"_s, stored(v.number) },
        { u"find_sn"_s, l.sn },
        { u"find_acc"_s, stored(l.account) },
        { u"find_acct"_s, stored(l.account.left(4)) },
        { u"find_name"_s, stored(l.name) },
        { u"find_pre"_s, stored(l.summary) },
        { u"find_dec"_s, l.debit },
        { u"find_cre"_s, l.credit },
        { u"find_tdec"_s, double(l.localDebit) },
        { u"find_tcre"_s, double(l.localCredit) },
        { u"find_dep"_s, stored(l.department) },
        { u"find_obj"_s, stored(l.counterparty) },
        { u"find_orgn"_s, stored(l.sourceNo) },
        { u"find_dat"_s, stored(v.date) },
        { u"find_mon"_s, stored(v.date.left(7)) },
        { u"find_cur"_s, stored(l.currency) },
        { u"find_num"_s, l.rate },
        { u"find_for"_s, stored(l.pattern) },
        { u"find_obj1"_s, l.obj1 },
        { u"find_temp"_s, l.temp },
    };
}


const QStringList& types()
{
    static const QStringList list = { u"現金收入"_s, u"現金支出"_s, u"轉帳傳票"_s };
    return list;
}

QString numberPrefix(const QString& date)
{
    return u'F' + date.mid(2, 2) + date.mid(5, 2) + date.mid(8, 2);
}

Result<QString> nextNumber(const QSqlDatabase& db, const QString& comp, const QString& date)
{
    if (!dateFromText(date).isValid())
        return Refusal::rule(kCaption, u"輸入格式錯誤"_s, field(kDateField));
    const QString prefix = numberPrefix(date);
    // The range keeps the look-up on the (comp, finm_no) index.
    auto highest = oneNumber(db,
        u"select max(finm_no) from fincm where comp = :comp and finm_no >= :lo and finm_no <= :hi"
        u" and length(finm_no) = 10"_s,
        { { u":comp"_s, comp }, { u":lo"_s, QString(prefix + u"000"_s) }, { u":hi"_s, QString(prefix + u"999"_s) } });
    if (!highest)
        return highest.refusal();
    const int sequence = *highest ? (*highest)->mid(7, 3).toInt() + 1 : 1;
    if (sequence > 999)
        return Refusal::rule(kCaption, u"本日傳票已達999張，請改用其他日期！"_s, field(kDateField));
    return QString(prefix + QString::number(sequence).rightJustified(3, u'0'));
}

Result<bool> numberTaken(const QSqlDatabase& db, const QString& comp, const QString& number)
{
    return sql::exists(db, u"select finm_no from fincm where comp = :comp and finm_no = :no"_s,
        { { u":comp"_s, comp }, { u":no"_s, number } });
}

Result<QList<Currency>> currencies(const QSqlDatabase& db, const QString& comp)
{
    auto rows = sql::rows(
        db, u"select cuery_no, cuery_num, cuery_for from cuery where comp = :comp"_s, { { u":comp"_s, comp } });
    if (!rows)
        return rows.refusal();
    QList<Currency> list;
    for (const QSqlRecord& r : *rows)
        list.append({ sql::text(r, u"cuery_no"_s), sql::field(r, u"cuery_num"_s).toDouble(), sql::text(r, u"cuery_for"_s) });
    return list;
}

Result<std::optional<Currency>> currency(const QSqlDatabase& db, const QString& comp, const QString& code)
{
    auto row = sql::first(db, u"select cuery_no, cuery_num, cuery_for from cuery where comp = :comp and cuery_no = :no"_s,
        { { u":comp"_s, comp }, { u":no"_s, code } });
    if (!row)
        return row.refusal();
    if (!*row)
        return std::optional<Currency>();
    const QSqlRecord& r = **row;
    return std::optional<Currency>(
        Currency { sql::text(r, u"cuery_no"_s), sql::field(r, u"cuery_num"_s).toDouble(), sql::text(r, u"cuery_for"_s) });
}

Result<QStringList> departments(const QSqlDatabase& db)
{
    auto rows = sql::rows(
        db, u"select cat_name from catlog where cat_type = 'part' and cat_name <> ' ' order by length(sn), sn"_s);
    if (!rows)
        return rows.refusal();
    QStringList names;
    for (const QSqlRecord& r : *rows)
        names.append(sql::text(r, u"cat_name"_s));
    return names;
}

Status checkDate(const QString& text)
{
    if (dateFromText(text.trimmed()).isValid())
        return {};
    Refusal r = Refusal::rule(QString(), u"輸入格式錯誤"_s, field(kDateField));
    r.style = Refusal::Style::Warning;
    return r;
}

Voucher newVoucher(const QString& comp, const QString& user, const Currency& currency, const QString& date)
{
    Voucher v;
    v.comp = comp;
    v.user = user;
    v.date = date;
    v.enteredOn = todayText();
    v.type = QString::fromUtf8(kTransferType);
    setCurrency(v, currency);
    return v;
}

void setCurrency(Voucher& voucher, const Currency& currency)
{
    voucher.currency = currency.code;
    voucher.rate = currency.rate;
    voucher.pattern = currency.pattern;
}

Line newLine(const Voucher& voucher, int highestSn)
{
    Line l;
    l.sn = highestSn + 1;
    l.currency = voucher.currency;
    l.rate = voucher.rate;
    l.pattern = voucher.pattern;
    return l;
}

QVariantMap lineDefaults(
    const QString& comp, const QString& number, const QString& currency, double rate, const QString& pattern, int sn)
{
    return {
        { u"comp"_s, comp },
        { u"find_no"_s, number },
        { u"find_sn"_s, sn },
        { u"find_cur"_s, currency },
        { u"find_num"_s, rate },
        { u"find_for"_s, pattern },
        { u"find_dec"_s, 0.0 },
        { u"find_cre"_s, 0.0 },
        { u"find_dep"_s, QString() },
    };
}

Result<double> typedAmount(const QString& text, const QString& pattern)
{
    if (pattern.trimmed().isEmpty())
        return Refusal::rule(kCaption, u"請選擇幣別！"_s);
    const auto value = money::round(text, pattern);
    if (!value)
        return Refusal::rule(kCaption, u"金額格式錯誤！請重新輸入！"_s);
    return *value;
}

Status checkLine(double debit, double credit)
{
    if (debit > 0 || credit > 0)
        return {};
    return Refusal::rule(kCaption, u"金額需大於0！"_s);
}

Status prepare(Voucher& v)
{
    if (v.type.trimmed().isEmpty())
        return Refusal::rule(kCaption, u"請輸入傳票類別！"_s, field(kTypeField));
    if (v.currency.trimmed().isEmpty())
        return Refusal::rule(kCaption, u"請輸入傳票幣別！"_s, field(kCurrencyField));

    QList<Line> kept;
    for (const Line& l : std::as_const(v.lines)) {
        if (!l.account.trimmed().isEmpty() && (l.debit != 0 || l.credit != 0))
            kept.append(l);
    }
    v.lines = kept;
    if (v.lines.isEmpty())
        return Refusal::rule(kCaption, u"請輸入分錄明細！"_s);

    double debit = 0;
    double credit = 0;
    int debitCount = 0;
    int creditCount = 0;
    for (Line& l : v.lines) {
        l.debit = money::round(l.debit, v.pattern);
        l.credit = money::round(l.credit, v.pattern);
        auto localDebit = money::localAmount(l.debit, v.rate);
        if (!localDebit)
            return localDebit.refusal();
        auto localCredit = money::localAmount(l.credit, v.rate);
        if (!localCredit)
            return localCredit.refusal();
        l.localDebit = *localDebit;
        l.localCredit = *localCredit;
        if (l.debit != 0) {
            debit += l.debit;
            ++debitCount;
        }
        if (l.credit != 0) {
            credit += l.credit;
            ++creditCount;
        }
    }
    // Sums of rounded amounts are rounded once more, so that 0.1 + 0.2
    // compares as 0.30.
    v.debitTotal = money::round(debit, v.pattern);
    v.creditTotal = money::round(credit, v.pattern);
    v.debitCount = debitCount;
    v.creditCount = creditCount;
    if (money::format(v.debitTotal, v.pattern) != money::format(v.creditTotal, v.pattern))
        return Refusal::rule(kCaption, u"分錄明細借／貸不平衡！請重新確認！"_s);
    return {};
}

Result<QString> save(const QSqlDatabase& db, Voucher& v, const QString& original, bool typedNumber)
{
    if (Status s = prepare(v); !s)
        return s.refusal();
    if (original.isEmpty()) {
        if (typedNumber && v.number.trimmed().isEmpty())
            typedNumber = false;
        if (Status s = checkDate(v.date); !s)
            return s.refusal();
    }

    Transaction tx(db);
    if (!tx.started())
        return tx.started().refusal();

    if (original.isEmpty()) {
        bool taken = v.number.trimmed().isEmpty();
        if (!taken) {
            auto there = numberTaken(db, v.comp, v.number);
            if (!there)
                return there.refusal();
            taken = *there;
        }
        if (taken && typedNumber)
            return Refusal::rule(kCaption, u"傳票編號重複！請重新確認！"_s, field(kNumberField));
        if (taken) {
            auto next = nextNumber(db, v.comp, v.date);
            if (!next)
                return next.refusal();
            v.number = *next;
        }
        if (Status s = insertLines(db, v); !s)
            return s.refusal();
        if (Status s = sql::insert(db, u"fincm"_s, headerColumns(v)); !s)
            return s.refusal();
    } else {
        v.number = original;
        if (Status s = sql::execute(db, u"delete from fincd where comp = :comp and find_no = :no"_s,
                { { u":comp"_s, v.comp }, { u":no"_s, original } });
            !s)
            return s.refusal();
        if (Status s = insertLines(db, v); !s)
            return s.refusal();
        QStringList sets;
        SqlParams params;
        for (const auto& [column, value] : headerValues(v)) {
            sets.append(column + u" = :"_s + column);
            params.append({ u':' + column, value });
        }
        params.append({ u":kv_comp"_s, v.comp });
        params.append({ u":kv_no"_s, original });
        auto done = sql::execute(db,
            u"update fincm set "_s + sets.join(u", "_s) + u" where comp = :kv_comp and finm_no = :kv_no"_s, params);
        if (!done)
            return done.refusal();
        if (*done == 0)
            return Refusal::database(u"資料已被其他使用者修改或刪除，請取消後重新讀取。"_s);
    }
    if (Status s = tx.commit(); !s)
        return s.refusal();
    return v.number;
}

Status remove(const QSqlDatabase& db, const QString& comp, const QString& number)
{
    Transaction tx(db);
    if (!tx.started())
        return tx.started();
    const SqlParams params = { { u":comp"_s, comp }, { u":no"_s, number } };
    if (Status s = sql::execute(db, u"delete from fincd where comp = :comp and find_no = :no"_s, params); !s)
        return s;
    if (Status s = sql::execute(db, u"delete from fincm where comp = :comp and finm_no = :no"_s, params); !s)
        return s;
    return tx.commit();
}

Result<std::optional<Voucher>> load(const QSqlDatabase& db, const QString& comp, const QString& number)
{
    const SqlParams params = { { u":comp"_s, comp }, { u":no"_s, number } };
    auto head = sql::first(db, u"select * from fincm where comp = :comp and finm_no = :no"_s, params);
    if (!head)
        return head.refusal();
    if (!*head)
        return std::optional<Voucher>();
    const QSqlRecord& h = **head;
    Voucher v;
    v.comp = comp;
    v.number = number;
    v.date = sql::text(h, u"finm_dat"_s);
    v.type = sql::text(h, u"finm_type"_s);
    v.currency = sql::text(h, u"finm_cur"_s);
    v.rate = sql::field(h, u"finm_num"_s).toDouble();
    v.pattern = sql::text(h, u"finm_for"_s);
    v.summary = sql::text(h, u"finm_pre"_s);
    v.enteredOn = sql::text(h, u"finm_dat2"_s);
    v.user = sql::text(h, u"finm_user"_s);
    v.memo1 = sql::text(h, u"finm_memo1"_s);
    v.memo2 = sql::text(h, u"finm_memo2"_s);
    v.memo3 = sql::text(h, u"finm_memo3"_s);
    v.temp = sql::field(h, u"finm_temp"_s);
    v.debitTotal = sql::field(h, u"finm_deb"_s).toDouble();
    v.creditTotal = sql::field(h, u"finm_cre"_s).toDouble();
    v.debitCount = sql::field(h, u"finm_dcou"_s).toInt();
    v.creditCount = sql::field(h, u"finm_ccou"_s).toInt();
    auto lines = sql::rows(db, u"select * from fincd where comp = :comp and find_no = :no order by find_sn"_s, params);
    if (!lines)
        return lines.refusal();
    for (const QSqlRecord& r : *lines) {
        Line l;
        l.sn = sql::field(r, u"find_sn"_s).toInt();
        l.account = sql::text(r, u"find_acc"_s);
        l.name = sql::text(r, u"find_name"_s);
        l.summary = sql::text(r, u"find_pre"_s);
        l.debit = sql::field(r, u"find_dec"_s).toDouble();
        l.credit = sql::field(r, u"find_cre"_s).toDouble();
        l.localDebit = qint64(sql::field(r, u"find_tdec"_s).toDouble());
        l.localCredit = qint64(sql::field(r, u"find_tcre"_s).toDouble());
        l.department = sql::text(r, u"find_dep"_s);
        l.counterparty = sql::text(r, u"find_obj"_s);
        l.sourceNo = sql::text(r, u"find_orgn"_s);
        l.currency = sql::text(r, u"find_cur"_s);
        l.rate = sql::field(r, u"find_num"_s).toDouble();
        l.pattern = sql::text(r, u"find_for"_s);
        l.obj1 = sql::field(r, u"find_obj1"_s);
        l.temp = sql::field(r, u"find_temp"_s);
        v.lines.append(l);
    }
    return std::optional<Voucher>(v);
}

Voucher fromRows(const DataSet& header, const DataSet& lines)
{
    Voucher v;
    auto h = [&](const char* column) { return header.value(QString::fromLatin1(column)); };
    v.comp = textOf(h("comp"));
    v.number = textOf(h("finm_no"));
    v.date = textOf(h("finm_dat"));
    v.type = textOf(h("finm_type"));
    v.currency = textOf(h("finm_cur"));
    v.rate = h("finm_num").toDouble();
    v.pattern = textOf(h("finm_for"));
    v.summary = textOf(h("finm_pre"));
    v.enteredOn = textOf(h("finm_dat2"));
    v.user = textOf(h("finm_user"));
    v.memo1 = textOf(h("finm_memo1"));
    v.memo2 = textOf(h("finm_memo2"));
    v.memo3 = textOf(h("finm_memo3"));
    v.temp = h("finm_temp");
    for (int r = 0; r < lines.count(); ++r) {
        auto c = [&](const char* column) { return lines.value(r, QString::fromLatin1(column)); };
        Line l;
        l.sn = c("find_sn").toInt();
        l.account = textOf(c("find_acc"));
        l.name = textOf(c("find_name"));
        l.summary = textOf(c("find_pre"));
        l.debit = c("find_dec").toDouble();
        l.credit = c("find_cre").toDouble();
        l.department = textOf(c("find_dep"));
        l.counterparty = textOf(c("find_obj"));
        l.sourceNo = textOf(c("find_orgn"));
        l.currency = textOf(c("find_cur"));
        l.rate = c("find_num").toDouble();
        l.pattern = textOf(c("find_for"));
        l.obj1 = c("find_obj1");
        l.temp = c("find_temp");
        v.lines.append(l);
    }
    return v;
}

Result<std::optional<QString>> newest(const QSqlDatabase& db, const QString& comp)
{
    return oneNumber(db, u"select max(finm_no) from fincm where comp = :comp and finm_no <> :opening"_s,
        { { u":comp"_s, comp }, { u":opening"_s, opening() } });
}

Result<std::optional<QString>> oldest(const QSqlDatabase& db, const QString& comp)
{
    return oneNumber(db, u"select min(finm_no) from fincm where comp = :comp and finm_no <> :opening"_s,
        { { u":comp"_s, comp }, { u":opening"_s, opening() } });
}

Result<std::optional<QString>> neighbour(
    const QSqlDatabase& db, const QString& comp, const QString& number, Direction direction)
{
    const QString text = direction == Direction::Older
        ? u"select max(finm_no) from fincm where comp = :comp and finm_no < :no and finm_no <> :opening"_s
        : u"select min(finm_no) from fincm where comp = :comp and finm_no > :no and finm_no <> :opening"_s;
    return oneNumber(db, text, { { u":comp"_s, comp }, { u":no"_s, number }, { u":opening"_s, opening() } });
}

Result<bool> any(const QSqlDatabase& db, const QString& comp)
{
    auto n = newest(db, comp);
    if (!n)
        return n.refusal();
    return n->has_value();
}

std::pair<QString, SqlParams> entrySelect(const QString& comp, const QString& type, const QString& keyword)
{
    QString text = u"select * from finsam_m where comp = :comp and sam_type = :type"_s;
    SqlParams params = { { u":comp"_s, comp }, { u":type"_s, type } };
    if (!keyword.isEmpty()) {
        text += u" and (sam_no like :kw or sam_memo like :kw2)"_s;
        params.append({ u":kw"_s, keyword });
        params.append({ u":kw2"_s, keyword });
    }
    text += u" order by sam_no"_s;
    return { text, params };
}

std::pair<QString, SqlParams> entryLineSelect(const QString& comp, const QString& type, const QString& number)
{
    return { u"select sam_acc, sam_name, sam_cd, sam_num, sam_dep, sam_sn from finsam_d"
             u" where comp = :comp and sam_no = :no and sam_type = :type order by sam_sn"_s,
        { { u":comp"_s, comp }, { u":no"_s, number }, { u":type"_s, type } } };
}

Result<QList<EntryLine>> entryLines(
    const QSqlDatabase& db, const QString& comp, const QString& type, const QString& number)
{
    const auto [text, params] = entryLineSelect(comp, type, number);
    auto rows = sql::rows(db, text, params);
    if (!rows)
        return rows.refusal();
    QList<EntryLine> lines;
    for (const QSqlRecord& r : *rows) {
        lines.append({ sql::text(r, u"sam_acc"_s), sql::text(r, u"sam_name"_s), sql::text(r, u"sam_cd"_s),
            sql::field(r, u"sam_num"_s).toDouble(), sql::text(r, u"sam_dep"_s) });
    }
    return lines;
}

Result<double> entryAmount(const QString& text)
{
    const auto value = money::normalized(text);
    if (!value || value->toDouble() == 0)
        return Refusal::rule(kCaption, u"請輸入金額！"_s);
    return value->toDouble();
}

std::pair<double, double> entryLineAmounts(const EntryLine& line, double amount)
{
    const double value = line.percent * amount / 100.0;
    if (line.side == u"貸"_s)
        return { 0.0, value };
    return { value, 0.0 };
}

std::pair<QString, SqlParams> browseSelect(const QString& comp, const BrowseFilter& filter)
{
    QString text = u"select * from fincm where comp = :comp and finm_no <> :opening"_s;
    SqlParams params = { { u":comp"_s, comp }, { u":opening"_s, opening() } };
    // A mask left blank shows "    /  /  ".
    auto given = [](const QString& date) {
        QString t = date;
        t.remove(u'/').remove(u'_');
        return !t.trimmed().isEmpty();
    };
    if (given(filter.from)) {
        text += u" and finm_dat >= :from"_s;
        params.append({ u":from"_s, filter.from });
    }
    if (given(filter.to)) {
        text += u" and finm_dat <= :to"_s;
        params.append({ u":to"_s, filter.to });
    }
    if (!filter.keyword.isEmpty()) {
        const auto [condition, keywordParams] = DataSet::containsCondition({ u"finm_pre"_s, u"finm_no"_s }, filter.keyword);
        text += u" and "_s + condition;
        params += keywordParams;
    }
    if (!filter.type.isEmpty()) {
        text += u" and finm_type = :type"_s;
        params.append({ u":type"_s, filter.type });
    }
    text += u" order by finm_dat, finm_no"_s;
    return { text, params };
}

} // namespace korvessa::vouchers
