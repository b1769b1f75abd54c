#include "core/admin/categories.h"

using namespace Qt::StringLiterals;

namespace korvessa {

std::optional<QString> commonDataKind(const QString& dropDownText)
{
    static const QList<std::pair<QString, QString>> kinds = {
        { u"存款類別"_s, QString::fromLatin1(kDepositKind) },
        { u"產品大類"_s, u"C"_s },
        { u"產品品牌"_s, u"L"_s },
        { u"單位"_s, u"P"_s },
        { u"處理狀況"_s, u"S"_s },
    };
    for (const auto& [text, kind] : kinds) {
        if (text == dropDownText)
            return kind;
    }
    return std::nullopt;
}

Status openCommonData(DataSet& list, const QSqlDatabase& db, const QString& dropDownText)
{
    const std::optional<QString> kind = commonDataKind(dropDownText);
    if (!kind)
        return list.open(db, u"catlog"_s, u"select * from catlog where cat_name <> ' '"_s);
    return list.open(
        db, u"catlog"_s, u"select * from catlog where cat_name <> ' ' and cat_type = :k"_s, { { u":k"_s, *kind } });
}

Status openDepositKinds(DataSet& list, const QSqlDatabase& db)
{
    return list.open(db, u"catlog"_s, u"select * from catlog where lower(cat_type) = lower(:k)"_s,
        { { u":k"_s, QString::fromLatin1(kDepositKind) } });
}

Status openCategoryKind(DataSet& list, const QSqlDatabase& db, const QString& kind)
{
    // Sequence numbers are text; shorter numbers first keeps 9 before 10.
    return list.open(
        db, u"catlog"_s, u"select * from catlog where cat_type = :k order by length(sn), sn"_s, { { u":k"_s, kind } });
}

int highestSequence(const DataSet& list)
{
    int highest = 0;
    for (int r = 0; r < list.count(); ++r) {
        bool ok = false;
        const int n = list.value(r, u"sn"_s).toString().trimmed().toInt(&ok);
        if (ok && n > highest)
            highest = n;
    }
    return highest;
}

void appendCategory(DataSet& list, const QString& kind, int& highest)
{
    ++highest;
    list.append({ { u"cat_type"_s, kind }, { u"sn"_s, QString::number(highest) } });
}

void dropEmptyRows(DataSet& list, const QString& column)
{
    list.post();
    for (int r = 0; r < list.count();) {
        if (list.value(r, column).toString().trimmed().isEmpty()) {
            list.setCurrentRow(r);
            list.remove();
            r = 0;
            continue;
        }
        ++r;
    }
}

Status saveDroppingEmpty(DataSet& list, const QString& column)
{
    dropEmptyRows(list, column);
    return list.save();
}

} // namespace korvessa
