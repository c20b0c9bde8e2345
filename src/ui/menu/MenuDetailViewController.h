#pragma once

#include "MenuViewController.h"
#include "catalogue/Food.h"

#include <QList>
#include <QPointer>
#include <QString>
#include <QUrl>

class MainViewController;

// The big-picture screen: one dish of the menu's detail sequence at a time, with its picture,
// name, price, ordered amount and description. Swiping steps through the sequence; at either end
// it stays and says so ("已到达最后", "已到达最前"). The view sets `menu` and `foodno` when it
// builds the screen; the dish shown is the first of the sequence with that number (the last one
// when none has it).
class MenuDetailViewController : public MenuViewController {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QObject *menu READ menu WRITE setMenu NOTIFY dishChanged)
    Q_PROPERTY(QString foodno READ foodno WRITE setFoodno NOTIFY dishChanged)
    Q_PROPERTY(int currentIndex READ currentIndex NOTIFY dishChanged)
    Q_PROPERTY(int count READ count NOTIFY dishChanged)
    Q_PROPERTY(QString name READ name NOTIFY dishChanged)
    Q_PROPERTY(QString price READ price NOTIFY dishChanged)
    Q_PROPERTY(QString remark READ remark NOTIFY dishChanged)
    Q_PROPERTY(QUrl picture READ picture NOTIFY dishChanged)
    Q_PROPERTY(QString amount READ amount NOTIFY amountChanged)
    Q_PROPERTY(bool panelVisible READ panelVisible NOTIFY panelVisibleChanged)
public:
    explicit MenuDetailViewController(QObject *parent = nullptr);

    QObject *menu() const;
    void setMenu(QObject *menu);
    QString foodno() const;
    void setFoodno(const QString &foodno);
    // Tests and other screens give the sequence directly.
    void setSequence(const QList<Food> &sequence, const QString &foodno);

    int currentIndex() const { return index_; }
    int count() const { return int(sequence_.size()); }
    QString name() const;
    QString price() const;
    QString remark() const;
    QUrl picture() const;
    QString amount() const { return amount_; }
    bool panelVisible() const { return panelVisible_; }

    // A swipe to the left: the next dish, sliding in from the right.
    Q_INVOKABLE void nextFood();
    // A swipe to the right: the previous dish, sliding in from the left.
    Q_INVOKABLE void prevFood();
    Q_INVOKABLE void addFood();
    Q_INVOKABLE void delFood();
    Q_INVOKABLE void togglePanel();

signals:
    void dishChanged();
    void amountChanged();
    void panelVisibleChanged();
    // The view slides the new dish in: +1 from the right (next), -1 from the left (previous).
    void slide(int direction);

protected:
    void loadView() override;

private:
    const Food *current() const;
    void show(int index);

    QPointer<MainViewController> menu_;
    QString startFoodno_;
    QList<Food> sequence_;
    int index_ = -1;
    QString amount_;
    bool panelVisible_ = true;
};
