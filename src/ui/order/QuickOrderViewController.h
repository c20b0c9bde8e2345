#pragma once

#include "DishRowsModel.h"
#include "DishSearchField.h"
#include "MenuViewController.h"
#include "catalogue/CatalogueRecords.h"
#include "catalogue/Food.h"

#include <QList>
#include <QString>
#include <QUrl>
#include <QtQml/qqmlregistration.h>

// The quick-order screen: the dishes matching the typed key in sections by small category, each
// row with its price ("￥%.2f / unit"), ordered amount, "+" and "−", and a panel with the picture,
// name and description of the dish last chosen. The first row is chosen at opening. When any
// pop-up closes, the search text is selected again.
class QuickOrderViewController : public MenuViewController {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(DishSearchField *field READ field CONSTANT)
    Q_PROPERTY(DishRowsModel *dishes READ dishes CONSTANT)
    Q_PROPERTY(QString panelName READ panelName NOTIFY panelChanged)
    Q_PROPERTY(QString panelRemark READ panelRemark NOTIFY panelChanged)
    Q_PROPERTY(QUrl panelPicture READ panelPicture NOTIFY panelChanged)
    Q_PROPERTY(QUrl background READ background CONSTANT)
public:
    explicit QuickOrderViewController(QObject *parent = nullptr);

    DishSearchField *field() { return &field_; }
    DishRowsModel *dishes() { return &rows_; }
    QString panelName() const { return panelName_; }
    QString panelRemark() const { return panelRemark_; }
    QUrl panelPicture() const { return panelPicture_; }
    QUrl background() const { return background_; }

    Q_INVOKABLE void selectRow(int row);
    Q_INVOKABLE void add(int row);
    Q_INVOKABLE void remove(int row);

signals:
    void panelChanged();

protected:
    void loadView() override;
    void keyboardCose() override;

private:
    void search();
    void showExtraInfo(int row);

    QList<FoodSmallCatInfo> arrSmallCat_;
    QList<Food> arrFood_;
    DishSearchField field_{true};
    DishRowsModel rows_;
    QString panelName_;
    QString panelRemark_;
    QUrl panelPicture_;
    QUrl background_;
};
