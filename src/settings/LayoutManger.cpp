#include "settings/LayoutManger.h"

#include "foundation/SettingsKeys.h"
#include "settings/SettingsStore.h"

LayoutManger &LayoutManger::defaultManager()
{
    static LayoutManger manager;
    return manager;
}

void LayoutManger::restore()
{
    layout_ = int(SettingsStore::shared().integer(Key::LayoutType));
}

void LayoutManger::save()
{
    SettingsStore &store = SettingsStore::shared();
    store.setValue(Key::LayoutType, layout_);
    store.sync();
}
