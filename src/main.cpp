// The desktop program: reads link.txt from the working folder, opens the
// books, signs the user in and shows the home page.

#include "core/app/startup.h"
#include "core/db/database.h"
#include "gui/shell/application.h"
#include "gui/shell/mainwindow.h"
#include "gui/shell/messages.h"

#include <QDir>
#include <QTimer>

using namespace korvessa;
using namespace Qt::StringLiterals;

int main(int argc, char* argv[])
{
    KorvessaApplication app(argc, argv);

    LinkSettings link;
    auto books = openBooks(QDir::currentPath(), &link);
    if (!link.error.isEmpty())
        Messages::instance().inform(nullptr, u"錯誤"_s, link.error, Messages::Icon::Error);
    if (!books)
        Messages::instance().refuse(nullptr, books.refusal());
    else if (Status prepared = prepareBooks(*books); !prepared)
        Messages::instance().refuse(nullptr, prepared.refusal());

    MainWindow window;
    window.show();
    const bool signedIn = window.signIn();
    window.openHomePage();
    if (!signedIn) {
        // The login's "離開": the window has appeared; end at once.
        QTimer::singleShot(0, &window, [&window] { window.quitWithoutAsking(); });
    }
    const int code = app.exec();
    closeDatabase(QString::fromLatin1(kZipcodeConnection));
    closeDatabase(QString::fromLatin1(kMainConnection));
    return code;
}
