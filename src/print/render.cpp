#include "print/report.h"

#include <QHash>
#include <QSet>

#include <kainjow/mustache.hpp>

using namespace Qt::StringLiterals;

namespace korvessa::print {

namespace {

namespace mu = kainjow::mustache;

std::string utf8(const QString& text)
{
    return text.toStdString();
}

mu::data valueData(const QVariant& value, int depth = 0)
{
    if (depth > 16)
        return mu::data(std::string());
    switch (value.typeId()) {
    case QMetaType::Bool:
        return mu::data(value.toBool());
    case QMetaType::QVariantList:
    case QMetaType::QStringList: {
        mu::data list(mu::data::type::list);
        for (const QVariant& item : value.toList())
            list.push_back(valueData(item, depth + 1));
        return list;
    }
    case QMetaType::QVariantMap: {
        mu::data object;
        const QVariantMap map = value.toMap();
        for (auto it = map.cbegin(); it != map.cend(); ++it)
            object.set(utf8(it.key()), valueData(it.value(), depth + 1));
        return object;
    }
    default:
        return mu::data(utf8(plainText(value)));
    }
}

// A row's value by column name; rows read from PostgreSQL come with folded
// names, so a name that is not there exactly is looked up without case.
QVariant field(const QVariantMap& row, const QString& name)
{
    const auto it = row.constFind(name);
    if (it != row.cend())
        return *it;
    for (auto i = row.cbegin(); i != row.cend(); ++i)
        if (i.key().compare(name, Qt::CaseInsensitive) == 0)
            return *i;
    return {};
}

QString linkKey(const QVariantMap& row, const QStringList& columns)
{
    QString key;
    for (const QString& column : columns) {
        key += plainText(field(row, column)).trimmed();
        key += QChar(0x1f);
    }
    return key;
}

class ContextBuilder {
public:
    explicit ContextBuilder(const Report& report)
        : m_report(report)
    {
        const auto& sources = report.sources;
        m_children.resize(sources.size());
        m_byKey.resize(sources.size());
        for (qsizetype i = 0; i < sources.size(); ++i) {
            const DataSource& source = sources.at(i);
            if (source.master.isEmpty() || source.master == source.name)
                continue;
            for (qsizetype m = 0; m < sources.size(); ++m) {
                if (sources.at(m).name == source.master) {
                    m_children[m].append(int(i));
                    for (qsizetype r = 0; r < source.rows.size(); ++r)
                        m_byKey[i][linkKey(source.rows.at(r), source.linkColumns)].append(int(r));
                    break;
                }
            }
        }
    }

    mu::data build() const
    {
        mu::data context;
        for (auto it = m_report.variables.cbegin(); it != m_report.variables.cend(); ++it)
            context.set(utf8(it.key()), valueData(it.value()));
        for (qsizetype i = 0; i < m_report.sources.size(); ++i) {
            const DataSource& source = m_report.sources.at(i);
            mu::data list(mu::data::type::list);
            for (const QVariantMap& row : source.rows)
                list.push_back(rowData(int(i), row, 0));
            context.set(utf8(source.name), list);
        }
        mu::data company;
        for (auto it = m_report.company.cbegin(); it != m_report.company.cend(); ++it)
            company.set(utf8(it.key()), mu::data(utf8(plainText(it.value()))));
        context.set("company", company);
        if (!m_report.variables.contains(u"report_title"_s))
            context.set("report_title", mu::data(utf8(m_report.title)));
        return context;
    }

private:
    mu::data rowData(int sourceIndex, const QVariantMap& row, int depth) const
    {
        const DataSource& source = m_report.sources.at(sourceIndex);
        mu::data object;
        QSet<QString> named;
        for (const Column& column : source.columns) {
            const QVariant value = field(row, column.name);
            object.set(utf8(column.name), mu::data(utf8(formatValue(value, column))));
            object.set(utf8(column.name + u"_raw"_s), mu::data(utf8(plainText(value))));
            named.insert(column.name.toLower());
        }
        for (auto it = row.cbegin(); it != row.cend(); ++it) {
            if (named.contains(it.key().toLower()))
                continue;
            object.set(utf8(it.key()), valueData(it.value()));
            object.set(utf8(it.key() + u"_raw"_s), mu::data(utf8(plainText(it.value()))));
        }
        if (depth < 8) {
            for (const int child : m_children.at(sourceIndex)) {
                const DataSource& detail = m_report.sources.at(child);
                mu::data list(mu::data::type::list);
                const auto rows = m_byKey.at(child).value(linkKey(row, detail.linkColumns));
                for (const int r : rows)
                    list.push_back(rowData(child, detail.rows.at(r), depth + 1));
                object.set(utf8(detail.name), list);
            }
        }
        return object;
    }

    const Report& m_report;
    QList<QList<int>> m_children;
    QList<QHash<QString, QList<int>>> m_byKey;
};

} // namespace

Result<QString> renderTemplate(const Report& report, const QString& templateText)
{
    mu::mustache tmpl(utf8(templateText));
    if (!tmpl.is_valid())
        return Refusal::rule(u"報表錯誤"_s,
            u"報表範本 %1 無法處理：%2"_s.arg(report.templateName, QString::fromStdString(tmpl.error_message())));
    const std::string html = tmpl.render(ContextBuilder(report).build());
    if (!tmpl.is_valid())
        return Refusal::rule(u"報表錯誤"_s,
            u"報表範本 %1 無法處理：%2"_s.arg(report.templateName, QString::fromStdString(tmpl.error_message())));
    return QString::fromStdString(html);
}

} // namespace korvessa::print
