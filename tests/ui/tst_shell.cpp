// The real window against the development server on the demo catalogue, end to end: home, entrances,
// login, pop-ups, menu, English, notices and the staff screen, with a screenshot of each step.
#include "AppWindow.h"
#include "DevServerHarness.h"

#include "foundation/NotificationCenter.h"
#include "foundation/NotificationNames.h"
#include "foundation/SettingsKeys.h"
#include "foundation/UserNotice.h"
#include "media/PhotoManager.h"
#include "order/OrderManager.h"
#include "settings/AccessCode.h"
#include "settings/LanguageManager.h"
#include "settings/SettingsStore.h"
#include "toolkit/PopNames.h"
#include "toolkit/PopViewManager.h"
#include "ui/components/NumberInputViewController.h"
#include "ui/menu/MainViewController.h"
#include "ui/menu/SetMealRowsModel.h"
#include "ui/settings/ConfigViewController.h"
#include "ui/shell/Navigator.h"
#include "ui/shell/NoticeBoard.h"

#include <QAccessible>
#include <QGuiApplication>
#include <QJsonArray>
#include <QSettings>

using namespace Qt::StringLiterals;

namespace {
const QString kQuantityPopup = u"ShellTestQuantity"_s;
} // namespace

class TestShell : public QObject, private AppWindow {
    Q_OBJECT
private:
    DevServerHarness server{DevServerHarness::Catalogue::Demo};

    PopViewManager &pops() { return PopViewManager::defaultManager(); }
    QString fieldText(QQuickItem *frame, const QString &field)
    {
        return UiTest::findItem(UiTest::findItem(frame, field), u"fieldText"_s)->property("text").toString();
    }

    void swipe(QQuickItem *target, qreal dx)
    {
        const QPoint start = target->mapToScene(QPointF(target->width() / 2, target->height() / 2)).toPoint();
        QTest::mousePress(window, Qt::LeftButton, {}, start);
        for (int step = 1; step <= 10; ++step)
            QTest::mouseMove(window, start + QPoint(int(dx * step / 10), 0), 15);
        QTest::mouseRelease(window, Qt::LeftButton, {}, start + QPoint(int(dx), 0), 15);
    }

    // Brings the page with dish `name` on screen through the strips and taps its "+".
    void addFromMenu(MainViewController *menu, const QString &name)
    {
        const MenuPages &pages = menu->menu();
        int page = 0;
        int card = -1;
        for (; page < pages.pageCount() && card < 0; ++page) {
            const QList<Food> &foods = pages.arrAllPages.at(page).foods;
            for (int i = 0; i < foods.size() && card < 0; ++i)
                card = foods.at(i).info->foodName == name ? i : -1;
        }
        QVERIFY2(card >= 0, qPrintable(name));
        const MenuPages::Page &shown = pages.arrAllPages.at(--page);
        // By keyboard, as at the pass without a screen reader: Enter taps the focused category.
        const auto category = [this](const QString &strip, qsizetype index) {
            UiTest::findItem(item(strip), u"category_"_s + QString::number(index))->forceActiveFocus();
            QTest::keyClick(window, Qt::Key_Return);
        };
        if (menu->bigCategories()->selectedIndex() != shown.bigCategory)
            category(u"bigCategoryStrip"_s, shown.bigCategory);
        const int small = int(pages.subCateIndexes.at(shown.bigCategory).indexOf(shown.smallCategory));
        if (menu->smallCategories()->selectedIndex() != small)
            category(u"smallCategoryStrip"_s, small);
        QTRY_COMPARE(menu->currentPage(), page);
        QQuickItem *cardItem = nullptr;
        QTRY_VERIFY((cardItem = UiTest::findItem(item(u"menuPage_"_s + QString::number(page)),
                                                 u"dishCard_"_s + QString::number(card))));
        UiTest::tap(UiTest::findItem(cardItem, u"addButton"_s));
    }

    // Whether the first `count` tiles of the grid `name` are `side` square, `columns` to a row, each in
    // its column and its row (rows `side` + 10 apart, the first 10 below the top).
    bool tilesInColumns(QQuickItem *popup, const QString &name, int columns, qreal side, int count)
    {
        QQuickItem *grid = UiTest::findItem(popup, name);
        const auto tile = [grid](int i) { return UiTest::findItem(grid, u"tile_"_s + QString::number(i)); };
        bool placed = QTest::qWaitFor([&] { return tile(count - 1); }, kSettleMs);
        for (int i = 0; placed && i < count; ++i) {
            const QRectF at = tile(i)->mapRectToItem(grid, tile(i)->boundingRect());
            const qreal column = grid->width() / columns, left = i % columns * column;
            placed = at.size() == QSizeF(side, side) && at.left() >= left && at.right() <= left + column &&
                     at.top() + grid->property("contentY").toReal() == i / columns * (side + 10) + 10;
        }
        return placed;
    }

