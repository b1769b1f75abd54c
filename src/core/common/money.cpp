#include "core/common/money.h"

#include <QRegularExpression>

#include <charconv>
#include <cmath>
#include <limits>

namespace korvessa::money {

using namespace Qt::StringLiterals;

namespace {

// Wide enough for the product of two 18-digit numbers.
__extension__ typedef __int128 Wide;

// A decimal number as its digits and the count of them after the point:
// -12.50 is { true, "1250", 2 }.
struct Decimal {
    bool negative = false;
    QString digits;
    int scale = 0;
};

std::optional<Decimal> parse(const QString& input)
{
    // By hand rather than by a regular expression: an import rounds
    // millions of amounts.
    const QString text = input.trimmed();
    Decimal d;
    qsizetype i = 0;
    const qsizetype n = text.size();
    if (i < n && (text.at(i) == u'+' || text.at(i) == u'-'))
        d.negative = text.at(i++) == u'-';
    d.digits.reserve(n);
    int whole = 0;
    int fraction = 0;
    for (; i < n; ++i) {
        const QChar c = text.at(i);
        if (c.unicode() >= '0' && c.unicode() <= '9') {
            d.digits.append(c);
            ++whole;
        } else if (c != u',') {
            break;
        }
    }
    if (i < n && text.at(i) == u'.') {
        for (++i; i < n && text.at(i).unicode() >= '0' && text.at(i).unicode() <= '9'; ++i) {
            d.digits.append(text.at(i));
            ++fraction;
        }
    }
    if (whole == 0 && fraction == 0) {
        if (text.isEmpty())
            return Decimal { false, u"0"_s, 0 };
        return std::nullopt;
    }
    d.scale = fraction;
    if (i < n && (text.at(i) == u'e' || text.at(i) == u'E')) {
        ++i;
        bool negativeExponent = false;
        if (i < n && (text.at(i) == u'+' || text.at(i) == u'-'))
            negativeExponent = text.at(i++) == u'-';
        int exponent = 0;
        int exponentDigits = 0;
        for (; i < n && text.at(i).unicode() >= '0' && text.at(i).unicode() <= '9' && exponentDigits < 4; ++i, ++exponentDigits)
            exponent = exponent * 10 + (text.at(i).unicode() - '0');
        if (exponentDigits == 0)
            return std::nullopt;
        d.scale += negativeExponent ? exponent : -exponent;
    }
    if (i != n)
        return std::nullopt;
    if (d.scale < 0) {
        d.digits += QString(-d.scale, u'0');
        d.scale = 0;
    }
    // Leading zeros carry nothing; keep at least one digit before the point.
    qsizetype lead = 0;
    while (lead < d.digits.size() - d.scale - 1 && d.digits.at(lead) == u'0')
        ++lead;
    d.digits.remove(0, lead);
    if (d.digits.size() <= d.scale)
        d.digits.prepend(QString(d.scale - d.digits.size() + 1, u'0'));
    return d;
}

// Adds one to a string of digits.
QString increment(QString digits)
{
    for (qsizetype i = digits.size() - 1; i >= 0; --i) {
        if (digits.at(i) != u'9') {
            digits[i] = QChar(digits.at(i).unicode() + 1);
            return digits;
        }
        digits[i] = u'0';
    }
    return u'1' + digits;
}

QString rounded(Decimal d, int decimals)
{
    if (d.scale > decimals) {
        const qsizetype keep = d.digits.size() - (d.scale - decimals);
        const bool up = d.digits.at(keep) >= u'5';
        d.digits.truncate(keep);
        if (up)
            d.digits = increment(d.digits);
        d.scale = decimals;
    }
    if (d.scale < decimals) {
        d.digits += QString(decimals - d.scale, u'0');
        d.scale = decimals;
    }
    QString whole = d.digits.left(d.digits.size() - d.scale);
    if (whole.isEmpty())
        whole = u"0"_s;
    QString text = whole;
    if (decimals > 0)
        text += u'.' + d.digits.right(decimals);
    bool zero = true;
    for (QChar c : std::as_const(d.digits))
        zero = zero && c == u'0';
    if (d.negative && !zero)
        text.prepend(u'-');
    return text;
}

// A rounded text ("-12.50") as the nearest double; from_chars is exact and
// much quicker than QString::toDouble for the many amounts of an import.
double toNumber(const QString& text)
{
    char buffer[64];
    const qsizetype n = std::min<qsizetype>(text.size(), sizeof buffer);
    for (qsizetype i = 0; i < n; ++i)
        buffer[i] = char(text.at(i).unicode());
    double value = 0;
    const auto [end, error] = std::from_chars(buffer, buffer + n, value);
    if (error != std::errc() || end != buffer + n)
        return text.toDouble();
    return value;
}

} // namespace

std::optional<int> patternDecimals(const QString& pattern)
{
    static const QRegularExpression form(u"^%\\.(\\d{1,2})f$"_s);
    const auto m = form.match(pattern.trimmed());
    if (!m.hasMatch())
        return std::nullopt;
    return m.captured(1).toInt();
}

QString decimalText(double value)
{
    // Whole amounts are the common case, and exact below 2^53.
    if (value == std::trunc(value) && std::abs(value) < 9007199254740992.0)
        return QString::number(qint64(value));
    return QString::number(value, 'g', 15);
}

QString decimalText(const QVariant& value)
{
    if (value.isNull())
        return u"0"_s;
    if (value.typeId() == QMetaType::QString)
        return value.toString();
    return decimalText(value.toDouble());
}

std::optional<QString> normalized(const QString& text)
{
    const auto d = parse(text);
    if (!d)
        return std::nullopt;
    return rounded(*d, d->scale);
}

std::optional<double> number(const QString& text)
{
    const auto d = parse(text);
    if (!d)
        return std::nullopt;
    return toNumber(rounded(*d, d->scale));
}

std::optional<QString> roundText(const QString& text, int decimals)
{
    const auto d = parse(text);
    if (!d)
        return std::nullopt;
    return rounded(*d, std::max(decimals, 0));
}

std::optional<double> round(const QString& text, const QString& pattern)
{
    const auto r = roundText(text, patternDecimals(pattern).value_or(0));
    if (!r)
        return std::nullopt;
    return toNumber(*r);
}

double round(double value, const QString& pattern)
{
    return round(decimalText(value), pattern).value_or(0);
}

QString format(double value, const QString& pattern)
{
    return roundText(decimalText(value), patternDecimals(pattern).value_or(0)).value_or(QString());
}

Result<qint64> localAmount(double amount, double rate)
{
    const auto a = parse(decimalText(amount));
    const auto r = parse(decimalText(rate));
    const Refusal outOfRange
        = Refusal::rule(u"資料錯誤"_s, u"本幣金額超出範圍！請重新確認金額與匯率！"_s);
    if (!a || !r || a->digits.size() > 18 || r->digits.size() > 18)
        return outOfRange;
    const Wide product = Wide(a->digits.toLongLong()) * Wide(r->digits.toLongLong());
    Wide unit = 1;
    for (int i = 0; i < a->scale + r->scale; ++i)
        unit *= 10;
    Wide whole = product / unit;
    if ((product % unit) * 2 >= unit)
        ++whole;
    if (a->negative != r->negative)
        whole = -whole;
    if (whole > std::numeric_limits<qint32>::max() || whole < std::numeric_limits<qint32>::min())
        return outOfRange;
    return qint64(whole);
}

} // namespace korvessa::money
