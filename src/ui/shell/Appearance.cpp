#include "Appearance.h"

#include "settings/ConfigManager.h"

#include <QJSEngine>

Appearance::Appearance()
{
    refresh();
}

Appearance &Appearance::instance()
{
    static Appearance *const appearance = new Appearance;
    return *appearance;
}

Appearance *Appearance::create(QQmlEngine *, QJSEngine *)
{
    Appearance *appearance = &instance();
    QJSEngine::setObjectOwnership(appearance, QJSEngine::CppOwnership);
    return appearance;
}

void Appearance::refresh()
{
    const bool dark = ConfigManager::defaultManager().isDarkBackground();
    if (dark == dark_)
        return;
    dark_ = dark;
    emit darkChanged();
}
