#include "HelpViewController.h"

#include "settings/LanguageManager.h"

#include <QVariantMap>

using namespace Qt::StringLiterals;

namespace {
// Section titles and texts, the Chinese texts being their own keys.
const std::pair<const char16_t *, const char16_t *> kSections[] = {
    {u"设置点菜机",
     u"在服务入口打开“系统设置”，输入访问码后填写服务器 IP（点菜服务器在店内网络中的地址，例如 "
     u"192.168.1.100）、服务器端口（1 到 65535 的整数，常用 8030）、点菜机号（每台点菜机各不相同）和通信等待"
     u"（秒），然后按“保 存”。新的设置立即生效，无需重新启动。"},
    {u"访问码",
     u"设置页面上锁，以免顾客在顾客模式下更改设置。访问码由当天日期算出：把日期写成八位数字（年、月、日，例如"
     u" "
     u"2026 年 12 月 7 日写成 20261207），把每位数字 d 换成 9 减 d（得到 79738792），再从右往左读（得到 "
     u"29783797）。每次离开设置页面后都要重新输入。"},
    {u"绑定桌台", u"选择“绑定”并输入桌台号（例如 "
                  u"A01）后，这台点菜机的点菜单都记到该桌台；选择“不绑定”时每次发送前选择桌台。"},
    {u"更新商品资料", u"登录后按“更新商品资料”，点菜机从服务器下载最新的菜品资料、图片和音乐；已是最新时提示"
                      u"无需更新。“删除商品"
                      u"资料”删除已下载的资料，之后需要重新下载。"},
    {u"各项设置", u"台号录入方式：点选桌台或直接输入台号。\n"
                  u"菜品总金额：点菜单是否显示总金额。\n"
                  u"发送后操作员：发送后是否自动注销。\n"
                  u"静音模式：关闭按键音效。\n"
                  u"显示桌台时刷新状态：打开桌台时向服务器读取状态（立即保存）。\n"
                  u"菜品显示模式：菜单每页的排列（立即保存）。\n"
                  u"落单状态2：新点菜品的出菜状态。\n"
                  u"语言：界面语言，保存后切换。\n"
                  u"是否播放背景音乐：播放或停止背景音乐。\n"
                  u"顾客模式：交给顾客使用时挡住员工功能。\n"
                  u"自动刷新售罄品项：按间隔（秒）从服务器读取售罄菜品。\n"
                  u"是否显示推荐：菜单标出推荐菜。\n"
                  u"是否黑色主题：深色界面。\n"
                  u"是否可设置落单状态：点菜单中可改出菜状态。"},
};
} // namespace

HelpViewController::HelpViewController(QObject *parent) : MenuViewController(parent) {}

void HelpViewController::initLanguage()
{
    const LanguageManager &language = LanguageManager::defaultManager();
    title_ = language.readString(u"帮助"_s);
    backText_ = language.readString(u"返回"_s);
    sections_.clear();
    for (const auto &[title, body] : kSections) {
        sections_.append(QVariantMap{{u"title"_s, language.readString(QString::fromUtf16(title))},
                                     {u"body"_s, language.readString(QString::fromUtf16(body))}});
    }
    emit captionsChanged();
}
