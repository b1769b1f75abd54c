#include "print/report.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QSet>
#include <QTextDocument>
#include <QTextDocumentWriter>

#include <xlsxwriter.h>

using namespace Qt::StringLiterals;

namespace korvessa::print {

namespace {

Refusal writeError(const QString& fileName, const QString& why = {})
{
    QString text = u"無法寫入檔案 %1"_s.arg(QDir::toNativeSeparators(fileName));
    if (!why.isEmpty())
        text += u"：" + why;
    return Refusal::rule(u"匯出錯誤"_s, text);
}

// Excel's rules for sheet names: at most 31 characters, none of []:*?/\,
// unique without regard to case.
QString sheetName(const QString& wanted, QSet<QString>& taken)
{
    QString name = wanted;
    for (QChar& c : name)
        if (QStringView(u"[]:*?/\\").contains(c))
            c = u'_';
    if (name.trimmed().isEmpty())
        name = u"Sheet"_s;
    name = name.left(31);
    QString unique = name;
    for (int n = 2; taken.contains(unique.toLower()); ++n) {
        const QString suffix = u"~%1"_s.arg(n);
        unique = name.left(31 - suffix.size()) + suffix;
    }
    taken.insert(unique.toLower());
    return unique;
}

} // namespace

Status exportPdf(const Document& document, const QString& fileName)
{
    QPdfWriter writer(fileName);
    QPageLayout page = document.pageLayout();
    page.setMargins(QMarginsF(0, 0, 0, 0));
    if (!writer.setPageLayout(page))
        writer.setPageSize(page.pageSize());
    writer.setResolution(300);
    writer.setTitle(document.report().title);
    writer.setCreator(u"企業Korvessa"_s);
    QPainter painter;
    if (!painter.begin(&writer))
        return writeError(fileName);
    for (int i = 0; i < document.pageCount(); ++i) {
        if (i > 0)
            writer.newPage();
        document.paintPage(painter, i);
    }
    if (!painter.end())
        return writeError(fileName);
    return Status::success();
}

Status exportPng(const Document& document, const QString& fileName, int dpi)
{
    QString base = fileName;
    if (base.endsWith(u".png"_s, Qt::CaseInsensitive))
        base.chop(4);
    for (int i = 0; i < document.pageCount(); ++i) {
        const QString name = u"%1-%2.png"_s.arg(base).arg(i + 1);
        if (!document.pageImage(i, dpi).save(name, "PNG"))
            return writeError(name);
    }
    return Status::success();
}

Status exportOdt(const Document& document, const QString& fileName)
{
    QTextDocumentWriter writer(fileName, "odf");
    if (const QTextDocument* text = document.textDocument()) {
        if (!writer.write(text))
            return writeError(fileName, writer.device() ? writer.device()->errorString() : QString());
        return Status::success();
    }
    QTextDocument empty;
    if (!writer.write(&empty))
        return writeError(fileName);
    return Status::success();
}

Status exportXlsx(const Report& report, const QString& fileName)
{
    const QByteArray path = QFile::encodeName(fileName);
    lxw_workbook* book = workbook_new(path.constData());
    if (!book)
        return writeError(fileName);

    lxw_format* header = workbook_add_format(book);
    format_set_bold(header);
    QHash<int, lxw_format*> amountFormats;
    auto amountFormat = [&](int decimals) {
        decimals = std::clamp(decimals, 0, 10);
        lxw_format*& format = amountFormats[decimals];
        if (!format) {
            format = workbook_add_format(book);
            QString pattern = u"#,##0"_s;
            if (decimals > 0)
                pattern += u'.' + QString(decimals, u'0');
            format_set_num_format(format, pattern.toUtf8().constData());
        }
        return format;
    };

    QSet<QString> taken;
    for (const DataSource& source : report.sources) {
        const QByteArray name = sheetName(source.name, taken).toUtf8();
        lxw_worksheet* sheet = workbook_add_worksheet(book, name.constData());
        if (!sheet)
            continue;
        QList<Column> columns = source.columns;
        if (columns.isEmpty() && !source.rows.isEmpty())
            for (const QString& key : source.rows.first().keys())
                columns.append(Column { key, Format::Text, 0 });

        for (qsizetype c = 0; c < columns.size(); ++c)
            worksheet_write_string(sheet, 0, lxw_col_t(c), columns.at(c).name.toUtf8().constData(), header);
        lxw_row_t r = 1;
        for (const QVariantMap& row : source.rows) {
            for (qsizetype c = 0; c < columns.size(); ++c) {
                const Column& column = columns.at(c);
                QVariant value = row.value(column.name);
                if (!value.isValid()) {
                    for (auto it = row.cbegin(); it != row.cend(); ++it)
                        if (it.key().compare(column.name, Qt::CaseInsensitive) == 0)
                            value = *it;
                }
                const bool numeric = column.format == Format::Amount || column.format == Format::Count;
                if (numeric) {
                    if (const auto number = numericValue(value)) {
                        worksheet_write_number(sheet, r, lxw_col_t(c), *number,
                            amountFormat(column.format == Format::Count ? 0 : column.decimals));
                        continue;
                    }
                }
                const QString text
                    = column.format == Format::AccountCode ? formatValue(value, column) : plainText(value);
                if (!text.isEmpty())
                    worksheet_write_string(sheet, r, lxw_col_t(c), text.toUtf8().constData(), nullptr);
            }
            ++r;
        }
    }
    if (report.sources.isEmpty())
        workbook_add_worksheet(book, nullptr);

    const lxw_error error = workbook_close(book);
    if (error != LXW_NO_ERROR)
        return writeError(fileName, QString::fromUtf8(lxw_strerror(error)));
    return Status::success();
}

} // namespace korvessa::print
