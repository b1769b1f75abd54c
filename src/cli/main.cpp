// korvessa-cli: batch work on the books, on the same link.txt and database as
// the desktop program.

#include "cli/cli.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>
#include <termios.h>
#include <unistd.h>

namespace {

QString readHiddenLine(const QString& prompt)
{
    QTextStream err(stderr);
    err << prompt;
    err.flush();
    termios old {};
    const bool tty = isatty(STDIN_FILENO) && tcgetattr(STDIN_FILENO, &old) == 0;
    if (tty) {
        termios quiet = old;
        quiet.c_lflag &= ~tcflag_t(ECHO);
        tcsetattr(STDIN_FILENO, TCSANOW, &quiet);
    }
    QTextStream in(stdin);
    const QString line = in.readLine();
    if (tty) {
        tcsetattr(STDIN_FILENO, TCSANOW, &old);
        err << Qt::endl;
    }
    return line;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("vaduvoza"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    korvessa::cli::Io io { out, err, readHiddenLine, QDir::currentPath() };
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    const int code = korvessa::cli::run(args, io);
    out.flush();
    err.flush();
    return code;
}
