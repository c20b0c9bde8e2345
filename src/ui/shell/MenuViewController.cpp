#include "MenuViewController.h"

#include "EditingFocus.h"
#include "Navigator.h"

#include "foundation/NotificationCenter.h"
#include "foundation/NotificationNames.h"
#include "media/SoundManager.h"

MenuViewController::MenuViewController(QObject *parent) : QObject(parent) {}

MenuViewController::~MenuViewController() = default;

void MenuViewController::viewDidLoad()
{
    if (loaded_)
        return;
    loaded_ = true;
    auto &center = NotificationCenter::defaultCenter();
    center.addObserver(this, Notify::LanguageChanged, [this](const Notification &) {
        initLanguage();
        emit languageReloaded();
    });
    center.addObserver(this, Notify::NumberKeyboardCoseClick,
                       [this](const Notification &) { keyboardCose(); });
    initLanguage();
    loadView();
    emit loadedChanged();
}

void MenuViewController::keyboardCose()
{
    EditingFocus::instance().clear();
    emit endEditingRequested();
}

SoundManager &MenuViewController::sound()
{
    return sound_ ? *sound_ : SoundManager::defaultManager();
}

void MenuViewController::goBack()
{
    sound().close();
    Navigator::instance().pop();
}
