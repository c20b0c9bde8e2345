#pragma once

#include "NumberInputViewController.h"
#include "order/FoodOrder.h"

#include <memory>

// The number editors the order list opens: an order line's quantity ("数量修改") and price
// ("价格修改"), and the order's guest count ("请输入用餐人数"). They share the number pop-up and
// read their fields with CommonUtils::editedNumber, so "." or "1..2" is never taken for a number.

// The largest quantity or price an editor takes: anything above is a slip of the finger.
inline constexpr float kMaxEditedNumber = 99999;

// Quantity: "请输入正确数量" for a text that is not a number (or is beyond reason), "数量不能为0"
// for 0 or less; otherwise the line takes the quantity through OrderManager, which also refreshes
// the dish's ordered amount.
class SaleQtyChangeViewController : public NumberInputViewController {
    Q_OBJECT
public:
    explicit SaleQtyChangeViewController(const std::shared_ptr<FoodOrder> &line, QObject *parent = nullptr);
    void confirm() override;

private:
    std::shared_ptr<FoodOrder> line_;
};

// Price: "请输入正确的金额" for a text that is not a number (or is beyond reason), "销售价格需要大于零！"
// for 0 or less; otherwise the line's `salePrice1`.
class SalePriceChangeViewController : public NumberInputViewController {
    Q_OBJECT
public:
    explicit SalePriceChangeViewController(const std::shared_ptr<FoodOrder> &line, QObject *parent = nullptr);
    void confirm() override;

private:
    std::shared_ptr<FoodOrder> line_;
};

// Guest count: "请输入正确数量" for a text that is not a number; otherwise the pack's `CustCount`
// becomes the text as typed ("0" included) and the base confirmation is posted for the order list.
// It starts with the pack's count, "0" when there is none.
class CusNumChangeViewController : public NumberInputViewController {
    Q_OBJECT
public:
    explicit CusNumChangeViewController(QObject *parent = nullptr);
    void confirm() override;
};
