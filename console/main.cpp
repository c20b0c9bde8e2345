// diancai-console: the terminal's ordering core driven line by line from standard input.

#include "BuildVersion.h"
#include "ConsoleOutput.h"
#include "ConsoleSession.h"
#include "InputReader.h"
#include "foundation/AppPaths.h"
#include "foundation/UserNotice.h"
#include "order/OrderKeeper.h"
#include "order/OrderManager.h"
#include "order/Outbox.h"
#include "server/NetworkChecker.h"
#include "services/Services.h"
#include "settings/ConfigManager.h"
#include "settings/LanguageManager.h"
#include "storage/DBManager.h"

#include <QCoreApplication>

#include <cstdio>

namespace {
constexpr const char *kUsage = "Usage: diancai-console [--home DIR]\n"
                               "The terminal's ordering core driven from standard input, one command per\n"
                               "line (\"help\" lists them): for support staff and scripted checks.\n"
                               "\n"
                               "  --home DIR   the terminal home to use (default: $DIANCAI_HOME, else the\n"
                               "               user's data folder)\n"
                               "  --help       this text\n"
                               "  --version    the version and the commit it was built from\n"
                               "\n"
                               "diancai-console " DIANCAI_VERSION_LINE "\n";

bool argumentsAreKnown(const QStringList &arguments)
{
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (arguments.at(i) == u"--home" && i + 1 < arguments.size())
            ++i;
        else
            return false;
    }
    return true;
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    // The terminal's names, so that without --home the console works on the terminal's own home.
    QCoreApplication::setOrganizationName(QStringLiteral("diancai"));
    QCoreApplication::setApplicationName(QStringLiteral("diancai"));
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.contains(QStringLiteral("--help")) || arguments.contains(QStringLiteral("-h"))) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (arguments.contains(QStringLiteral("--version"))) {
        std::fputs("diancai-console " DIANCAI_VERSION_LINE "\n", stdout);
        return 0;
    }
    if (!argumentsAreKnown(arguments)) {
        std::fputs(kUsage, stderr);
        return 2;
    }

    AppPaths::initHome(arguments);
    ConfigManager &config = ConfigManager::defaultManager();
    LanguageManager::defaultManager().loadLanguage(config.languageCode(), false);
    UserNotice::setSink(std::make_shared<PrintingNoticeSink>());
    // A console has no speaker worth waking: the effects stay silent.
    OrderManager::defaultManager().setSoundPlayer({});
    // The order a run left unsent (ended, killed, its battery empty) is taken up where it stood.
    OrderManager::defaultManager().adoptKeptOrder(std::make_shared<OrderKeeper>(DBManager::mainDBPath()));
    NetworkChecker::sharedInstance().check();
    Services::startForThisProcess();

    // What an earlier run queued goes out by itself while commands are read.
    Outbox::defaultOutbox().resume();

    ConsoleSession session;
    InputReader::run([&session](const QString &line) { return session.execute(line); });
    session.finish();
    return 0;
}