    void unlockSettings()
    {
        QTRY_VERIFY(item(u"lockPanel"_s) && item(u"lockPanel"_s)->isVisible());
        tapKeys(item(u"lockPanel"_s),
                AccessCode::forDate(QDate::currentDate()).split(QString(), Qt::SkipEmptyParts));
        UiTest::tap(item(u"unlockButton"_s));
        QTRY_VERIFY(item(u"configContent"_s)->isVisible());
    }

private slots:
    void initTestCase()
    {
        UiTest::startRecording();
        QVERIFY2(server.start(u"00001=0,00002=5"_s), qPrintable(server.lastError()));
        pops().registerFactory(kQuantityPopup, [](const QVariantList &args) {
            return new NumberInputViewController(u"数量修改"_s, args.value(0).toString());
        });
    }

    void cleanup() { UI_VERIFY_NO_WARNINGS(); }

    void cleanupTestCase()
    {
        LanguageManager::defaultManager().loadLanguage(LanguageManager::kChinese, false);
        engine.reset();
        server.stop();
    }

    // Taps right after start, the window's layers still loading (AppWindow::show waits for them):
    // the entrance's screen is pushed, and the login dialog comes up over it and takes input.
    void tapsBeforeTheLayersLoad()
    {
        qputenv(MakerServiceAddress::kEnvironmentVariable, server.baseUrl().toUtf8());
        ConfigManager::defaultManager().setPort(QString::number(server.port()));
        StartupSequence::setApplicationNames();
        StartupSequence::prepareServices({u"tst_shell"_s, u"--home"_s, AppPaths::home()});
        engine = StartupSequence::showMainWindow();
        QVERIFY(engine && (window = qobject_cast<QQuickWindow *>(engine->rootObjects().constFirst())));
        UiTest::tap(item(u"orderEntrance"_s));
        UiTest::tap(item(u"btnLogin"_s));
        QCOMPARE(item(u"windowLayers"_s)->property("status").toInt(), 2); // Loader.Loading
        QVERIFY(opened(u"menuScreen"_s));
        QQuickItem *login = settledPopup();
        QVERIFY(login && login->isEnabled() && UiTest::findItem(login, u"loginView"_s));
        closePopup(login, u"closeButton"_s);
        Navigator::instance().popToRoot();
        QTRY_VERIFY(!item(u"menuScreen"_s) && stackIdle());
    }

    void theWindowShowsTheHomeScreen()
    {
        QCOMPARE(window->size(), QSize(1024, 768));
        QVERIFY(item(u"homeScreen"_s));
        QCOMPARE(item(u"statusStrip"_s)->height(), 20.0);
        QTRY_COMPARE(textOf(u"storeName"_s), u"福满楼酒家"_s);
        QCOMPARE(textOf(u"orderEntrance"_s), u"点菜"_s);
        QTRY_COMPARE(item(u"homeBackground"_s)->property("status").toInt(), 1); // Image.Ready
        QCOMPARE(textOf(u"btnLogin"_s), u"未登录"_s);
        // The welcome picture covers the screen at first, fades out over 2 s and is removed.
        QVERIFY(item(u"welcomePicture"_s));
        QTRY_VERIFY_WITH_TIMEOUT(!item(u"welcomePicture"_s)->property("active").toBool(), 4000);
        saveScreenshot(u"home"_s);
    }

