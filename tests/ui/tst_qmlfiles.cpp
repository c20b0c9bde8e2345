// Every view of the module loads offscreen, light and dark, without a warning.
#include "UiTestSupport.h"

#include "settings/ConfigManager.h"
#include "toolkit/NumberAndLetterKeyboard.h"
#include "toolkit/NumberKeyboard.h"
#include "ui/account/AuthViewController.h"
#include "ui/account/LoginViewController.h"
#include "ui/account/LogoutViewController.h"
#include "ui/components/CategoryScrollModel.h"
#include "ui/components/FoodInfoScrollModel.h"
#include "ui/components/NumberInputViewController.h"
#include "ui/menu/FoodItemSizeViewController.h"
#include "ui/menu/QuickTasteSetViewController.h"
#include "ui/menu/TDetailsViewController.h"
#include "ui/order/GuaDanViewController.h"
#include "ui/order/OrderListViewController.h"
#include "ui/order/OutboxViewController.h"
#include "ui/order/SearchViewController.h"
#include "ui/order/TableChooseViewController.h"
#include "ui/order/TasteViewController.h"
#include "ui/order/TempFoodViewController.h"
#include "ui/settings/ConfigViewController.h"
#include "ui/shell/Appearance.h"
#include "ui/shell/MenuViewController.h"
#include "ui/shell/NoticeBoard.h"
#include "ui/shell/PopStage.h"
#include "ui/shell/UiSetup.h"
#include "ui/staff/ChangePasswordView.h"
#include "ui/staff/ChangePwdViewController.h"
#include "ui/staff/GqFoodListView.h"
#include "ui/tables/CheckoutOrderViewController.h"
#include "ui/tables/RoomView.h"
#include "ui/tables/StyleTableViewController.h"
#include "ui/tables/TableFormController.h"

#include <QDirIterator>
#include <QFile>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>

using namespace Qt::StringLiterals;

class TestQmlFiles : public QObject {
    Q_OBJECT
private:
    static QStringList moduleViews()
    {
        QStringList views;
        QDirIterator it(u":/qt/qml/Diancai/Ui"_s, {u"*.qml"_s}, QDir::Files);
        while (it.hasNext())
            views.append(QFileInfo(it.next()).fileName());
        views.sort();
        return views;
    }

