#include "core/ledger/charttree.h"

#include "core/db/sql.h"
#include "core/ledger/accountcode.h"

#include <QHash>

namespace korvessa::charttree {

using namespace Qt::StringLiterals;

namespace {

struct Entry {
    QString code;
    QString group; // acct_2 of an account, acc_1 of a category
    QString name;
};

Result<QList<Entry>> read(const QSqlDatabase& db, const QString& text, const QString& comp)
{
    auto q = sql::exec(db, text, { { u":comp"_s, comp } });
    if (!q)
        return q.refusal();
    QList<Entry> result;
    while (q->next())
        result.append({ q->value(0).toString(), q->value(1).toString(), q->value(2).toString() });
    return result;
}

int add(QList<ChartNode>& nodes, ChartNode::Kind kind, QString code, QString text, int parent)
{
    nodes.append({ kind, std::move(code), std::move(text), parent });
    return int(nodes.size()) - 1;
}

} // namespace

Result<QList<ChartNode>> chart(const QSqlDatabase& db, const QString& comp)
{
    auto cats = read(db, u"select acc_2, acc_1, acc_CN from acc_type where comp = :comp order by acc_2"_s, comp);
    if (!cats)
        return cats.refusal();
    auto accts = read(db, u"select acct_4, acct_2, acct_CN from acct where comp = :comp order by acct_4"_s, comp);
    if (!accts)
        return accts.refusal();

    // The accounts of each sub-category, in code order.
    QHash<QString, QList<int>> bySubCategory;
    for (int i = 0; i < accts->size(); ++i)
        bySubCategory[accts->at(i).group].append(i);

    QList<ChartNode> nodes;
    nodes.reserve(cats->size() + accts->size() + 1);
    add(nodes, ChartNode::Kind::Root, {}, QString::fromUtf8(kRootText), -1);
    int major = 0;
    for (const Entry& c : *cats) {
        if (c.code.size() <= 1) {
            major = add(nodes, ChartNode::Kind::Major, c.code, c.code + u' ' + c.name, 0);
            continue;
        }
        const int sub = add(nodes, ChartNode::Kind::SubCategory, c.code, c.code + u' ' + c.name, major);
        int general = -1;
        QString generalCode;
        for (const int i : bySubCategory.value(c.code)) {
            const Entry& a = accts->at(i);
            if (!accountcode::isDetail(a.code)) {
                general = add(nodes, ChartNode::Kind::General, a.code, a.code + u' ' + a.name, sub);
                generalCode = a.code;
            } else {
                const int parent = general >= 0 && accountcode::general(a.code) == generalCode ? general : sub;
                add(nodes, ChartNode::Kind::Detail, a.code, accountcode::display(a.code) + u' ' + a.name, parent);
            }
        }
    }
    return nodes;
}

Result<QList<ChartNode>> categories(const QSqlDatabase& db, const QString& comp)
{
    auto cats = read(db, u"select acc_2, acc_1, acc_CN from acc_type where comp = :comp order by acc_2"_s, comp);
    if (!cats)
        return cats.refusal();

    QHash<QString, QList<int>> subsOf;
    QList<int> majors;
    for (int i = 0; i < cats->size(); ++i) {
        const Entry& c = cats->at(i);
        if (c.code == c.group)
            majors.append(i);
        else
            subsOf[c.group].append(i);
    }

    QList<ChartNode> nodes;
    add(nodes, ChartNode::Kind::Root, {}, QString::fromUtf8(kRootText), -1);
    for (const int m : majors) {
        const Entry& c = cats->at(m);
        const int major = add(nodes, ChartNode::Kind::Major, c.code, c.group + u". "_s + c.name, 0);
        for (const int s : subsOf.value(c.group)) {
            const Entry& sub = cats->at(s);
            add(nodes, ChartNode::Kind::SubCategory, sub.code, sub.code + u". "_s + sub.name, major);
        }
    }
    return nodes;
}

} // namespace korvessa::charttree
