#include "MainViewController.h"

#include "Navigator.h"
#include "foundation/CommonUtils.h"
#include "foundation/NotificationCenter.h"
#include "foundation/NotificationNames.h"
#include "foundation/UserNotice.h"
#include "media/PhotoManager.h"
#include "media/SoundManager.h"
#include "order/FoodActions.h"
#include "order/TaskManager.h"
#include "services/BackOffice.h"
#include "services/Catalogue.h"
#include "services/Services.h"
#include "settings/LanguageManager.h"
#include "toolkit/PopViewManager.h"

#include <QFileInfo>
#include <QUrl>

using namespace Qt::StringLiterals;

MainViewController::MainViewController(QObject *parent)
    : MenuViewController(parent), services_(Services::installed())
{
    connect(&bigStrip_, &CategoryScrollModel::itemDidSelected, this,
            &MainViewController::onBigCategoryTapped);
    connect(&smallStrip_, &CategoryScrollModel::itemDidSelected, this,
            &MainViewController::onSmallCategoryTapped);
}

MainViewController::~MainViewController()
{
    for (const auto &wanted : std::as_const(thumbnailsWanted_))
        wanted->store(false);
}

QUrl MainViewController::lostPicture() const
{
    return QUrl::fromLocalFile(PhotoManager::smallLostImagePath());
}

void MainViewController::initLanguage()
{
    // The recommended categories carry the language's name for them.
    const QString strRec = LanguageManager::defaultManager().readString(u"推荐"_s);
    for (FoodSmallCatInfo &category : menu_.arrAllSCate) {
        if (category.isTuiJian)
            category.scatName = strRec;
    }
    for (FoodBigCatInfo &big : menu_.arrCategory) {
        for (FoodSmallCatInfo &category : big.arrSubCate) {
            if (category.isTuiJian)
                category.scatName = strRec;
        }
    }
    if (lstBig_ < 0)
        return;
    const int small = lstSmall_;
    reloadSmallStrip(lstBig_);
    lstSmall_ = small;
    smallStrip_.selectItemOf(int(menu_.subCateIndexes.value(lstBig_).indexOf(small)));
}

void MainViewController::loadView()
{
    observeTasks();
    Catalogue &baseData = *services_.catalogue;
    baseData.reload();
    const MenuCatalogue catalogue = baseData.menu();
    if (catalogue.unreadable)
        UserNotice::info(LanguageManager::defaultManager().readString(u"未能读取大类信息，请重新设置。"_s));
    // The picture index is built by the thumbnail task that first needs it, off this thread.
    menu_ = catalogue.pages;
    pageModel_.reset(menu_.arrAllPages);

    QStringList titles;
    for (const FoodBigCatInfo &big : std::as_const(menu_.arrCategory))
        titles.append(big.bcatName);
    bigStrip_.reloadData(titles);
    lstBig_ = menu_.arrCategory.isEmpty() ? -1 : 0;
    reloadSmallStrip(lstBig_);
    if (menu_.pageCount() > 0)
        selectStripsFor(0);
    emit currentPageChanged();
    BackOffice::startSoldOutPoll();
}

void MainViewController::observeTasks()
{
    NotificationCenter &center = NotificationCenter::defaultCenter();
    center.addObserver(this, Notify::UpdateOrderPackInfoDone, [this](const Notification &notification) {
        const QStringList totals = notification.object.toStringList();
        if (totals.isEmpty())
            return;
        orderNumText_ = CommonUtils::removeStringZero(totals.first());
        emit orderNumTextChanged();
    });
    center.addObserver(this, Notify::TaskOrderAmount, [this](const Notification &notification) {
        const QStringList result = notification.object.toStringList();
        if (result.size() < 2)
            return;
        for (DishCardModel *cards : pageModel_.madeCardsOf(result.at(0)))
            cards->setAmount(result.at(0), result.at(1));
    });
    center.addObserver(this, Notify::TaskGenSmallImage, [this](const Notification &notification) {
        const QStringList result = notification.object.toStringList();
        if (result.size() < 2)
            return;
        const QUrl picture = result.at(1).isEmpty() ? QUrl() : QUrl::fromLocalFile(result.at(1));
        for (DishCardModel *cards : pageModel_.madeCardsOf(result.at(0)))
            cards->setPicture(result.at(0), picture);
    });
    center.addObserver(this, Notify::FoodIsSoldOut, [this](const Notification &notification) {
        const QString foodno = notification.object.toString();
        for (DishCardModel *cards : pageModel_.madeCardsOf(foodno))
            cards->refreshName(foodno);
    });
}

