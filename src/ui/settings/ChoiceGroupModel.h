#pragma once

#include <QAbstractListModel>
#include <QList>
#include <QStringList>
#include <QtQml/qqmlregistration.h>

// The option groups of the settings page, top to bottom. Roles:
// - `title`: the group's title; `choices`: its choices (both as shown);
// - `selected`: the index of the chosen choice;
// - `input`: the extra input the group carries (ChoiceGroupModel::Input), shown only while its
//   first choice is chosen (`inputVisible`).
class ChoiceGroupModel : public QAbstractListModel {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("owned by the settings page")
public:
    enum Role { TitleRole = Qt::UserRole + 1, ChoicesRole, SelectedRole, InputRole, InputVisibleRole };
    enum Input { NoInput, IntervalInput, TableInput };
    Q_ENUM(Input)

    struct Group {
        QString title;
        QStringList choices;
        int selected = 0;
        Input input = NoInput;
    };

    using QAbstractListModel::QAbstractListModel;

    void setGroups(QList<Group> groups);
    // New texts for the same groups; the choices stay.
    void setTexts(int row, const QString &title, const QStringList &choices);
    void setSelected(int row, int choice);
    int selected(int row) const { return groups_.value(row).selected; }
    const QList<Group> &groups() const { return groups_; }

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

private:
    QList<Group> groups_;
};
