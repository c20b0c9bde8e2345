#pragma once

#include "dining/DishOperations.h"
#include "toolkit/PopRootViewController.h"

#include <QAbstractListModel>
#include <QList>
#include <QStringList>
#include <QtQml/qqmlregistration.h>

#include <optional>

// The lines of a bill, in list order.
// Roles: "pluno", "pluName", "saleQty", "salePrice" (the texts as received) and "amount" ("%.2f" of
// quantity x price).
class BillModel : public QAbstractListModel {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("owned by the bill view")
public:
    enum Roles { PlunoRole = Qt::UserRole + 1, PluNameRole, SaleQtyRole, SalePriceRole, AmountRole };

    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    const QList<DishOperations::BillLine> &lines() const { return lines_; }
    void setLines(const QList<DishOperations::BillLine> &lines);

private:
    QList<DishOperations::BillLine> lines_;
};

// The bill of a table ("桌台消费账单"): its sale lines, each with its amount, and the total
// ("总计：67.00"). It opens only with the lines the server gave (openForTable(), or by name with
// the table number and the lines): a refused or failed request shows its notice and no bill, never
// an empty one.
//
// "打印账单" asks the server to print the bill ("PrintDeskBill") itself, once per tap, whoever
// opened it; the server's acceptance closes the view, a refusal keeps it open with the message.
class CheckoutOrderViewController : public PopRootViewController {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("opened by the table board or by name")
    Q_CLASSINFO("PopView", "CheckoutOrderView")
    Q_PROPERTY(QString title READ title NOTIFY captionsChanged)
    Q_PROPERTY(QStringList headings READ headings NOTIFY captionsChanged)
    Q_PROPERTY(QString closeText READ closeText NOTIFY captionsChanged)
    Q_PROPERTY(QString printText READ printText NOTIFY captionsChanged)
    Q_PROPERTY(QString totalText READ totalText NOTIFY totalChanged)
    Q_PROPERTY(BillModel *lines READ lines CONSTANT)
public:
    CheckoutOrderViewController(const QString &tableno, const QList<Row2> &data, QObject *parent = nullptr);

    // Asks the server for the table's sale list and opens the bill with it once accepted; a refusal
    // or failure is shown instead. A reply after `owner` (the asking screen) is gone opens nothing.
    static void openForTable(QObject *owner, const QString &tableno);

    QString tableno() const { return tableno_; }
    QString title() const { return title_; }
    QStringList headings() const { return headings_; }
    QString closeText() const { return closeText_; }
    QString printText() const { return printText_; }
    QString totalText() const { return totalText_; }
    BillModel *lines() { return &model_; }

    Q_INVOKABLE void print();
    Q_INVOKABLE void close();

    void initLanguage() override;

signals:
    void captionsChanged();
    void totalChanged();

private:
    void showLines(const QList<Row2> &data);

    QString tableno_;
    QList<Row2> arrData_;
    QString title_;
    QStringList headings_;
    QString closeText_;
    QString printText_;
    QString totalText_;
    bool printing_ = false;
    BillModel model_;
};
