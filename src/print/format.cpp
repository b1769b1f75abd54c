#include "core/common/money.h"
#include "print/report.h"

using namespace Qt::StringLiterals;

namespace korvessa::print {

namespace {

bool allDigits(const QString& text)
{
    for (const QChar c : text)
        if (c < u'0' || c > u'9')
            return false;
    return !text.isEmpty();
}

// "-1234567.50" → "-1,234,567.50"; a rounded zero loses its sign.
QString grouped(const QString& plain)
{
    QString digits = plain;
    bool negative = false;
    if (digits.startsWith(u'-') || digits.startsWith(u'+')) {
        negative = digits.startsWith(u'-');
        digits.remove(0, 1);
    }
    const qsizetype point = digits.indexOf(u'.');
    const QString whole = point < 0 ? digits : digits.left(point);
    const QString fraction = point < 0 ? QString() : digits.mid(point);
    bool zero = true;
    for (const QChar c : digits)
        if (c != u'0' && c != u'.')
            zero = false;

    QString out;
    out.reserve(whole.size() + whole.size() / 3 + fraction.size() + 1);
    for (qsizetype i = 0; i < whole.size(); ++i) {
        if (i > 0 && (whole.size() - i) % 3 == 0)
            out += u',';
        out += whole.at(i);
    }
    if (out.isEmpty())
        out = u"0"_s;
    out += fraction;
    if (negative && !zero)
        out.prepend(u'-');
    return out;
}

} // namespace

// The text a value stands for: numbers in their shortest decimal form, text
// as it is.
QString plainText(const QVariant& value)
{
    if (!value.isValid() || value.isNull())
        return {};
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        return money::decimalText(value.toDouble());
    default:
        return value.toString();
    }
}

QString formatValue(const QVariant& value, const Column& column)
{
    const QString text = plainText(value);
    switch (column.format) {
    case Format::Text:
        return text;
    case Format::AccountCode: {
        const QString code = text.trimmed();
        if (code.size() == 7 && allDigits(code))
            return code.left(4) + u'-' + code.mid(4);
        return code;
    }
    case Format::Amount:
    case Format::Count: {
        if (text.trimmed().isEmpty())
            return {};
        const int decimals = column.format == Format::Count ? 0 : std::max(column.decimals, 0);
        const auto rounded = money::roundText(text.trimmed(), decimals);
        return rounded ? grouped(*rounded) : text;
    }
    }
    return text;
}

std::optional<double> numericValue(const QVariant& value)
{
    if (!value.isValid() || value.isNull())
        return std::nullopt;
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::Short:
    case QMetaType::UShort:
        return value.toDouble();
    default:
        break;
    }
    const QString text = value.toString().trimmed();
    if (text.isEmpty())
        return std::nullopt;
    return money::number(text);
}

} // namespace korvessa::print
