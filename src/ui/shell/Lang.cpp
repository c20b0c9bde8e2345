#include "Lang.h"

#include "foundation/NotificationCenter.h"
#include "foundation/NotificationNames.h"
#include "settings/LanguageManager.h"

#include <QJSEngine>

Lang::Lang(QJSEngine *engine)
{
    const QJSValue makeLookup = engine->evaluate(
        QStringLiteral("(function (lang) { return function (key) { return lang.readString(key) } })"));
    text_ = makeLookup.call({engine->newQObject(this)});
    NotificationCenter::defaultCenter().addObserver(this, Notify::LanguageChanged,
                                                    [this](const Notification &) { emit languageChanged(); });
}

Lang *Lang::create(QQmlEngine *, QJSEngine *engine)
{
    return new Lang(engine);
}

QString Lang::readString(const QString &key) const
{
    return LanguageManager::defaultManager().readString(key);
}