    void entrancesOpenScreensAndReturn_data()
    {
        QTest::addColumn<QStringList>("names"); // entrance, screen, label, its text, back button
        QTest::newRow("staff") << QStringList{u"staffEntrance"_s, u"staffScreen"_s, u"staffEntry_3"_s,
                                              u"系统设置"_s, u"staffEntry_6"_s};
        QTest::newRow("gallery") << QStringList{u"galleryEntrance"_s, u"galleryScreen"_s, u"galleryCaption"_s,
                                                u"1 / 3"_s, u"backButton"_s};
        // The demo package has no videos.
        QTest::newRow("videos") << QStringList{u"videoEntrance"_s, u"videoScreen"_s, u"noVideos"_s,
                                               u"没有视频"_s, u"backButton"_s};
    }
    void entrancesOpenScreensAndReturn()
    {
        QFETCH(QStringList, names);
        const QString screen = names.at(1);
        UiTest::tap(item(names.at(0)));
        QTRY_VERIFY(item(screen));
        QCOMPARE(Navigator::instance().depth(), 2);
        QTRY_COMPARE(textOf(names.at(2)), names.at(3));
        // Wait for the push transition before the picture and the tap.
        QTRY_VERIFY(stackIdle());
        saveScreenshot(screen.chopped(6));
        UiTest::tap(item(names.at(4)));
        QTRY_VERIFY(!item(screen));
        QCOMPARE(Navigator::instance().depth(), 1);
        QVERIFY(item(u"homeScreen"_s)->isVisible());
    }

    // A wrong password keeps the dialog open with the server's message; the right one closes it.
    void loggingInAndOutThroughTheDialogs()
    {
        UiTest::tap(item(u"btnLogin"_s));
        QQuickItem *frame = settledPopup();
        QVERIFY(frame);
        QCOMPARE(textIn(frame, u"popTitle"_s), u"用户登录"_s);
        QCOMPARE(fieldText(frame, u"accountField"_s), u"用户名"_s);

        // The operator number has the keys from the start; OK with the password empty moves there.
        tapKeys(frame, {u"0"_s, u"0"_s, u"1"_s, u"ok"_s, u"9"_s, u"9"_s});
        QCOMPARE(fieldText(frame, u"accountField"_s), u"001"_s);
        QCOMPARE(fieldText(frame, u"passwordField"_s), u"\u25CF\u25CF"_s);
        tapKeys(frame, {u"ok"_s});
        QTRY_COMPARE(textOf(u"noticeToastText"_s), u"密码错误，请重新输入"_s);
        QTRY_VERIFY(!NoticeBoard::instance().progressVisible());
        QCOMPARE(frames().size(), 1);
        QCOMPARE(textOf(u"btnLogin"_s), u"未登录"_s);

        // Sending ended the editing: tapping the field again starts afresh, typing replaces it.
        UiTest::tap(UiTest::findItem(frame, u"passwordField"_s));
        tapKeys(frame, {u"1"_s, u"2"_s, u"3"_s});
        QCOMPARE(fieldText(frame, u"passwordField"_s), u"\u25CF\u25CF\u25CF"_s);
        hideToast();
        saveScreenshot(u"login"_s);
        tapKeys(frame, {u"ok"_s});
        QTRY_VERIFY(frames().isEmpty());
        QTRY_VERIFY(pops().arrControllers().isEmpty());
        QCOMPARE(textOf(u"btnLogin"_s), u"王喆(001)"_s);
        QCOMPARE(server.controlGet(u"/__control/commands?command=LogIn"_s)[u"commands"_s].toArray().size(),
                 2);
        QCOMPARE(textOf(u"noticeToastText"_s), u"欢迎您(王喆)"_s);
        hideToast();
        saveScreenshot(u"home-logged-in"_s);

        UiTest::tap(item(u"btnLogin"_s));
        QVERIFY((frame = settledPopup()));
        QCOMPARE(textIn(frame, u"accountLine"_s), u"当前用户：王喆(001)"_s);
        saveScreenshot(u"logout"_s);
        closePopup(frame, u"logoutButton"_s);
        QCOMPARE(textOf(u"btnLogin"_s), u"未登录"_s);
        NoticeBoard::instance().hideToast();
    }

