#pragma once

#include "CategoryScrollModel.h"
#include "MenuPageModel.h"
#include "MenuViewController.h"
#include "catalogue/MenuPages.h"
#include "services/Services.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QUrl>

#include <atomic>
#include <memory>

// The menu: a paged grid of dish cards under a strip of big categories and a strip of the selected
// big category's small categories. The pages are cut once when the screen loads; the strips follow
// the page on screen and a tap on a strip brings its first page. Cards add and remove one portion
// through FoodActions; their ordered amounts, thumbnails and sold-out marks arrive as the
// background tasks' notifications. Loading also starts the sold-out poller.
//
// The view reports where the grid came to rest (gridRested) and where a drag ended (dragEnded),
// and scrolls wherever scrollToPageRequested() says, without animation.
class MainViewController : public MenuViewController {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(CategoryScrollModel *bigCategories READ bigCategories CONSTANT)
    Q_PROPERTY(CategoryScrollModel *smallCategories READ smallCategories CONSTANT)
    Q_PROPERTY(MenuPageModel *pages READ pages CONSTANT)
    Q_PROPERTY(int currentPage READ currentPage NOTIFY currentPageChanged)
    Q_PROPERTY(QString pageLabel READ pageLabel NOTIFY currentPageChanged)
    Q_PROPERTY(QString orderNumText READ orderNumText NOTIFY orderNumTextChanged)
    Q_PROPERTY(QUrl lostPicture READ lostPicture CONSTANT)
public:
    explicit MainViewController(QObject *parent = nullptr);
    ~MainViewController() override;

    CategoryScrollModel *bigCategories() { return &bigStrip_; }
    CategoryScrollModel *smallCategories() { return &smallStrip_; }
    MenuPageModel *pages() { return &pageModel_; }
    int currentPage() const { return currentPage_; }
    QString pageLabel() const { return menuPageLabel(currentPage_, menu_.pageCount()); }
    QString orderNumText() const { return orderNumText_; }
    // What a card shows when its dish has no thumbnail.
    QUrl lostPicture() const;
    const MenuPages &menu() const { return menu_; }

    // The grid came to rest at horizontal `offset` with pages `pageWidth` wide.
    Q_INVOKABLE void gridRested(qreal offset, qreal pageWidth);
    // A drag ended at `offset`: the page-turn sound.
    Q_INVOKABLE void dragEnded(qreal offset);
    // A page's cards came on screen: the first time its tasks start; thumbnails not made yet are
    // asked for again.
    Q_INVOKABLE void pageShown(int page);
    // The page's cards left the screen: its thumbnails still waiting are no longer made.
    Q_INVOKABLE void pageHidden(int page);

    Q_INVOKABLE void addFood(int page, int card);
    Q_INVOKABLE void delFood(int page, int card);
    // Opens the detail screen at the card's dish.
    Q_INVOKABLE void openDetail(int page, int card);

    Q_INVOKABLE void showSearch();
    Q_INVOKABLE void showQuickOrder();
    Q_INVOKABLE void goToOrderList();
    // Back to the home screen, closing every screen above it.
    Q_INVOKABLE void back();

signals:
    void currentPageChanged();
    void orderNumTextChanged();
    void scrollToPageRequested(int page);

protected:
    void initLanguage() override;
    void loadView() override;

private:
    const Services &services_;

    void observeTasks();
    void showPage(int page);
    void reloadSmallStrip(int big);
    void selectStripsFor(int page);
    void onBigCategoryTapped(int index);
    void onSmallCategoryTapped(int index);
    void scrollToPage(int big, int small);
    const Food *foodAt(int page, int card) const;

    MenuPages menu_;
    CategoryScrollModel bigStrip_;
    CategoryScrollModel smallStrip_;
    MenuPageModel pageModel_;
    int currentPage_ = 0;
    // The categories the strips show, by index (-1: none yet).
    int lstBig_ = -1;
    int lstSmall_ = -1;
    qreal lastContentOffset_ = 0;
    bool playPageSound_ = true;
    QString orderNumText_;
    // Per page: whether its waiting thumbnails are still wanted.
    QHash<int, std::shared_ptr<std::atomic_bool>> thumbnailsWanted_;
    QSet<int> pagesSetUp_;
};
