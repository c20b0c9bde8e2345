#pragma once

#include "MenuViewController.h"
#include "services/Services.h"

#include <QStringList>

class ChangePasswordView;
class ConfigViewController;
class GqFoodListView;
class RoomView;
Q_MOC_INCLUDE("RoomView.h")

// The staff screen: the login bar, a menu of eight entries on the left and the chosen page on the
// right. The pages (table board, sold-out list, password page, settings) are created on first use
// and kept while the screen lives.
//
// Every entry first stops the background music when the settings switch it off, and clears the
// right side. Customer mode keeps guests from the table board, the sold-out list, the password
// page, the data update and the outbox list ("当前是顾客模式，可在设置中切换"); the board, the list and the
// update also need a logged-in operator, else the login dialog opens. The settings page opens always: its own
// lock keeps guests out.
//
// The data update shows the download's progress texts on the blocking indicator and its outcome
// as a notice ("kDownUpdateFile*"); the indicator never outlives the screen. An update asked for
// while one is under way says so at once ("商品资料正在更新，请稍候") instead of waiting for it.
class StaffViewController : public MenuViewController {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QStringList menuTitles READ menuTitles NOTIFY captionsChanged)
    Q_PROPERTY(Page currentPage READ currentPage NOTIFY currentPageChanged)
    Q_PROPERTY(RoomView *roomView READ roomView NOTIFY pagesChanged)
    Q_PROPERTY(GqFoodListView *gqFoodListView READ gqFoodListView NOTIFY pagesChanged)
    Q_PROPERTY(ChangePasswordView *changePwdView READ changePwdView NOTIFY pagesChanged)
    Q_PROPERTY(ConfigViewController *configView READ configView NOTIFY pagesChanged)
public:
    enum Entry {
        TableEntry,
        SoldOutEntry,
        PasswordEntry,
        SettingsEntry,
        UpdateEntry,
        MenuEntry,
        HomeEntry,
        OutboxEntry
    };
    Q_ENUM(Entry)
    enum Page { NoPage, RoomPage, SoldOutPage, PasswordPage, SettingsPage };
    Q_ENUM(Page)

    explicit StaffViewController(QObject *parent = nullptr);
    ~StaffViewController() override;

    QStringList menuTitles() const { return menuTitles_; }
    Page currentPage() const { return currentPage_; }
    RoomView *roomView() const { return roomView_; }
    GqFoodListView *gqFoodListView() const { return gqFoodListView_; }
    ChangePasswordView *changePwdView() const { return changePwdView_; }
    ConfigViewController *configView() const { return configView_; }
    bool isUpdating() const { return updating_; }

    Q_INVOKABLE void selectEntry(int entry);

signals:
    void captionsChanged();
    void currentPageChanged();
    void pagesChanged();

protected:
    void initLanguage() override;
    void loadView() override;

private:
    const Services &services_;

    // Customer mode, then (when asked) the login: true when the entry may go on.
    bool passesChecks(bool needsLogin);
    void showPage(Page page);
    void beginUpdate();
    void finishUpdate();
    static void showLoginView();

    QStringList menuTitles_;
    Page currentPage_ = NoPage;
    RoomView *roomView_ = nullptr;
    GqFoodListView *gqFoodListView_ = nullptr;
    ChangePasswordView *changePwdView_ = nullptr;
    ConfigViewController *configView_ = nullptr;
    bool updating_ = false;
};