    void twoStackedPopups()
    {
        QVERIFY(pops().pop(kQuantityPopup, {u"1"_s}));
        QVERIFY(settledPopup());
        QVERIFY(pops().pop(kQuantityPopup, {u"3"_s}, 80));
        QTRY_COMPARE(frames().size(), 2);
        QQuickItem *top = frames().at(1);
        QTRY_COMPARE(UiTest::findItem(top, u"popCard"_s)->y(), 80.0);
        const QList<PopRootViewController *> stack = pops().arrControllers();
        QCOMPARE(stack.size(), 2);
        auto *lower = qobject_cast<NumberInputViewController *>(stack.at(0));
        auto *upper = qobject_cast<NumberInputViewController *>(stack.at(1));
        QVERIFY(lower && upper);

        // Keypad taps reach only the field being edited: the top pop-up's, from its opening.
        QVERIFY(upper->isEditing() && !lower->isEditing());
        tapKeys(top, {u"1"_s, u"2"_s, u"."_s, u"."_s, u"5"_s});
        QCOMPARE(upper->text() + u'/' + lower->text(), u"12.5/1"_s);
        QCOMPARE(textIn(top, u"fieldText"_s), u"12.5"_s);
        saveScreenshot(u"popups"_s);

        // OK confirms the top one; the lower one comes back to the front.
        using Posted = QList<QPair<QString, QObject *>>;
        Posted posted;
        QObject observer;
        for (const QString &name : {Notify::PopManagerControllerConfirm, Notify::PopManagerControllerCancel,
                                    Notify::PopManagerControllerBackToFront}) {
            NotificationCenter::defaultCenter().addObserver(
                &observer, name, [&posted](const Notification &n) {
                    posted.append({n.name, n.object.value<QObject *>()});
                });
        }
        tapKeys(top, {u"ok"_s});
        QTRY_COMPARE(frames().size(), 1);
        QCOMPARE(posted, (Posted{{Notify::PopManagerControllerConfirm, upper},
                                 {Notify::PopManagerControllerBackToFront, lower}}));
        QCOMPARE(pops().arrControllers(), QList<PopRootViewController *>{lower});
        QVERIFY(frames().at(0)->isEnabled());

        posted.clear();
        closePopup(frames().at(0), u"cancelButton"_s);
        QVERIFY(pops().arrControllers().isEmpty());
        QCOMPARE(posted, (Posted{{Notify::PopManagerControllerCancel, lower}}));
    }

