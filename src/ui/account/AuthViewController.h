#pragma once

#include "AccountFormController.h"
#include "services/Services.h"

#include <memory>

struct FoodOrder;

// The gift authorisation dialog: an operator with gift authority approves giving away an order
// line. The staff service checks the operator against the base data on the device, in this
// order: both fields filled ("用户名或密码不能为空"), opened for a gift at all, operator known and
// password right ("用户名或密码错误"), gift authority ("没有权限"). On success the line's gift mark
// flips through the order manager, a gift carrying the operator's number as `authID`;
// "kZengSongAuthSuccess" is posted with the line's row (`idxPath`) and the dialog closes. Closing
// it otherwise leaves the line as it was.
class AuthViewController : public AccountFormController {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("opened by the order list")
    Q_CLASSINFO("PopView", "AuthView")
    Q_PROPERTY(int idxPath READ idxPath WRITE setIdxPath NOTIFY idxPathChanged)
    Q_PROPERTY(bool isZengSongMode READ isZengSongMode WRITE setIsZengSongMode NOTIFY isZengSongModeChanged)
public:
    // `titleKey` is the Chinese title chosen by the opener ("授权").
    explicit AuthViewController(const QString &titleKey = QString(), QObject *parent = nullptr);

    std::shared_ptr<FoodOrder> foodOrder() const { return foodOrder_; }
    void setFoodOrder(std::shared_ptr<FoodOrder> line) { foodOrder_ = std::move(line); }
    int idxPath() const { return idxPath_; }
    void setIdxPath(int row);
    bool isZengSongMode() const { return isZengSongMode_; }
    void setIsZengSongMode(bool on);

signals:
    void idxPathChanged();
    void isZengSongModeChanged();

protected:
    void submit() override;

private:
    const Services &services_;
    std::shared_ptr<FoodOrder> foodOrder_;
    int idxPath_ = -1;
    bool isZengSongMode_ = false;
};
