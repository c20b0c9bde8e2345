#pragma once

#include "DishRowsModel.h"
#include "DishSearchField.h"
#include "catalogue/Food.h"
#include "toolkit/PopRootViewController.h"

#include <QList>
#include <QtQml/qqmlregistration.h>

// The dish search pop-up ("菜品查询"): the dishes whose number, name or mnemonic holds the typed
// key, each with its ordered amount and "+" / "−". Opened from the order list it posts
// "kUpdateOrderList" after each change (`shouldReloadOrderList`). When a pop-up above it closes and
// it is in front again, the search text is selected.
class SearchViewController : public PopRootViewController {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("opened through PopViewManager")
    Q_CLASSINFO("PopView", "SearchView")
    Q_PROPERTY(DishSearchField *field READ field CONSTANT)
    Q_PROPERTY(DishRowsModel *dishes READ dishes CONSTANT)
    Q_PROPERTY(bool shouldReloadOrderList READ shouldReloadOrderList WRITE setShouldReloadOrderList)
public:
    explicit SearchViewController(QObject *parent = nullptr);

    DishSearchField *field() { return &field_; }
    DishRowsModel *dishes() { return &rows_; }
    bool shouldReloadOrderList() const { return shouldReloadOrderList_; }
    void setShouldReloadOrderList(bool reload) { shouldReloadOrderList_ = reload; }

    Q_INVOKABLE void add(int row);
    Q_INVOKABLE void remove(int row);
    Q_INVOKABLE void close();
    void endEditing() override { field_.endEditing(); }

private:
    void search();

    QList<Food> arrFood_;
    bool shouldReloadOrderList_ = false;
    DishSearchField field_{false};
    DishRowsModel rows_;
};