    // The menu's pages and strips, every kind of dish added by tapping: the order holds those lines.
    void orderingFromTheMenu()
    {
        OrderManager &orders = OrderManager::defaultManager();
        QQuickItem *popup = nullptr; // the pop-up on top, once it has slid in
        orders.deleteAllFoodOrders();
        UiTest::tap(item(u"orderEntrance"_s));
        QVERIFY(opened(u"menuScreen"_s));
        auto *menu = qobject_cast<MainViewController *>(
            item(u"menuScreen"_s)->property("controller").value<QObject *>());
        QVERIFY(menu);
        const QString count = QString::number(menu->menu().pageCount());
        QCOMPARE(textOf(u"pageLabel"_s), u"1 / "_s + count);
        QTRY_VERIFY(UiTest::findItem(item(u"menuPage_0"_s), u"dishCard_0"_s));
        saveScreenshot(u"menu"_s);

        swipe(item(u"menuGrid"_s), -500);
        QTRY_COMPARE(textOf(u"pageLabel"_s), u"2 / "_s + count);
        QCOMPARE(menu->smallCategories()->selecteItemTitle(),
                 menu->menu().arrAllSCate.at(menu->menu().arrAllPages.at(1).smallCategory).scatName);

        addFromMenu(menu, u"宫保鸡丁"_s);
        QTRY_COMPARE(menu->orderNumText(), u"1"_s);
        QVERIFY(
            UiTest::findItem(item(u"menuPage_"_s + QString::number(menu->currentPage())), u"amountBadge"_s));

        addFromMenu(menu, u"水煮鱼"_s);
        QVERIFY((popup = settledPopup()));
        saveScreenshot(u"size-chooser"_s);
        closePopup(popup, u"sizeRow_0"_s);

        // A package without 米饭's picture: its set-meal row shows the missing-picture image.
        PhotoManager &photos = PhotoManager::defaultManager();
        const QString rice = UiTest::demoDish(u"米饭"_s).info->foodno + u".jpg"_s;
        const QString shipped = ConfigManager::defaultManager().getBigPicPath();
        const QString pictures = UiTest::makePackage(u"foodPicBig"_s, {});
        for (const QString &name : QDir(shipped).entryList(QDir::Files))
            QVERIFY(name == rice || QFile::copy(shipped + u'/' + name, pictures + u'/' + name));
        QFile::remove(photos.smallImageFolder() + u'/' + rice);
        photos.forceSetup();
        addFromMenu(menu, u"商务套餐A"_s);
        QVERIFY((popup = settledPopup()));
        const auto picture = [popup](int row) {
            return UiTest::findItem(UiTest::findItem(popup, u"componentRows_"_s + QString::number(row)),
                                    u"rowPicture"_s);
        };
        QTRY_VERIFY(picture(0)->property("status").toInt() == 1 &&
                    picture(1)->property("status").toInt() == 1);
        QCOMPARE(picture(1)->property("source").toUrl(), SetMealRowsModel::lostPicture()); // 米饭
        QVERIFY(picture(0)->property("source").toUrl() != SetMealRowsModel::lostPicture());
        SettingsStore::shared().remove(Key::ZipFileName);
        photos.forceSetup();
        UiTest::tap(UiTest::findItem(popup, u"componentRows_0"_s));
        QQuickItem *alternative = nullptr;
        QTRY_VERIFY((alternative = UiTest::findItem(popup, u"alternativeRows_2"_s)));
        UiTest::tap(alternative);
        UiTest::tap(UiTest::findItem(popup, u"changeButton"_s));
        QTRY_COMPARE(
            textIn(popup, u"setPrice"_s),
            QString::asprintf("￥ %.2f", double(UiTest::demoDish(u"商务套餐A"_s).info->salePrice1 + 12)));
        saveScreenshot(u"set-meal"_s);
        closePopup(popup, u"confirmButton"_s);

        addFromMenu(menu, u"辣子鸡"_s);
        QVERIFY((popup = settledPopup()));
        QQuickItem *firstTaste = nullptr;
        QTRY_VERIFY(
            (firstTaste = UiTest::findItem(UiTest::findItem(popup, u"offeredTastes"_s), u"tile_0"_s)));
        UiTest::tap(firstTaste);
        UiTest::tap(firstTaste);           // kept once
        for (const QChar key : u"少盐,"_s) // into the typed taste, which has the focus; "," refused
            QTest::sendKeyEvent(QTest::Click, window, Qt::Key_unknown, key, {});
        UiTest::tap(UiTest::findItem(popup, u"addManualButton"_s));
        QCOMPARE(orders.arrOrders().size(), 6); // the line waits for "关 闭"
        // Tiles at full size in their columns: 4 to a row here, 3 in the taste editor (做法 has 8).
        UiTest::tap(UiTest::findItem(popup, u"category_2"_s));
        QVERIFY(tilesInColumns(popup, u"offeredTastes"_s, 4, 80, 8));
        saveScreenshot(u"quick-taste"_s);
        closePopup(popup, u"closeButton"_s);

        QStringList lines;
        for (const auto &line : orders.arrOrders())
            lines.append(line->foodName + u'|' + line->itemsize + u'|' + line->OrderQuantity() + u'|' +
                         TasteInfo::displayTasteString(line->arrTaste));
        const QString all = lines.join(u'\n');
        QCOMPARE(lines.size(), 7);
        QCOMPARE(lines.mid(0, 2), (QStringList{u"宫保鸡丁||1.00|"_s, u"水煮鱼|小份|1.00|"_s}));
        QVERIFY2(lines.at(2).startsWith(u"商务套餐A|"_s), qPrintable(all));
        QVERIFY2(lines.mid(3, 3).join(u',').contains(u"小炒黄牛肉"_s), qPrintable(all));
        QVERIFY2(lines.at(6).startsWith(u"辣子鸡|"_s) && lines.at(6).endsWith(u"|1.00|微辣,少盐"_s),
                 qPrintable(all));

        // Search: letters on the keypad narrow the list; "+" orders and the menu's badge follows.
        const double ordered = menu->orderNumText().toDouble();
        UiTest::tap(item(u"searchButton"_s));
        QVERIFY((popup = settledPopup()));
        UiTest::tap(UiTest::findItem(popup, u"searchText"_s));
        tapKeys(popup, {u"P"_s, u"H"_s, u"G"_s});
        QTRY_COMPARE(textIn(popup, u"searchText"_s), u"PHG"_s);
        QQuickItem *found = nullptr;
        QTRY_VERIFY((found = UiTest::findItem(popup, u"searchRow_0"_s)));
        QVERIFY(!UiTest::findItem(popup, u"searchRow_5"_s));
        saveScreenshot(u"search"_s);
        UiTest::tap(UiTest::findItem(found, u"addButton"_s));
        QTRY_COMPARE(textIn(found, u"amount"_s), u"1"_s);
        QTRY_COMPARE(menu->orderNumText(), QString::number(ordered + 1));
        closePopup(popup, u"closeButton"_s);

        // The quick-order screen, the table chooser and the taste editor, for the record.
        UiTest::tap(item(u"quickOrderButton"_s));
        QVERIFY(opened(u"quickOrderScreen"_s));
        QTRY_VERIFY(UiTest::findItem(item(u"quickOrderScreen"_s), u"quickRow_0"_s));
        saveScreenshot(u"quick-order"_s);
        UiTest::tap(UiTest::findItem(item(u"quickOrderScreen"_s), u"backButton"_s));
        QTRY_VERIFY(!item(u"quickOrderScreen"_s));
        QVERIFY(pops().pop(PopName::TableChooseViewController, {}));
        QVERIFY((popup = settledPopup()));
        QTRY_VERIFY(UiTest::findItem(popup, u"table_0"_s));
        saveScreenshot(u"table-chooser"_s);
        closePopup(popup, u"cancelButton"_s);
        QVERIFY(pops().pop(PopName::TasteViewController, {QVariant::fromValue(orders.arrOrders().at(6))}));
        QVERIFY((popup = settledPopup()));
        UiTest::tap(UiTest::findItem(popup, u"category_2"_s));
        for (int i = 0; i < 3; ++i)
            UiTest::tap(UiTest::findItem(UiTest::findItem(popup, u"offeredTastes"_s),
                                         u"tile_"_s + QString::number(i)));
        QVERIFY(tilesInColumns(popup, u"offeredTastes"_s, 3, 105, 8));
        QVERIFY(tilesInColumns(popup, u"chosenTastes"_s, 3, 105, 5));
        saveScreenshot(u"taste-editor"_s);
        // Every chosen taste tapped away: confirming leaves the line without any.
        QQuickItem *chosen = UiTest::findItem(popup, u"chosenTastes"_s);
        for (int left = 5; left > 0; --left) {
            QTRY_VERIFY(UiTest::findItem(chosen, u"tile_"_s + QString::number(left - 1)) &&
                        !UiTest::findItem(chosen, u"tile_"_s + QString::number(left)));
            UiTest::tap(UiTest::findItem(chosen, u"tile_0"_s));
        }
        closePopup(popup, u"confirmButton"_s);
        QVERIFY(orders.arrOrders().at(6)->arrTaste.isEmpty());
        // The ordering screens' other pop-ups, for the touch audit.
        const QVariantList line{QVariant::fromValue(orders.arrOrders().at(6))};
        for (const auto &[name, args] :
             QList<std::pair<QString, QVariantList>>{{PopName::SalePriceChangeViewController, line},
                                                     {PopName::CusNumChangeViewController, {}},
                                                     {PopName::TempFoodViewController, {}},
                                                     {PopName::GuaDanViewController, {}}}) {
            QVERIFY(pops().pop(name, args));
            QVERIFY2((popup = settledPopup()), qPrintable(name));
            auditTouch(name);
            closePopup(popup, u"cancelButton"_s);
        }

        // The detail screen of a card: swipes step and leave the panel, a tap hides it, two return.
        UiTest::tap(
            UiTest::findItem(item(u"menuPage_"_s + QString::number(menu->currentPage())), u"dishPicture"_s));
        QVERIFY(opened(u"menuDetailScreen"_s));
        QTRY_COMPARE(item(u"detailPicture"_s)->property("status").toInt(), 1); // Image.Ready
        saveScreenshot(u"menu-detail"_s);
        QQuickItem *detail = item(u"menuDetailScreen"_s);
        const QString first = textOf(u"detailName"_s);
        swipe(detail, -300);
        QTRY_VERIFY(textOf(u"detailName"_s) != first);
        swipe(detail, 300);
        QTRY_COMPARE(textOf(u"detailName"_s), first);
        // By keyboard: Tab reaches the picture, whose Right and Left step as the swipes do.
        for (int tabs = 0; tabs < 5 && !item(u"detailGestures"_s)->hasActiveFocus(); ++tabs)
            QTest::keyClick(window, Qt::Key_Tab);
        QTest::keyClick(window, Qt::Key_Right);
        QTRY_VERIFY(textOf(u"detailName"_s) != first);
        QTest::keyClick(window, Qt::Key_Left);
        QTRY_COMPARE(textOf(u"detailName"_s), first);
        QTest::qWait(600); // past the wait for a second tap
        QVERIFY(item(u"detailPanel"_s)->isVisible() && item(u"menuDetailScreen"_s));
        UiTest::tap(detail);
        QTRY_VERIFY(!item(u"detailPanel"_s)->isVisible());
        UiTest::tap(detail);
        UiTest::tap(detail);
        QTRY_VERIFY(!item(u"menuDetailScreen"_s));

        UiTest::tap(UiTest::findItem(item(u"menuScreen"_s), u"backButton"_s));
        QTRY_VERIFY(!item(u"menuScreen"_s));
        QCOMPARE(Navigator::instance().depth(), 1);
        orders.deleteAllFoodOrders();
    }

