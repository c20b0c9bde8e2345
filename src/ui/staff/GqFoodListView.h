#pragma once

#include <QAbstractListModel>
#include <QList>
#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

struct Row3;

// The dishes of the server's sold-out list, in reply order, whatever their remaining quantity.
// Roles: `foodno`, `foodName`, `leftQty` (the texts as received; empty when absent).
class GqFoodListModel : public QAbstractListModel {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("owned by the sold-out page")
public:
    enum Role { FoodnoRole = Qt::UserRole + 1, FoodNameRole, LeftQtyRole };

    using QAbstractListModel::QAbstractListModel;

    void setRows(const QList<Row3> &rows);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

private:
    struct Line {
        QString foodno;
        QString foodName;
        QString leftQty;
    };
    QList<Line> rows_;
};

// The sold-out page of the staff screen: the headings and the list that each setup() asks the
// server for. A refusal shows the server's message; an unreadable reply changes nothing.
class GqFoodListView : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QStringList headings READ headings NOTIFY headingsChanged)
    Q_PROPERTY(GqFoodListModel *model READ model CONSTANT)
public:
    explicit GqFoodListView(QObject *parent = nullptr);

    QStringList headings() const { return headings_; }
    GqFoodListModel *model() { return &model_; }

    Q_INVOKABLE void setup();

signals:
    void headingsChanged();

private:
    void initLanguage();

    QStringList headings_;
    GqFoodListModel model_;
};