void MainViewController::pageShown(int page)
{
    DishCardModel *cards = pageModel_.cards(page);
    if (!cards)
        return;
    TaskManager &tasks = TaskManager::defaultManager();
    const bool first = !pagesSetUp_.contains(page);
    pagesSetUp_.insert(page);
    auto &wanted = thumbnailsWanted_[page];
    if (!wanted)
        wanted = std::make_shared<std::atomic_bool>(true);
    wanted->store(true);
    PhotoManager &photos = PhotoManager::defaultManager();
    QSet<QString> asked;
    for (int row = 0; row < cards->rowCount(); ++row) {
        const QString foodno = cards->foods().at(row).info->foodno;
        if (asked.contains(foodno))
            continue;
        asked.insert(foodno);
        if (first)
            tasks.runOrderAmountTaskWithFoodIdentity(foodno);
        if (cards->data(cards->index(row), DishCardModel::PictureKnownRole).toBool())
            continue;
        // A thumbnail made earlier is shown at once; only missing ones go to the task queue.
        if (const std::optional<QString> made = photos.madeThumbnailPath(foodno))
            cards->setPicture(foodno, QUrl::fromLocalFile(*made));
        else
            tasks.runGenSmallImageTaskWithFoodIdentity(foodno, wanted);
    }
    if (first)
        tasks.runOrderPackTask();
}

void MainViewController::pageHidden(int page)
{
    if (const auto wanted = thumbnailsWanted_.value(page))
        wanted->store(false);
}

void MainViewController::gridRested(qreal offset, qreal pageWidth)
{
    if (pageWidth <= 0 || menu_.pageCount() == 0)
        return;
    lastContentOffset_ = offset;
    showPage(qBound(0, int(offset / pageWidth), menu_.pageCount() - 1));
}

void MainViewController::dragEnded(qreal offset)
{
    if (!playPageSound_)
        return;
    if (offset < lastContentOffset_)
        sound().turnR();
    else if (offset > lastContentOffset_)
        sound().turnL();
}

void MainViewController::showPage(int page)
{
    selectStripsFor(page);
    if (page == currentPage_)
        return;
    currentPage_ = page;
    emit currentPageChanged();
}

void MainViewController::reloadSmallStrip(int big)
{
    QStringList titles;
    if (big >= 0 && big < menu_.arrCategory.size()) {
        for (const FoodSmallCatInfo &small : menu_.arrCategory.at(big).arrSubCate)
            titles.append(small.scatName);
    }
    smallStrip_.reloadData(titles);
    lstSmall_ = -1;
}

void MainViewController::selectStripsFor(int page)
{
    if (page < 0 || page >= menu_.pageCount())
        return;
    const MenuPages::Page &shown = menu_.arrAllPages.at(page);
    if (shown.bigCategory != lstBig_ || bigStrip_.selectedIndex() != lstBig_) {
        lstBig_ = shown.bigCategory;
        bigStrip_.selectItemOf(lstBig_);
        reloadSmallStrip(lstBig_);
    }
    const int position = int(menu_.subCateIndexes.value(lstBig_).indexOf(shown.smallCategory));
    if (shown.smallCategory != lstSmall_ || smallStrip_.selectedIndex() != position) {
        lstSmall_ = shown.smallCategory;
        smallStrip_.selectItemOf(position);
    }
}

void MainViewController::onBigCategoryTapped(int index)
{
    // The strips now show the tapped category; they go back to the page on screen only when it
    // has no page.
    reloadSmallStrip(index);
    lstBig_ = index;
    scrollToPage(index, menu_.subCateIndexes.value(index).value(0, -1));
}

void MainViewController::onSmallCategoryTapped(int index)
{
    const int big = bigStrip_.selectedIndex();
    scrollToPage(big, menu_.subCateIndexes.value(big).value(index, -1));
}

void MainViewController::scrollToPage(int big, int small)
{
    const int page = small < 0 ? -1 : menu_.pageOf(big, small);
    if (page < 0) {
        // Nothing to show for that category: the strips go back to the page on screen.
        selectStripsFor(currentPage_);
        return;
    }
    playPageSound_ = false;
    emit scrollToPageRequested(page);
    showPage(page);
    playPageSound_ = true;
}

const Food *MainViewController::foodAt(int page, int card) const
{
    if (page < 0 || page >= menu_.pageCount())
        return nullptr;
    const QList<Food> &foods = menu_.arrAllPages.at(page).foods;
    return card >= 0 && card < foods.size() ? &foods.at(card) : nullptr;
}

void MainViewController::addFood(int page, int card)
{
    if (const Food *food = foodAt(page, card))
        FoodActions(*food).addFood();
}

void MainViewController::delFood(int page, int card)
{
    if (const Food *food = foodAt(page, card))
        FoodActions(*food).delFood();
}

void MainViewController::openDetail(int page, int card)
{
    if (const Food *food = foodAt(page, card))
        Navigator::instance().push(u"MenuDetailScreen"_s,
                                   {{u"menu"_s, QVariant::fromValue(static_cast<QObject *>(this))},
                                    {u"foodno"_s, food->info->foodno}});
}

void MainViewController::showSearch()
{
    PopViewManager::defaultManager().popSearchView(false);
}

void MainViewController::showQuickOrder()
{
    Navigator::instance().push(u"QuickOrderScreen"_s);
}

void MainViewController::goToOrderList()
{
    sound().flip();
    Navigator::instance().push(u"OrderListScreen"_s);
}

void MainViewController::back()
{
    sound().close();
    Navigator::instance().popToRoot();
}
