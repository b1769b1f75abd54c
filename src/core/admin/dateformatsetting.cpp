#include "core/admin/dateformatsetting.h"

#include "core/common/dates.h"

#include <QSettings>

using namespace Qt::StringLiterals;

namespace korvessa {

void fixDateFormatSetting()
{
    QSettings settings(u"vaduvoza"_s, u"zedodo"_s);
    settings.setValue(QString::fromLatin1(kDateFormatKey), QString::fromLatin1(kDateFormat));
}

QString dateFormatSetting()
{
    QSettings settings(u"vaduvoza"_s, u"zedodo"_s);
    return settings.value(QString::fromLatin1(kDateFormatKey)).toString();
}

} // namespace korvessa