    void englishCaptions()
    {
        LanguageManager::defaultManager().loadLanguage(LanguageManager::kEnglish);
        QCOMPARE(textOf(u"orderEntrance"_s) + u'|' + textOf(u"staffEntrance"_s), u"Order|Staff"_s);
        saveScreenshot(u"home-en"_s);

        QVERIFY(pops().pop(kQuantityPopup, {u"2"_s}));
        QQuickItem *frame = settledPopup();
        QVERIFY(frame);
        QCOMPARE(textIn(frame, u"popTitle"_s) + u'|' + textIn(frame, u"confirmButton"_s),
                 u"Change quantity|OK"_s);
        // What a screen reader says follows the language too: the arrow keys by what they do.
        const auto spoken = [frame](const QString &name) {
            const QAccessibleInterface *key =
                QAccessible::queryAccessibleInterface(UiTest::findItem(frame, name));
            return key ? key->text(QAccessible::Name) : u"<not accessible>"_s;
        };
        QCOMPARE(spoken(u"key_delete"_s) + u'|' + spoken(u"key_close"_s), u"Backspace|Hide keypad"_s);
        saveScreenshot(u"popup-en"_s);

        // Back in Chinese while the pop-up is open: it re-reads its texts.
        LanguageManager::defaultManager().loadLanguage(LanguageManager::kChinese);
        QCOMPARE(textIn(frame, u"popTitle"_s) + u'|' + textOf(u"orderEntrance"_s), u"数量修改|点菜"_s);
        QCOMPARE(spoken(u"key_delete"_s), u"退格"_s);
        closePopup(frame, u"cancelButton"_s);
    }

