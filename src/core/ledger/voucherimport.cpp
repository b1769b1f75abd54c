#include "core/ledger/voucherimport.h"

#include "core/common/csv.h"
#include "core/common/dates.h"
#include "core/common/money.h"
#include "core/db/batchinsert.h"
#include "core/db/database.h"
#include "core/ledger/accounts.h"
#include "core/ledger/vouchers.h"

#include <QHash>
#include <QSet>

#include <optional>

namespace korvessa::vouchers {

using namespace Qt::StringLiterals;

namespace {

enum Column { Key, Date, Type, CurrencyCode, Summary, Account, LineSummary, Debit, Credit, Department, Counterparty, SourceNo };

// The free-text columns end at 50 characters in the tables.
constexpr int kTextLength = 50;

class Importer {
public:
    Importer(const QSqlDatabase& db, const QString& comp, const QString& user, QIODevice& file,
        const ImportProgress& progress)
        : m_db(db)
        , m_comp(comp)
        , m_user(user)
        , m_file(file)
        , m_progress(progress)
    {
    }

    Result<ImportResult> run();

private:
    struct Group {
        QString key;
        qint64 firstRow = 0;
        bool refused = false;
        Voucher voucher;
    };

    Status pass(bool writing);
    void refuse(qint64 row, const QString& text);
    Status startGroup(Group& group, const QStringList& f, qint64 row);
    void addLine(Group& group, const QStringList& f, qint64 row);
    Status finishGroup(Group& group, bool writing);
    Result<QString> takeNumber(const QString& date);

    std::optional<Refusal> accountRefusal(const QString& code, accounts::Account& account);
    Result<std::optional<Currency>> currencyOf(const QString& code);
    Result<bool> customerExists(const QString& number);

    QSqlDatabase m_db;
    QString m_comp;
    QString m_user;
    QIODevice& m_file;
    ImportProgress m_progress;
    qint64 m_total = 0;
    qint64 m_doneBefore = 0;

    QList<int> m_at; // file column of each Column
    ImportResult m_result;
    std::optional<Refusal> m_failure; // a database failure stops everything

    QHash<QString, Result<accounts::Account>> m_accounts;
    QHash<QString, std::optional<Currency>> m_currencies;
    QSet<QString> m_departments;
    QHash<QString, bool> m_customers;
    QHash<QString, int> m_sequences; // date → next sequence

