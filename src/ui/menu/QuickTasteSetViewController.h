#pragma once

#include "TastePicker.h"
#include "order/FoodOrder.h"
#include "toolkit/PopRootViewController.h"

#include <QList>
#include <QStringList>
#include <QtQml/qqmlregistration.h>

#include <memory>

// The quick taste setter, opened when newly added dishes have bound cooking methods. It lists the
// waiting lines; for the selected one the picker offers the tastes of style "P" (its bound tastes
// first). Every change of the chosen tastes is written to the line at once. "关 闭" lets the
// waiting lines join the order: there is no cancel.
class QuickTasteSetViewController : public PopRootViewController {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("opened through PopViewManager")
    Q_CLASSINFO("PopView", "QuickTasteSetView")
    Q_PROPERTY(QStringList lineNames READ lineNames CONSTANT)
    Q_PROPERTY(int selectedLine READ selectedLine NOTIFY selectedLineChanged)
    Q_PROPERTY(TastePicker *picker READ picker CONSTANT)
public:
    using Line = std::shared_ptr<FoodOrder>;

    explicit QuickTasteSetViewController(const QList<Line> &lines, QObject *parent = nullptr);

    QStringList lineNames() const;
    int selectedLine() const { return selectedLine_; }
    TastePicker *picker() { return &picker_; }

    Q_INVOKABLE void selectLine(int index);
    // "关 闭": the waiting lines join the order.
    Q_INVOKABLE void confirm();

signals:
    void selectedLineChanged();

private:
    QList<Line> lines_;
    int selectedLine_ = -1;
    TastePicker picker_;
};
