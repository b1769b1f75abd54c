#include "core/ledger/accountcode.h"

namespace korvessa::accountcode {

using namespace Qt::StringLiterals;

namespace {

bool allDigits(const QString& text)
{
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}

} // namespace

bool hasValidLength(const QString& code)
{
    return (code.size() == kGeneralLength || code.size() == kDetailLength) && allDigits(code);
}

bool isDetail(const QString& code)
{
    return code.size() > kGeneralLength;
}

QString major(const QString& code)
{
    return code.left(1);
}

QString subCategory(const QString& code)
{
    return code.left(2);
}

QString general(const QString& code)
{
    return code.left(kGeneralLength);
}

QString display(const QString& code)
{
    if (code.size() <= kGeneralLength)
        return code;
    return code.left(kGeneralLength) + u'-' + code.mid(kGeneralLength);
}

QString fromDisplay(const QString& text)
{
    QString digits;
    digits.reserve(text.size());
    for (const QChar c : text) {
        if (c >= u'0' && c <= u'9')
            digits.append(c);
    }
    return digits;
}

QString fromNodeText(const QString& text)
{
    const qsizetype blank = text.indexOf(u' ');
    QString head = blank < 0 ? text : text.left(blank);
    if (head.endsWith(u'.'))
        head.chop(1);
    const qsizetype dash = head.indexOf(u'-');
    if (dash >= 0)
        head = head.left(kGeneralLength) + head.mid(dash + 1);
    return allDigits(head) ? head : QString();
}

} // namespace korvessa::accountcode