    std::unique_ptr<BatchInsert> m_lineWriter;
    std::unique_ptr<BatchInsert> m_headerWriter;
    QStringList m_lineColumns;
    QStringList m_headerColumns;
};

QString fieldAt(const QStringList& f, int column) { return f.value(column).trimmed(); }

Result<ImportResult> Importer::run()
{
    auto departmentList = departments(m_db);
    if (!departmentList)
        return departmentList.refusal();
    for (const QString& name : std::as_const(*departmentList))
        m_departments.insert(name);
    m_total = m_file.size() * 2;

    if (Status s = pass(false); !s)
        return s.refusal();
    if (m_result.refusedRows > 0)
        return m_result;

    // Checked: read again and write, every voucher or none.
    if (!m_file.seek(0))
        return Refusal::database(u"The file cannot be read a second time: %1"_s.arg(m_file.errorString()));
    m_doneBefore = m_total / 2;
    m_result = {};
    m_sequences.clear();
    Transaction tx(m_db);
    if (!tx.started())
        return tx.started().refusal();
    if (Status s = pass(true); !s)
        return s.refusal();
    if (m_result.refusedRows > 0) {
        // Only a change of the books between the readings gets here.
        return m_result;
    }
    if (Status s = m_lineWriter->finish(); !s)
        return s.refusal();
    if (Status s = m_headerWriter->finish(); !s)
        return s.refusal();
    if (Status s = tx.commit(); !s)
        return s.refusal();
    if (m_progress)
        m_progress(m_total, m_total);
    return m_result;
}

void Importer::refuse(qint64 row, const QString& text)
{
    ++m_result.refusedRows;
    if (m_result.refusals.size() < kMaxReported)
        m_result.refusals.append(u"row %1: %2"_s.arg(row).arg(text));
}

Status Importer::pass(bool writing)
{
    csv::Reader reader(m_file);
    QStringList f;
    if (!reader.next(f))
        return Refusal::rule(u"資料錯誤"_s, u"The file is empty: a header row is needed."_s);
    m_at.clear();
    for (const QString& name : importColumns()) {
        const qsizetype at = f.indexOf(name);
        if (at < 0) {
            QStringList trimmed;
            for (const QString& h : std::as_const(f))
                trimmed.append(h.trimmed().toLower());
            const qsizetype again = trimmed.indexOf(name);
            if (again < 0)
                return Refusal::rule(u"資料錯誤"_s, u"The header row has no column \"%1\"."_s.arg(name));
            m_at.append(int(again));
        } else {
            m_at.append(int(at));
        }
    }
    if (writing) {
        const Voucher none;
        m_lineColumns.clear();
        for (const auto& c : lineColumns(none, Line()))
            m_lineColumns.append(c.first);
        m_headerColumns.clear();
        for (const auto& c : headerColumns(none))
            m_headerColumns.append(c.first);
        m_lineWriter = std::make_unique<BatchInsert>(m_db, u"fincd"_s, m_lineColumns, 200);
        m_headerWriter = std::make_unique<BatchInsert>(m_db, u"fincm"_s, m_headerColumns, 200);
    }

    Group group;
    bool open = false;
    while (reader.next(f)) {
        if (f.size() == 1 && f.first().trimmed().isEmpty())
            continue; // a blank line
        QStringList v;
        v.reserve(m_at.size());
        for (int at : std::as_const(m_at))
            v.append(fieldAt(f, at));
        const qint64 row = reader.record();
        if (!open || v.at(Key) != group.key) {
            if (open) {
                if (Status s = finishGroup(group, writing); !s)
                    return s;
            }
            group = Group();
            open = true;
            if (Status s = startGroup(group, v, row); !s)
                return s;
        }
        addLine(group, v, row);
        if (m_failure)
            return *m_failure;
        if (m_progress && (row & 0x3fff) == 0)
            m_progress(m_doneBefore + reader.position(), m_total);
    }
    if (reader.unterminatedQuote())
        refuse(reader.record(), u"引號未結束！"_s);
    if (open)
        return finishGroup(group, writing);
    return {};
}

Status Importer::startGroup(Group& group, const QStringList& f, qint64 row)
{
    group.key = f.at(Key);
    group.firstRow = row;
    Voucher& v = group.voucher;
    v.comp = m_comp;
    v.user = m_user;
    v.enteredOn = todayText();
    v.date = f.at(Date);
    v.type = f.at(Type);
    v.currency = f.at(CurrencyCode);
    v.summary = f.at(Summary);

    auto refuse = [&](const QString& text) {
        this->refuse(row, text);
        group.refused = true;
    };
    if (Status s = checkDate(v.date); !s)
        refuse(s.refusal().text);
    if (v.type.isEmpty())
        refuse(u"請輸入傳票類別！"_s);
    else if (!types().contains(v.type))
        refuse(u"無此傳票類別，請重新輸入！"_s);
    if (v.currency.isEmpty()) {
        refuse(u"請輸入傳票幣別！"_s);
    } else {
        auto c = currencyOf(v.currency);
        if (!c)
            return c.refusal();
        if (!*c)
            refuse(u"無此幣別，請重新輸入！"_s);
        else
            setCurrency(v, **c);
    }
    if (v.summary.size() > kTextLength)
        refuse(u"傳票摘要不可超過%1個字！"_s.arg(kTextLength));
    return {};
}

void Importer::addLine(Group& group, const QStringList& f, qint64 row)
{
    bool refused = false;
    auto refuse = [&](const QString& text) {
        this->refuse(row, text);
        refused = true;
    };
    Line l;
    l.sn = int(group.voucher.lines.size()) + 1;
    l.account = f.at(Account);
    l.summary = f.at(LineSummary);
    l.department = f.at(Department);
    l.counterparty = f.at(Counterparty);
    l.sourceNo = f.at(SourceNo);
    l.currency = group.voucher.currency;
    l.rate = group.voucher.rate;
    l.pattern = group.voucher.pattern;

    accounts::Account account;
    if (auto r = accountRefusal(l.account, account))
        refuse(r->text);
    else
        l.name = account.name;
    if (m_failure)
        return;

    bool amountsRead = true;
    for (int column : { int(Debit), int(Credit) }) {
        const auto amount = money::number(f.at(column));
        if (!amount) {
            refuse(u"金額格式錯誤！請重新輸入！"_s);
            amountsRead = false;
            break;
        }
        const double value = *amount;
        if (value < 0) {
            refuse(u"金額需大於0！"_s);
            amountsRead = false;
            break;
        }
        (column == Debit ? l.debit : l.credit) = value;
    }
    if (amountsRead) {
        if (Status s = checkLine(l.debit, l.credit); !s)
            refuse(s.refusal().text);
    }
    if (!l.department.isEmpty() && !m_departments.contains(l.department))
        refuse(u"無此部門，請重新輸入！"_s);
    if (!l.counterparty.isEmpty()) {
        auto there = customerExists(l.counterparty);
        if (!there) {
            m_failure = there.refusal();
            return;
        }
        if (!*there)
            refuse(u"無此客戶編號，請重新輸入！"_s);
    }
    if (l.summary.size() > kTextLength)
        refuse(u"科目摘要不可超過%1個字！"_s.arg(kTextLength));
    if (l.sourceNo.size() > kTextLength)
        refuse(u"原始單號不可超過%1個字！"_s.arg(kTextLength));

    if (refused)
        group.refused = true;
    else
        group.voucher.lines.append(l);
}

Status Importer::finishGroup(Group& group, bool writing)
{
    if (group.refused)
        return {};
    Voucher& v = group.voucher;
    if (Status s = prepare(v); !s) {
        if (s.refusal().kind == Refusal::Kind::Database)
            return s;
        refuse(group.firstRow, s.refusal().text);
        return {};
    }
    auto number = takeNumber(v.date);
    if (!number) {
        if (number.refusal().kind == Refusal::Kind::Database)
            return number.refusal();
        refuse(group.firstRow, number.refusal().text);
        return {};
    }
    v.number = *number;
    ++m_result.vouchers;
    m_result.lines += v.lines.size();
    if (!writing)
        return {};
    QVariantList values;
    values.reserve(m_lineColumns.size());
    for (const Line& l : std::as_const(v.lines)) {
        values.clear();
        for (const auto& c : lineColumns(v, l))
            values.append(c.second);
        if (Status s = m_lineWriter->add(values); !s)
            return s;
    }
    values.clear();
    for (const auto& c : headerColumns(v))
        values.append(c.second);
    return m_headerWriter->add(values);
}

Result<QString> Importer::takeNumber(const QString& date)
{
    auto it = m_sequences.find(date);
    if (it == m_sequences.end()) {
        auto first = nextNumber(m_db, m_comp, date);
        if (!first)
            return first.refusal();
        it = m_sequences.insert(date, first->right(3).toInt());
    }
    if (*it > 999)
        return Refusal::rule(u"資料錯誤"_s, u"本日傳票已達999張，請改用其他日期！"_s);
    return QString(numberPrefix(date) + QString::number((*it)++).rightJustified(3, u'0'));
}

std::optional<Refusal> Importer::accountRefusal(const QString& code, accounts::Account& account)
{
    auto it = m_accounts.find(code);
    if (it == m_accounts.end())
        it = m_accounts.insert(code, accounts::postingAccount(m_db, m_comp, code));
    if (!*it) {
        if (it->refusal().kind == Refusal::Kind::Database)
            m_failure = it->refusal();
        return it->refusal();
    }
    account = **it;
    return std::nullopt;
}

Result<std::optional<Currency>> Importer::currencyOf(const QString& code)
{
    auto it = m_currencies.find(code);
    if (it != m_currencies.end())
        return *it;
    auto found = currency(m_db, m_comp, code);
    if (!found)
        return found.refusal();
    m_currencies.insert(code, *found);
    return *found;
}

Result<bool> Importer::customerExists(const QString& number)
{
    auto it = m_customers.find(number);
    if (it != m_customers.end())
        return *it;
    auto there = sql::exists(m_db, u"select cus_no from custom where cus_no = :no"_s, { { u":no"_s, number } });
    if (!there)
        return there.refusal();
    m_customers.insert(number, *there);
    return *there;
}

} // namespace

const QStringList& importColumns()
{
    static const QStringList list = { u"voucher"_s, u"date"_s, u"type"_s, u"currency"_s, u"summary"_s, u"account"_s,
        u"line_summary"_s, u"debit"_s, u"credit"_s, u"department"_s, u"counterparty"_s, u"source_no"_s };
    return list;
}

Result<ImportResult> importCsv(const QSqlDatabase& db, const QString& comp, const QString& user, QIODevice& file,
    const ImportProgress& progress)
{
    Importer importer(db, comp, user, file, progress);
    return importer.run();
}

} // namespace korvessa::vouchers