    // Initial values for the views that require them; `owner` keeps the objects alive.
    static QVariantMap requiredProperties(const QString &view, QObject *owner)
    {
        const auto obj = [](QObject *object) { return QVariant::fromValue(object); };
        const auto controller = [&obj](QObject *object) {
            return QVariantMap{{u"controller"_s, obj(object)}};
        };
        const auto props = [](const QVariantList &pairs) { // key, value, key, value...
            QVariantMap map;
            for (qsizetype i = 0; i + 1 < pairs.size(); i += 2)
                map.insert(pairs.at(i).toString(), pairs.at(i + 1));
            return map;
        };
        const auto is = [&view](std::initializer_list<QString> names) {
            return std::ranges::count(names, view) > 0;
        };
        if (is({u"ScreenPage.qml"_s}))
            return controller(new MenuViewController(owner));
        if (is({u"WindowLayers.qml"_s})) {
            auto *home = new QQuickItem;
            home->setParent(owner);
            return {{u"home"_s, obj(home)}};
        }
        if (is({u"NumberKeypad.qml"_s}))
            return {{u"keyboard"_s, obj(new NumberKeyboard(owner))}};
        if (is({u"LetterKeypad.qml"_s}))
            return {{u"keyboard"_s, obj(new NumberAndLetterKeyboard(owner))}};
        if (is({u"KeypadKey.qml"_s}))
            return {{u"keyName"_s, u"clear"_s}};
        if (is({u"NumberInputView.qml"_s}))
            return controller(new NumberInputViewController(u"数量修改"_s, u"2"_s, owner));
        if (is({u"LoginView.qml"_s, u"AccountFormView.qml"_s}))
            return controller(new LoginViewController(owner));
        if (is({u"AuthView.qml"_s}))
            return controller(new AuthViewController(u"授权"_s, owner));
        if (is({u"LogoutView.qml"_s}))
            return controller(new LogoutViewController(owner));
        if (is({u"PopFrame.qml"_s})) {
            auto *stage = new PopStage(owner);
            stage->setViewBase(UiSetup::viewUrl(QString()));
            auto *popup = new NumberInputViewController(u"价格修改"_s, u"12.5"_s, owner);
            popup->setPaddingTop(20);
            return props({u"popup"_s, obj(popup), u"view"_s, stage->viewUrl(popup), u"paddingTop"_s, 20,
                          u"stage"_s, obj(stage)});
        }
        if (is({u"GqFoodListPage.qml"_s}))
            return {{u"view"_s, obj(new GqFoodListView(owner))}};
        if (is({u"ChangePasswordPage.qml"_s}))
            return {{u"view"_s, obj(new ChangePasswordView(owner))}};
        if (is({u"ChangePwdView.qml"_s, u"KeypadFormView.qml"_s}))
            return controller(new ChangePwdViewController(owner));
        if (is({u"RoomBoard.qml"_s}))
            return {{u"view"_s, obj(new RoomView(owner))}};
        if (is({u"TableFormView.qml"_s}))
            return controller(new TableFormController(
                *TableBoard::formFor(TableBoard::ChangeTable, u"A01"_s, std::nullopt, u"001"_s), {}, owner));
        if (is({u"StyleTableView.qml"_s}))
            return controller(new StyleTableViewController(DishOperations::Hurry, u"A01"_s, owner));
        if (is({u"CheckoutOrderView.qml"_s}))
            return controller(new CheckoutOrderViewController(
                u"A01"_s,
                QList<Row2>{{u"1"_s, u"101"_s, u"宫保鸡丁"_s, {}, {}, u"2"_s, u"18.5"_s, {}, {}, {}, {}}},
                owner));
        if (is({u"ConfigPage.qml"_s, u"LockPanel.qml"_s, u"ConfigSidePanel.qml"_s}))
            return {{u"config"_s, obj(new ConfigViewController(owner))}};
        if (is({u"ChoiceGroupRow.qml"_s}))
            return props({u"config"_s, obj(new ConfigViewController(owner)), u"index"_s,
                          int(ConfigViewController::BindTable), u"title"_s, u"绑定桌台"_s, u"choices"_s,
                          QStringList{u"绑定"_s, u"不绑定"_s}, u"selected"_s, 0, u"input"_s,
                          int(ChoiceGroupModel::TableInput), u"inputVisible"_s, true});
        if (is({u"CategoryScrollView.qml"_s})) {
            auto *model = new CategoryScrollModel(owner);
            model->reloadData({u"推荐"_s, u"热菜"_s, u"凉菜"_s});
            return {{u"categories"_s, obj(model)}};
        }
        if (is({u"FoodInfoScrollView.qml"_s})) {
            auto *model = new FoodInfoScrollModel(owner);
            model->reloadData({{u"微辣"_s, u"￥2.00"_s, {}}, {u"去冰"_s, {}, u"busy"_s}});
            return {{u"tiles"_s, obj(model)}};
        }
        if (is({u"MenuDetailScreen.qml"_s}))
            return {{u"menu"_s, obj(new QObject(owner))}, {u"foodno"_s, u"101"_s}};
        // clang-format off
        if (is({u"OrderListCell.qml"_s}))
            return props({u"index"_s, 0, u"name"_s, u"水煮鱼（大份）<font color=\"red\">(已售罄)</font>"_s,
                u"category"_s, u"川湘风味"_s, u"quantity"_s, u"2"_s, u"taste"_s, u"微辣"_s, u"stateLabel"_s,
                u"等叫"_s, u"stateColor"_s, u"yellow"_s, u"price"_s, u"78.00"_s, u"isComponent"_s, false,
                u"priceActive"_s, true, u"isGift"_s, false, u"giftVisible"_s, true,
                u"controller"_s, obj(new OrderListViewController(owner))});
        // clang-format on
        if (is({u"DishCard.qml"_s}))
            return props({u"name"_s, u"宫保鸡丁<font color=\"red\">(已售罄)</font>"_s, u"price"_s,
                          u"￥ 28.00 / 份"_s, u"memberPrice"_s, u"会员 ￥ 25.00"_s, u"recommended"_s, true,
                          u"amount"_s, u"2"_s, u"amountVisible"_s, true, u"picture"_s, QUrl(),
                          u"pictureKnown"_s, true});
        if (is({u"FoodItemSizeView.qml"_s}))
            return controller(new FoodItemSizeViewController(
                Food{}, {{u"101"_s, u"大份"_s, 38}, {u"101"_s, u"例"_s, 28}}, owner));
        if (is({u"TDetailsView.qml"_s, u"SetMealRowsView.qml"_s})) {
            Food set;
            Food component;
            component.info->foodName = u"例汤"_s;
            component.suitFoodQty = 1;
            component.arrSuiteFoodsChange.append(Food{});
            set.arrSuiteFoods = {component};
            auto *details = new TDetailsViewController(set, owner);
            details->selectComponent(0);
            if (view == u"SetMealRowsView.qml"_s)
                return {{u"rows"_s, obj(details->components())}};
            return controller(details);
        }
        if (is({u"QuickTasteSetView.qml"_s})) {
            auto line = std::make_shared<FoodOrder>();
            line->foodName = u"水煮鱼"_s;
            return controller(new QuickTasteSetViewController({line}, owner));
        }
        if (is({u"TasteView.qml"_s}))
            return controller(new TasteViewController(nullptr, owner));
        if (is({u"TableChooseView.qml"_s}))
            return controller(new TableChooseViewController(std::make_shared<OrderPack>(), owner));
        if (is({u"TableTile.qml"_s}))
            return props({u"number"_s, u"4人 ￥120.00"_s, u"name"_s, u"大厅1号"_s, u"second"_s, u"A01"_s,
                          u"inUse"_s, true, u"selected"_s, false});
        if (is({u"GuaDanView.qml"_s}))
            return controller(new GuaDanViewController(owner));
        if (is({u"OutboxView.qml"_s}))
            return controller(new OutboxViewController(owner));
        if (is({u"SearchView.qml"_s}))
            return controller(new SearchViewController(owner));
        if (is({u"DishSearchBox.qml"_s}))
            return {{u"field"_s, obj(new DishSearchField(false, owner))}};
        if (is({u"TempFoodView.qml"_s}))
            return controller(new TempFoodViewController(owner));
        return {};
    }

