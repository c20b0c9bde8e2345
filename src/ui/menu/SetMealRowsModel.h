#pragma once

#include <QAbstractListModel>
#include <QList>
#include <QString>
#include <QUrl>
#include <QtQml/qqmlregistration.h>

// A list of the set-meal details: its components, or the alternatives of the selected one.
//
// Roles:
//   "foodno"    (FoodnoRole, QString)   the dish number;
//   "name"      (NameRole, QString)     the styled name as rich text, sold-out mark included;
//   "detail"    (DetailRole, QString)   the quantity ("%.2f") or the surcharge ("加价￥%.2f");
//   "changeable"(ChangeableRole, bool)  a component with alternatives (the "换" mark);
//   "picture"   (PictureRole, QUrl)     the dish's menu thumbnail, empty until the thumbnail task
//                                       answers; the missing-picture image when it found none;
//   "selected"  (SelectedRole, bool)    the selected row.
class SetMealRowsModel : public QAbstractListModel {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("owned by the set-meal details")
    Q_PROPERTY(int selectedIndex READ selectedIndex NOTIFY selectionChanged)
public:
    enum Roles {
        FoodnoRole = Qt::UserRole + 1,
        NameRole,
        DetailRole,
        ChangeableRole,
        PictureRole,
        SelectedRole
    };

    struct Row {
        QString foodno;
        QString name;
        QString detail;
        bool changeable = false;
    };

    explicit SetMealRowsModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    // Rebuilds the rows; a selected index outside them selects nothing. Pictures made so far stay.
    void reload(const QList<Row> &rows, int selected = -1);
    int selectedIndex() const { return selected_; }
    void select(int index);
    // The thumbnail task's answer for the dish; an empty one means it has no picture.
    void setPicture(const QString &foodno, const QUrl &picture);
    // The small missing-picture image, as the dish cards show it.
    static QUrl lostPicture();

signals:
    void selectionChanged();

private:
    QList<Row> rows_;
    QHash<QString, QUrl> pictures_;
    int selected_ = -1;
};
