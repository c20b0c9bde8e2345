// The terminal's start-up sequence.
#include "foundation/AppPaths.h"
#include "settings/ConfigManager.h"
#include "settings/DataFolder.h"
#include "settings/LanguageManager.h"
#include "settings/LayoutManger.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("diancai"));
    QCoreApplication::setOrganizationName(QStringLiteral("diancai"));
    QCoreApplication::setApplicationVersion(QStringLiteral(DIANCAI_VERSION));
    AppPaths::initHome(app.arguments());

    ConfigManager &config = ConfigManager::defaultManager();
    LayoutManger::defaultManager().restore();
    LanguageManager::defaultManager().loadLanguage(config.languageCode(), false);

    QTextStream out(stdout);
    out << "diancai " << QCoreApplication::applicationVersion() << '\n'
        << "home:      " << AppPaths::home() << '\n'
        << "resources: " << AppPaths::resourcesDir() << '\n'
        << "server:    " << config.getServerAddress().value_or(QStringLiteral("(no address)")) << '\n'
        << "terminal:  " << config.posNum() << '\n'
        << "language:  " << config.languageCode() << '\n'
        << "data:      " << DataFolder::path() << '\n'
        << "database:  " << config.getDatabasePath() << '\n'
        << "pictures:  " << config.getBigPicPath() << '\n';
    return 0;
}