    void noticesOverTheWindow()
    {
        UserNotice::error(u"网络超时"_s);
        QTRY_VERIFY(item(u"noticeToast"_s)->isVisible());
        QCOMPARE(textOf(u"noticeToastText"_s), u"网络超时"_s);

        std::optional<bool> answer;
        UserNotice::confirm(u"提示"_s, u"确定要清空所有已点品项吗？"_s, u"取消"_s, u"确定"_s,
                            [&answer](bool yes) { answer = yes; });
        QTRY_VERIFY(item(u"noticeDialog"_s)->isVisible());
        QTRY_VERIFY(item(u"noticeToast"_s)->opacity() > 0.9); // faded in, over the question
        saveScreenshot(u"notice"_s);
        UiTest::tap(item(u"dialogConfirm"_s));
        QCOMPARE(answer, std::optional<bool>(true));
        QTRY_VERIFY(!item(u"noticeDialog"_s)->isVisible());
        NoticeBoard::instance().hideToast();
    }

    // Staff screen: settings behind the day's code, a saved port, the data update, sold-out and help.
    void staffScreenEndToEnd()
    {
        QStringList statuses;
        const QMetaObject::Connection watch =
            connect(&NoticeBoard::instance(), &NoticeBoard::progressChanged, this, [&statuses] {
                if (NoticeBoard::instance().progressVisible())
                    statuses.append(NoticeBoard::instance().progressStatus());
            });
        UiTest::tap(item(u"staffEntrance"_s));
        QVERIFY(opened(u"staffScreen"_s));
        QCOMPARE(textOf(u"staffEntry_3"_s), u"系统设置"_s);

        // Locked, until the day's code is typed on the lock's keypad.
        UiTest::tap(item(u"staffEntry_3"_s));
        QTRY_VERIFY(item(u"lockPanel"_s) && item(u"lockPanel"_s)->isVisible());
        QCOMPARE(textOf(u"lockLabel"_s), u"请输入密码"_s);
        QVERIFY(!item(u"configContent"_s)->isVisible());
        saveScreenshot(u"settings-locked"_s);
        unlockSettings();
        QVERIFY(!item(u"lockPanel"_s)->isVisible());
        saveScreenshot(u"settings"_s);

        // A new port, typed on the keypad and saved, is in the settings file.
        const QString port = QString::number(server.port());
        UiTest::tap(item(u"configField_1"_s));
        QTRY_VERIFY(item(u"configKeypad"_s)->isVisible());
        tapKeys(item(u"configKeypad"_s), port.split(QString(), Qt::SkipEmptyParts));
        QCOMPARE(textIn(item(u"configField_1"_s), u"fieldText"_s), port);
        UiTest::tap(item(u"saveButton"_s));
        QTRY_COMPARE(textOf(u"noticeToastText"_s), u"已保存"_s);
        QSettings stored(AppPaths::home() + u"/settings.ini"_s, QSettings::IniFormat);
        QCOMPARE(stored.value(Key::Port).toString(), port);

        // The update needs an operator: the login dialog first.
        UiTest::tap(item(u"staffEntry_4"_s));
        QQuickItem *login = settledPopup();
        QVERIFY(login);
        tapKeys(login, {u"0"_s, u"0"_s, u"1"_s, u"ok"_s, u"1"_s, u"2"_s, u"3"_s, u"ok"_s});
        QTRY_VERIFY(frames().isEmpty());
        QCOMPARE(textOf(u"btnLogin"_s), u"王喆(001)"_s);

        statuses.clear();
        UiTest::tap(item(u"staffEntry_4"_s));
        QTRY_COMPARE_WITH_TIMEOUT(textOf(u"noticeToastText"_s), u"下载成功"_s, 30000);
        QVERIFY(!NoticeBoard::instance().progressVisible());
        QVERIFY2(statuses.contains(u"正在检测主档更新..."_s) && statuses.contains(u"解压中..."_s),
                 qPrintable(statuses.join(u", "_s)));
        QCOMPARE(stored.value(Key::ZipFileName).toString(), u"diancai-demo.zip"_s);
        // Once more: already current.
        UiTest::tap(item(u"staffEntry_4"_s));
        QTRY_COMPARE(textOf(u"noticeToastText"_s), u"当前商品主档已经为最新，无需更新！"_s);
        QVERIFY(!NoticeBoard::instance().progressVisible());
        NoticeBoard::instance().hideToast();

        UiTest::tap(item(u"staffEntry_1"_s));
        QTRY_VERIFY(item(u"soldOut_1"_s));
        QTRY_VERIFY(!NoticeBoard::instance().progressVisible());
        QTRY_VERIFY(!item(u"noticeToast"_s)->isVisible());
        saveScreenshot(u"soldout"_s);
        // The password page and its dialog, for the touch audit.
        UiTest::tap(item(u"staffEntry_2"_s));
        QTRY_VERIFY(item(u"changePasswordButton"_s));
        UiTest::tap(item(u"changePasswordButton"_s));
        QQuickItem *password = settledPopup();
        QVERIFY(password);
        auditTouch(u"password"_s);
        closePopup(password, u"cancelButton"_s);

        // Back to the settings, and back from the help screen: still open.
        UiTest::tap(item(u"staffEntry_3"_s));
        QTRY_VERIFY(item(u"configContent"_s)->isVisible());
        UiTest::tap(item(u"helpButton"_s));
        QVERIFY(opened(u"helpScreen"_s));
        QCOMPARE(Navigator::instance().depth(), 3);
        saveScreenshot(u"help"_s);
        UiTest::tap(UiTest::findItem(item(u"helpScreen"_s), u"backButton"_s));
        QTRY_VERIFY(!item(u"helpScreen"_s));
        QTRY_VERIFY(item(u"configContent"_s)->isVisible());
        // Five minutes without a tap on it lock it (a tap starts them again), on a clock of the test's.
        qint64 now = 0;
        item(u"configPage"_s)
            ->property("config")
            .value<ConfigViewController *>()
            ->setIdleClock([&now] { return now; }, 5);
        now = ConfigViewController::kIdleLockMs - 1;
        UiTest::tap(item(u"choice_0_0"_s));
        now += ConfigViewController::kIdleLockMs - 1;
        QTest::qWait(50);
        QVERIFY(item(u"configContent"_s)->isVisible());
        now += 1;
        QTRY_VERIFY(item(u"lockPanel"_s)->isVisible());

        UiTest::tap(item(u"staffEntry_6"_s));
        QTRY_VERIFY(!item(u"staffScreen"_s));
        QCOMPARE(Navigator::instance().depth(), 1);
        disconnect(watch);
        UiTest::tap(item(u"btnLogin"_s));
        QTRY_COMPARE(frames().size(), 1);
        closePopup(frames().at(0), u"logoutButton"_s);
    }
};

DIANCAI_UI_TEST_MAIN(TestShell)
#include "tst_shell.moc"
