#include "UiTestSupport.h"

#include "foundation/AppPaths.h"
#include "foundation/SettingsKeys.h"
#include "media/MediaBackend.h"
#include "media/SoundManager.h"
#include "order/TaskManager.h"
#include "server/MakerServiceAddress.h"
#include "settings/ConfigManager.h"
#include "settings/LanguageManager.h"
#include "settings/SettingsStore.h"
#include "storage/DBManager.h"
#include "toolkit/PopRootViewController.h"
#include "toolkit/PopViewManager.h"
#include "ui/shell/NoticeBoard.h"
#include "ui/shell/UiSetup.h"

#include <QDir>
#include <QFile>
#include <QMutex>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QtQml/QQmlExtensionPlugin>

Q_IMPORT_QML_PLUGIN(Diancai_UiPlugin)

using namespace Qt::StringLiterals;

namespace {
QMutex warningsMutex;
QStringList warnings;
QtMessageHandler previousHandler = nullptr;

// What a machine without sound hardware says; not the views' doing. And Qt's own complaint when a
// list model is reset while its view still makes a delegate asynchronously: the view drops that
// delegate all the same (seen only in the slow sanitizer build, from a reset that is not found yet).
bool isMissingAudioDevice(const QString &message)
{
    return message == QLatin1String("No audio device detected") ||
           message.startsWith(QLatin1String("PulseAudioService: pa_context_connect() failed")) ||
           message.startsWith(QLatin1String("DelegateModel::cancel: index out range"));
}

void recordWarnings(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type != QtDebugMsg && type != QtInfoMsg && !isMissingAudioDevice(message)) {
        QMutexLocker lock(&warningsMutex);
        warnings.append(message);
    }
    if (previousHandler)
        previousHandler(type, context, message);
}

QTemporaryDir &scratch()
{
    static QTemporaryDir dir;
    return dir;
}
} // namespace

QStringList NoticeSpy::texts() const
{
    QStringList all;
    for (qsizetype i = 0; i < size(); ++i)
        all << text(i);
    return all;
}

namespace UiTest {

void prepareProcess()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_QUICK_BACKEND", "software");
    // Nothing may reach a real service from a test; a closed loopback port refuses at once.
    qputenv(MakerServiceAddress::kEnvironmentVariable, kClosedAddress);
    MediaBackend::chooseDefault();
    const QString runtime = QDir::tempPath() + QStringLiteral("/diancai-ui-test-") +
                            QString::number(QCoreApplication::applicationPid());
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", runtime.toLocal8Bit());
    QStandardPaths::setTestModeEnabled(true);
}

void startRecording()
{
    static bool recording = false;
    if (recording)
        return;
    recording = true;
    previousHandler = qInstallMessageHandler(recordWarnings);
}

void prepareApplication()
{
    const QString home = scratch().filePath(QStringLiteral("home"));
    AppPaths::setHome(home);
    SettingsStore::setShared(std::make_shared<IniSettingsStore>(home + QStringLiteral("/settings.ini")));
    ConfigManager::resetDefaultManager();
    ConfigManager::defaultManager().setIp(QStringLiteral("127.0.0.1"));
    ConfigManager::defaultManager().setPort(QStringLiteral("1"));
    LanguageManager::defaultManager().reset();
    LanguageManager::defaultManager().loadLanguage(LanguageManager::kChinese, false);
    UiSetup::prepareApplication();
    NoticeBoard::instance().install();
}

QStringList takeWarnings()
{
    startRecording();
    QMutexLocker lock(&warningsMutex);
    return std::exchange(warnings, {});
}

std::shared_ptr<NoticeLog> recordNotices()
{
    startRecording();
    auto log = std::make_shared<NoticeLog>();
    UserNotice::setSink(log);
    return log;
}

QString makePackage(const QString &sub, const QStringList &files, const QByteArray &content)
{
    const QString folder = AppPaths::home() + u"/pkg/"_s + sub;
    QDir().mkpath(folder);
    for (const QString &name : files) {
        QFile file(folder + u'/' + name);
        if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
            return {};
    }
    SettingsStore::shared().setValue(Key::ZipFileName, u"pkg.zip"_s);
    return folder;
}

QList<PopRootViewController *> openPopups()
{
    return PopViewManager::defaultManager().arrControllers();
}

QByteArrayList popupClasses()
{
    QByteArrayList classes;
    for (const PopRootViewController *popup : openPopups())
        classes << popup->metaObject()->className();
    return classes;
}

bool closePopups()
{
    for (PopRootViewController *popup : openPopups())
        popup->dismissSelf();
    return QTest::qWaitFor([] { return openPopups().isEmpty(); });
}

Food demoDish(const QString &name, bool temporary)
{
    Food found;
    DBManager::defaultManager().getAllFoodInfo(
        [&](const QList<Food> &foods) {
            for (const Food &food : foods) {
                if (food.info->foodName == name)
                    found = food;
            }
        },
        temporary);
    return found;
}

std::unique_ptr<QQmlEngine> makeEngine()
{
    auto engine = std::make_unique<QQmlEngine>();
    UiSetup::prepareEngine(*engine);
    return engine;
}

std::unique_ptr<QQuickWindow> makeWindow()
{
    auto window = std::make_unique<QQuickWindow>();
    window->resize(1024, 768);
    window->show();
    return QTest::qWaitForWindowExposed(window.get()) ? std::move(window) : nullptr;
}

QQuickItem *createItem(QQmlEngine &engine, QQuickWindow &window, const QString &fileName,
                       const QVariantMap &properties)
{
    QQmlComponent component(&engine, UiSetup::viewUrl(fileName));
    if (component.isError()) {
        qWarning().noquote() << component.errorString();
        return nullptr;
    }
    QObject *object = component.beginCreate(engine.rootContext());
    auto *item = qobject_cast<QQuickItem *>(object);
    if (!item) {
        delete object;
        qWarning().noquote() << fileName << "is not an item";
        return nullptr;
    }
    item->setParentItem(window.contentItem());
    item->setParent(window.contentItem());
    if (!properties.isEmpty())
        component.setInitialProperties(item, properties);
    component.completeCreate();
    if (component.isError()) {
        qWarning().noquote() << component.errorString();
        delete item;
        return nullptr;
    }
    return item;
}

QList<QQuickItem *> findItems(QQuickItem *root, const QString &objectName)
{
    QList<QQuickItem *> found;
    if (root && root->objectName() == objectName)
        found.append(root);
    for (QQuickItem *child : root ? root->childItems() : QList<QQuickItem *>())
        found += findItems(child, objectName);
    return found;
}

QQuickItem *findItem(QQuickItem *root, const QString &objectName)
{
    return findItems(root, objectName).value(0);
}

void tap(QQuickItem *item, Spot spot)
{
    QVERIFY(item && item->window());
    // A fingertip's width in from the edge, or the middle of a narrower item.
    const qreal inset = std::min(8.0, item->width() / 2);
    const qreal x = spot == Spot::Left    ? inset
                    : spot == Spot::Right ? item->width() - inset
                                          : item->width() / 2;
    const QPointF point = item->mapToScene(QPointF(x, item->height() / 2));
    QTest::mouseClick(item->window(), Qt::LeftButton, Qt::NoModifier, point.toPoint());
}

bool waitForFrame(QQuickWindow &window)
{
    QSignalSpy swapped(&window, &QQuickWindow::frameSwapped);
    window.update();
    return swapped.wait(3000);
}

void releaseSound()
{
    // Thumbnails still being made would load picture plugins while the application goes.
    TaskManager::defaultManager().waitForDone();
    SoundManager::resetDefaultManager();
}

} // namespace UiTest
