#include "TableOpViewController.h"

#include "RoomView.h"

#include "settings/LanguageManager.h"

using namespace Qt::StringLiterals;

TableOpViewController::TableOpViewController(QObject *parent) : MenuViewController(parent) {}

void TableOpViewController::initLanguage()
{
    backText_ = LanguageManager::defaultManager().readString(u"返回"_s);
    emit captionsChanged();
}

void TableOpViewController::loadView()
{
    roomView_ = new RoomView(this);
    emit roomViewChanged();
    roomView_->setup();
}
