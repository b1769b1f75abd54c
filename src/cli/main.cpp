// korvessa-cli: batch work on the books, on the same link.txt and database as
// the desktop program.

#include "cli/cli.h"
#include "cli/commands.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>

#include <cstdio>
#include <memory>
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
    // A report as PDF lays text out with fonts, which takes a QGuiApplication;
    // on the offscreen platform unless one is chosen, so that it needs no
    // display. Every other command runs without one.
    QStringList given;
    for (int i = 1; i < argc; ++i)
        given.append(QString::fromLocal8Bit(argv[i]));
    std::unique_ptr<QCoreApplication> app;
    if (korvessa::cli::reportNeedsGui(given)) {
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
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
