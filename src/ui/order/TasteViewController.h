#pragma once

#include "TastePicker.h"
#include "order/FoodOrder.h"
#include "toolkit/PopRootViewController.h"

#include <QString>
#include <QtQml/qqmlregistration.h>

#include <memory>

// The taste editor. In its line form (style "P") it edits one order line's tastes, titled with the
// dish's name and offering the dish's bound tastes first; in its pack form (style "B", "整单备注")
// it edits the whole order's remarks and has no surcharge field. The picker's chosen list is a
// working copy: "确定" writes it to the target through OrderManager, "取消" drops it.
class TasteViewController : public PopRootViewController {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("opened through PopViewManager")
    Q_CLASSINFO("PopView", "TasteView")
    Q_PROPERTY(QString title READ title NOTIFY titleChanged)
    Q_PROPERTY(bool packForm READ isPackForm CONSTANT)
    Q_PROPERTY(TastePicker *picker READ picker CONSTANT)
public:
    using Line = std::shared_ptr<FoodOrder>;

    // The line form; a null line gives the pack form.
    explicit TasteViewController(const Line &line, QObject *parent = nullptr);

    QString title() const { return title_; }
    bool isPackForm() const { return !line_; }
    TastePicker *picker() { return &picker_; }

    void initLanguage() override;

    Q_INVOKABLE void confirm();
    Q_INVOKABLE void cancel();

signals:
    void titleChanged();

private:
    Line line_;
    QString title_;
    TastePicker picker_;
};
