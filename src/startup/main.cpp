#include "startup/Main.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QLocale>

// The thin entry: the session's start-up lives in the library, where the
// tests reach it too.
int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pelmar Reports"));
    QApplication::setOrganizationName(QStringLiteral("Pelmar"));
    QLocale::setDefault(QLocale::c());

    QCommandLineParser options;
    options.addHelpOption();
    options.addOption({QStringLiteral("server"),
                       QStringLiteral("Server offered at sign-in (host or socket folder[:port])."),
                       QStringLiteral("server")});
    options.addOption({QStringLiteral("database"), QStringLiteral("Database offered at sign-in."),
                       QStringLiteral("database")});
    options.process(app);

    pelmar::StartupHooks hooks;
    hooks.defaultServer = options.value(QStringLiteral("server"));
    hooks.defaultDatabase = options.value(QStringLiteral("database"));
    std::unique_ptr<pelmar::Startup> session = pelmar::Main(hooks);
    if (!session)
        return 0;
    return QApplication::exec();
}
