#include "gui/shell/application.h"

#include <QFont>
#include <QFontDatabase>
#include <QLocale>

namespace korvessa {

using namespace Qt::StringLiterals;

KorvessaApplication::KorvessaApplication(int& argc, char** argv)
    : QApplication(argc, argv)
{
    setApplicationName(u"企業Korvessa"_s);
    setApplicationDisplayName(u"企業Korvessa"_s);
    setOrganizationName(u"vaduvoza"_s);
    setStyle(u"Fusion"_s);
    // Dates are written "yyyy/MM/dd" by the program's own helpers whatever
    // the locale; the locale only gives the Chinese texts of standard dialogs.
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::TraditionalHanScript, QLocale::Taiwan));
    const QStringList families = QFontDatabase::families();
    for (const QString& family : { u"Noto Sans CJK TC"_s, u"AR PL UMing TW"_s }) {
        if (families.contains(family)) {
            QFont f(family);
            f.setPointSize(10);
            setFont(f);
            break;
        }
    }
}

} // namespace korvessa
