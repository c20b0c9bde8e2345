#include "CheckoutOrderViewController.h"

#include "dining/DiningRoom.h"
#include "services/Services.h"
#include "settings/LanguageManager.h"
#include "toolkit/PopViewManager.h"

#include <QJSEngine>

using namespace Qt::StringLiterals;

int BillModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(lines_.size());
}

QVariant BillModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const DishOperations::BillLine &line = lines_.at(index.row());
    switch (role) {
    case PlunoRole:
        return line.pluno;
    case PluNameRole:
        return line.pluName;
    case SaleQtyRole:
        return line.saleQty;
    case SalePriceRole:
        return line.SalePrice;
    case AmountRole:
        return line.amount;
    default:
        return {};
    }
}

QHash<int, QByteArray> BillModel::roleNames() const
{
    return {{PlunoRole, "pluno"},
            {PluNameRole, "pluName"},
            {SaleQtyRole, "saleQty"},
            {SalePriceRole, "salePrice"},
            {AmountRole, "amount"}};
}

void BillModel::setLines(const QList<DishOperations::BillLine> &lines)
{
    beginResetModel();
    lines_ = lines;
    endResetModel();
}

CheckoutOrderViewController::CheckoutOrderViewController(const QString &tableno, const QList<Row2> &data,
                                                         QObject *parent)
    : PopRootViewController(parent), tableno_(tableno)
{
    QJSEngine::setObjectOwnership(&model_, QJSEngine::CppOwnership);
    initLanguage();
    showLines(data);
}

void CheckoutOrderViewController::openForTable(QObject *owner, const QString &tableno)
{
    Services::installed().dining->readSaleList(owner, tableno, false, DiningRoom::Shown::Everything,
                                               [tableno](const std::optional<QList<Row2>> &lines) {
                                                   if (lines)
                                                       PopViewManager::defaultManager().popController(
                                                           new CheckoutOrderViewController(tableno, *lines));
                                               });
}

void CheckoutOrderViewController::initLanguage()
{
    const LanguageManager &language = LanguageManager::defaultManager();
    title_ = language.readString(u"桌台消费账单"_s);
    headings_.clear();
    for (const QString &key : {u"商品编号"_s, u"商品名称"_s, u"数量"_s, u"单价"_s, u"总价"_s})
        headings_.append(language.readString(key));
    closeText_ = language.readString(u"关 闭"_s);
    printText_ = language.readString(u"打印账单"_s);
    emit captionsChanged();
    totalText_ = DishOperations::billTotalText(DishOperations::billTotal(arrData_));
    emit totalChanged();
}

void CheckoutOrderViewController::showLines(const QList<Row2> &data)
{
    arrData_ = data;
    model_.setLines(DishOperations::billLines(arrData_));
    totalText_ = DishOperations::billTotalText(DishOperations::billTotal(arrData_));
    emit totalChanged();
}

void CheckoutOrderViewController::print()
{
    if (isDismissing() || printing_)
        return;
    printing_ = true;
    Services::installed().dining->printBill(this, tableno_, [this](DiningRoom::Result result) {
        printing_ = false;
        if (result == DiningRoom::Result::Accepted)
            close();
    });
}

void CheckoutOrderViewController::close()
{
    if (!isDismissing())
        dismissSelf();
}
