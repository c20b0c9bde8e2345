#include "SettingsChoices.h"

#include "Appearance.h"

#include "foundation/SettingsKeys.h"
#include "media/SoundManager.h"
#include "settings/ConfigManager.h"
#include "settings/LanguageManager.h"
#include "settings/LayoutManger.h"
#include "settings/SettingsStore.h"

using namespace Qt::StringLiterals;

namespace SettingsChoices {

namespace {
struct GroupTexts {
    const char16_t *title;
    std::initializer_list<const char16_t *> choices;
    ChoiceGroupModel::Input input = ChoiceGroupModel::NoInput;
};

// In the order of ConfigViewController::Group.
const GroupTexts kGroups[] = {
    {u"台号录入方式", {u"点选", u"直接录入"}},
    {u"菜品总金额", {u"显示", u"不显示"}},
    {u"发送后操作员", {u"退出", u"不退出"}},
    {u"静音模式", {u"静音", u"不静音"}},
    {u"显示桌台时刷新状态", {u"刷新", u"不刷新"}},
    {u"菜品显示模式", {u"2排3列", u"2排4列", u"3排4列"}},
    {u"落单状态2", {u"即起", u"等叫", u"不出"}},
    {u"语言（Language）", {u"中文（Chinese）", u"英文（English）"}},
    {u"是否播放背景音乐", {u"播放", u"不播放"}},
    {u"顾客模式", {u"是", u"否"}},
    {u"自动刷新售罄品项", {u"是", u"否"}, ChoiceGroupModel::IntervalInput},
    {u"是否显示推荐", {u"是", u"否"}},
    {u"是否黑色主题", {u"是", u"否"}},
    {u"是否可设置落单状态", {u"是", u"否"}},
    {u"绑定桌台", {u"绑定", u"不绑定"}, ChoiceGroupModel::TableInput},
};
static_assert(std::size(kGroups) == ConfigViewController::GroupCount);

int onOff(bool on)
{
    return on ? 0 : 1;
}
} // namespace

// The choice that the stored settings select in each group.
int initialChoice(int group)
{
    const ConfigManager &config = ConfigManager::defaultManager();
    switch (group) {
    case ConfigViewController::TaiHaoShuru:
        return config.ctTaiHaoShuruFangshi() == 1 ? 0 : 1;
    case ConfigViewController::ShowAmount:
        return config.ctShowAmount() == 3 ? 0 : 1;
    case ConfigViewController::LogoutAfterSend:
        return config.ctLogoutAfterSend() == 6 ? 0 : 1;
    case ConfigViewController::Silent:
        return onOff(config.silentMode());
    case ConfigViewController::RefreshTableStatus:
        return onOff(config.autoRefreshTableStatus());
    case ConfigViewController::Layout: {
        const int layout = LayoutManger::defaultManager().layout();
        return layout >= 0 && layout <= 2 ? layout : 0;
    }
    case ConfigViewController::PrintState:
        return config.defaultPrintState() == u"1"_s ? 1 : config.defaultPrintState() == u"2"_s ? 2 : 0;
    case ConfigViewController::Language:
        return config.languageCode() == LanguageManager::kChinese ? 0 : 1;
    case ConfigViewController::BgMusic:
        return onOff(config.playBgMusic());
    case ConfigViewController::CusMode:
        return onOff(config.isCusMode());
    case ConfigViewController::AutoRefreshSoldOut:
        return onOff(config.isAutoRefreshSoldOut());
    case ConfigViewController::TuiJian:
        return onOff(config.isDisplayTuiJian());
    case ConfigViewController::DarkBackground:
        return onOff(config.isDarkBackground());
    case ConfigViewController::OrderListStatus:
        return onOff(config.showOrderListStatus());
    case ConfigViewController::BindTable:
        return onOff(config.lockTable());
    default:
        return 0;
    }
}

int choiceCount(int group)
{
    return int(kGroups[group].choices.size());
}

ChoiceGroupModel::Input input(int group)
{
    return kGroups[group].input;
}

QString title(int group)
{
    return localised(QString::fromUtf16(kGroups[group].title));
}

QStringList choices(int group)
{
    QStringList texts;
    for (const char16_t *choice : kGroups[group].choices) {
        // The language names are shown as they stand, readable in either language.
        texts.append(group == ConfigViewController::Language ? QString::fromUtf16(choice)
                                                             : localised(QString::fromUtf16(choice)));
    }
    return texts;
}

void apply(int group, int choice, SoundManager &sound)
{
    ConfigManager &config = ConfigManager::defaultManager();
    const bool first = choice == 0;
    switch (group) {
    case ConfigViewController::TaiHaoShuru:
        config.setCtTaiHaoShuruFangshi(first ? 1 : 2);
        break;
    case ConfigViewController::ShowAmount:
        config.setCtShowAmount(first ? 3 : 4);
        break;
    case ConfigViewController::LogoutAfterSend:
        config.setCtLogoutAfterSend(first ? 6 : 5);
        break;
    case ConfigViewController::Silent:
        config.setSilentMode(first);
        break;
    case ConfigViewController::RefreshTableStatus: {
        // Stored alone: other taps and the typed fields wait for the save.
        config.setAutoRefreshTableStatus(first);
        SettingsStore &store = SettingsStore::shared();
        store.setValue(Key::AutoRefreshTableStatus, first);
        store.sync();
        break;
    }
    case ConfigViewController::Layout:
        LayoutManger::defaultManager().setLayout(choice);
        LayoutManger::defaultManager().save();
        break;
    case ConfigViewController::PrintState:
        config.setDefaultPrintState(QString::number(choice));
        break;
    case ConfigViewController::Language:
        config.setLanguageCode(first ? LanguageManager::kChinese : LanguageManager::kEnglish);
        break;
    case ConfigViewController::BgMusic:
        config.setPlayBgMusic(first);
        if (first)
            sound.playBgMusic();
        else
            sound.stopBgMusic();
        break;
    case ConfigViewController::CusMode:
        config.setIsCusMode(first);
        break;
    case ConfigViewController::AutoRefreshSoldOut:
        config.setIsAutoRefreshSoldOut(first);
        break;
    case ConfigViewController::TuiJian:
        config.setIsDisplayTuiJian(first);
        break;
    case ConfigViewController::DarkBackground:
        config.setIsDarkBackground(first);
        Appearance::instance().refresh();
        break;
    case ConfigViewController::OrderListStatus:
        config.setShowOrderListStatus(first);
        break;
    case ConfigViewController::BindTable:
        config.setLockTable(first);
        break;
    default:
        break;
    }
}

} // namespace SettingsChoices
