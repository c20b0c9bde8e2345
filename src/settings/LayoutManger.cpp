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
    setLayout(int(SettingsStore::shared().integer(Key::LayoutType)));
}

void LayoutManger::setLayout(int layout)
{
    // A hand-edited settings file may hold anything; an unknown mode is the first one.
    layout_ = layout >= 0 && layout < kLayoutCount ? layout : 0;
}

void LayoutManger::save()
{
    SettingsStore &store = SettingsStore::shared();
    store.setValue(Key::LayoutType, layout_);
    store.sync();
}