    static void setDark(bool dark)
    {
        ConfigManager::defaultManager().setIsDarkBackground(dark);
        Appearance::instance().refresh();
    }

private slots:
    void initTestCase() { UiTest::startRecording(); }

    void cleanup()
    {
        // Each case checks its own warnings; a failed one must not spill into the next.
        UiTest::takeWarnings();
        setDark(false);
        NoticeBoard::instance().clear();
    }

    // The check below is only as good as the warning recorder.
    void brokenBindingsAreCaught()
    {
        auto engine = UiTest::makeEngine();
        QQmlComponent broken(engine.get());
        broken.setData("import QtQuick\nItem { property int n: undefinedThing.count }\n",
                       QUrl(u"qrc:/broken.qml"_s));
        std::unique_ptr<QObject> object(broken.create());
        QVERIFY(object);
        QVERIFY(!UiTest::takeWarnings().isEmpty());

        QQuickWindow window;
        QVERIFY(!UiTest::createItem(*engine, window, u"NumberKeypad.qml"_s));
        const QStringList missing = UiTest::takeWarnings();
        QVERIFY2(missing.join(u'\n').contains(u"keyboard"_s), qPrintable(missing.join(u'\n')));
        // And the table below is only as good as the list of views.
        QVERIFY(moduleViews().contains(u"Main.qml"_s));
        QVERIFY(moduleViews().size() >= 20);
    }

    void everyViewLoadsWithoutWarnings_data()
    {
        columns<QString, bool>("view", "dark");
        for (const QString &view : moduleViews()) {
            QTest::addRow("%s light", qPrintable(view)) << view << false;
            QTest::addRow("%s dark", qPrintable(view)) << view << true;
        }
    }

    void everyViewLoadsWithoutWarnings()
    {
        const auto [view, dark] = row<QString, bool>("view", "dark");
        setDark(dark);
        // Something for the notice views to draw.
        NoticeBoard::instance().showError(u"网络超时"_s);
        NoticeBoard::instance().showProgress(u"正在检测主档更新..."_s);
        NoticeBoard::instance().confirm(u"提示"_s, u"确定要删除吗？"_s, u"取消"_s, u"确定"_s, {});

        auto engine = UiTest::makeEngine();
        QFile file(u":/qt/qml/Diancai/Ui/"_s + view);
        if (file.open(QIODevice::ReadOnly) &&
            file.readLine().startsWith("pragma Singleton")) { // used, not built
            const QString name = view.chopped(4);
            QQmlComponent user(engine.get());
            user.setData("import QtQuick\nimport Diancai.Ui\nQtObject { property var used: " + name.toUtf8() +
                             " }\n",
                         QUrl(u"qrc:/singleton-user.qml"_s));
            std::unique_ptr<QObject> object(user.create());
            QVERIFY2(object, qPrintable(user.errorString()));
            QVERIFY(object->property("used").value<QObject *>());
        } else if (view == u"Main.qml"_s) {
            QQmlComponent component(engine.get(), UiSetup::viewUrl(view));
            std::unique_ptr<QObject> object(component.create());
            QVERIFY2(object, qPrintable(component.errorString()));
            auto *window = qobject_cast<QQuickWindow *>(object.get());
            QVERIFY(window);
            QVERIFY(QTest::qWaitForWindowExposed(window));
            QVERIFY(UiTest::waitForFrame(*window));
            // The layers over the home screen load after its first frame.
            QQuickItem *layers = UiTest::findItem(window->contentItem(), u"windowLayers"_s);
            QVERIFY(layers);
            QTRY_COMPARE(layers->property("status").toInt(), 1); // Loader.Ready
            QVERIFY(UiTest::findItem(window->contentItem(), u"screenStack"_s));
        } else {
            QQuickWindow window;
            window.resize(1024, 768);
            QObject owner;
            QQuickItem *item = UiTest::createItem(*engine, window, view, requiredProperties(view, &owner));
            QVERIFY2(item, qPrintable(UiTest::takeWarnings().join(u'\n')));
            if (item->width() <= 0)
                item->setSize(QSizeF(1024, 748));
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            QVERIFY(UiTest::waitForFrame(window));
            // Let first animations run a step.
            QTest::qWait(50);
            delete item;
        }
        const QStringList warnings = UiTest::takeWarnings();
        QVERIFY2(warnings.isEmpty(), qPrintable(warnings.join(u'\n')));
    }
};

DIANCAI_UI_TEST_MAIN(TestQmlFiles)
#include "tst_qmlfiles.moc"
