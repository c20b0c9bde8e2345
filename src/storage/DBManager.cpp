#include "storage/DBManager.h"

#include "foundation/AppPaths.h"
#include "foundation/NotificationCenter.h"
#include "foundation/NotificationNames.h"
#include "settings/ConfigManager.h"
#include "storage/SerialDatabase.h"
#include "storage/SqlStatement.h"

#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

namespace {
QMutex instancesMutex;
std::unique_ptr<DBManager> baseInstance;
std::unique_ptr<DBManager> mainInstance;

const char kCreateGuadan[] =
    "create table guadan (gid integer primary key autoincrement, content text, create_time integer)";
} // namespace

DBManager::DBManager() = default;
DBManager::~DBManager() = default;

DBManager &DBManager::defaultManager()
{
    QMutexLocker lock(&instancesMutex);
    if (!baseInstance) {
        baseInstance = std::make_unique<DBManager>();
        baseInstance->setupDBPath(ConfigManager::defaultManager().getDatabasePath());
        baseInstance->listenToLanguageChanges();
    }
    return *baseInstance;
}

DBManager &DBManager::mainDBManager()
{
    QMutexLocker lock(&instancesMutex);
    if (!mainInstance) {
        mainInstance = std::make_unique<DBManager>();
        createMainDBIfNotExists();
        mainInstance->openMainDB(mainDBPath());
        mainInstance->healMainDB();
    }
    return *mainInstance;
}

void DBManager::resetForTests()
{
    QMutexLocker lock(&instancesMutex);
    baseInstance.reset();
    mainInstance.reset();
}

void DBManager::setup()
{
    setupDBPath(ConfigManager::defaultManager().getDatabasePath());
}

void DBManager::setupDBPath(const QString &path)
{
    if (!QFileInfo(path).isFile())
        return;
    auto database = std::make_shared<SerialDatabase>(path, SerialDatabase::Mode::ReadOnly);
    QMutexLocker lock(&stateMutex_);
    queue_ = std::move(database);
}

void DBManager::openMainDB(const QString &path)
{
    auto database = std::make_shared<SerialDatabase>(path, SerialDatabase::Mode::ReadWrite);
    QMutexLocker lock(&stateMutex_);
    mainQueue_ = std::move(database);
}

std::shared_ptr<SerialDatabase> DBManager::baseData() const
{
    QMutexLocker lock(&stateMutex_);
    return queue_;
}

std::shared_ptr<SerialDatabase> DBManager::mainData() const
{
    QMutexLocker lock(&stateMutex_);
    return mainQueue_;
}

QString DBManager::mainDBPath()
{
    return AppPaths::home() + QStringLiteral("/main");
}

bool DBManager::isMainDBExists()
{
    return QFileInfo::exists(mainDBPath());
}

bool DBManager::createMainDBIfNotExists()
{
    if (isMainDBExists())
        return true;
    const QString path = mainDBPath();
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                        nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return false;
    }
    const bool created = SqlStatement(db, kCreateGuadan).exec();
    sqlite3_close(db);
    // A file left without its table would count as existing at every later start, and no order
    // could ever be held again; without it the next start simply tries once more.
    if (!created)
        QFile::remove(path);
    return created;
}

void DBManager::listenToLanguageChanges()
{
    languageObserver_ = std::make_unique<QObject>();
    NotificationCenter::defaultCenter().addObserver(languageObserver_.get(), Notify::LanguageChanged,
                                                    [this](const Notification &) { initLanguage(); });
}
