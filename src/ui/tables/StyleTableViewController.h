#pragma once

#include "KeypadFields.h"
#include "StyleTableModels.h"

#include "dining/DishOperations.h"
#include "services/Services.h"
#include "toolkit/PopRootViewController.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QtQml/qqmlregistration.h>

// The dish-operation dialog of one table: hurry (催菜), release (起菜), return (退菜) or weigh (称重).
// Entries on the left (by table, big category, small category, dish; or the table, the dish, the
// quantity and the return reason); on the right the candidates of the selected entry, narrowed by
// a search typed on the letter-and-digit keypad (number, name, and a dish's mnemonic letters; any
// letter case). The quantity entry has its own field on the numeric keypad.
//
// The dishes are the lines the table has ordered, asked of the server once per selection of the
// dish entry (return and weigh start on it; weighing lists only the lines waiting for a weight).
// A sale list that answers after the dialog closed, or after another entry was chosen, is dropped.
//
// "确定" checks the selection (hurry and release: the selected entry's own value; return and weigh:
// every entry, the quantity a whole positive number) and hands it, closing, to the board that
// opened the dialog (confirmed()): the selected entry for hurry and release, the whole list for
// return and weigh. A refusal is an error notice and the dialog stays.
class StyleTableViewController : public PopRootViewController {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("opened by the table board")
    Q_CLASSINFO("PopView", "StyleTableView")
    Q_PROPERTY(QString title READ title NOTIFY captionsChanged)
    Q_PROPERTY(QString confirmText READ confirmText NOTIFY captionsChanged)
    Q_PROPERTY(QString cancelText READ cancelText NOTIFY captionsChanged)
    Q_PROPERTY(QStringList columnTitles READ columnTitles NOTIFY columnTitlesChanged)
    Q_PROPERTY(int selectedEntry READ selectedEntry NOTIFY selectedEntryChanged)
    Q_PROPERTY(LeftMenuModel *entries READ entries CONSTANT)
    Q_PROPERTY(CandidateModel *candidates READ candidates CONSTANT)
    Q_PROPERTY(KeypadFields *fields READ fields CONSTANT)
public:
    // The fields fed by keypads.
    enum Field { SearchField = 0, AmountField = 1 };
    Q_ENUM(Field)

    StyleTableViewController(int operation, const QString &tableno, QObject *parent = nullptr);

    int tableFoodOp() const { return operation_; }
    QString tableno() const { return tableno_; }
    QString title() const { return title_; }
    QString confirmText() const { return confirmText_; }
    QString cancelText() const { return cancelText_; }
    QStringList columnTitles() const { return columnTitles_; }
    int selectedEntry() const { return selected_; }
    LeftMenuModel *entries() { return &entries_; }
    CandidateModel *candidates() { return &candidates_; }
    KeypadFields *fields() { return &fields_; }
    // Every candidate of the selected entry, before the search.
    const QList<Candidate> &arrRightData() const { return arrRightData_; }

    Q_INVOKABLE void selectEntry(int row);
    Q_INVOKABLE void pickCandidate(int row);
    // Texts typed on a physical keyboard.
    Q_INVOKABLE void typeText(int field, const QString &text);
    Q_INVOKABLE void confirm();
    Q_INVOKABLE void cancel();

    void initLanguage() override;
    void endEditing() override { fields_.endEditing(); }

signals:
    void confirmed(int operation, const QList<LeftMenu> &selection);
    void captionsChanged();
    void columnTitlesChanged();
    void selectedEntryChanged();

private:
    void loadCandidates(int style);
    void loadSaleList();
    void saleListArrived(const QList<Row2> &lines);
    void filterWithKey(const QString &key);
    void fieldsEdited();
    void setColumnTitles(const QStringList &keys);

    const Services &services_;
    int operation_;
    QString tableno_;
    QString title_;
    QString confirmText_;
    QString cancelText_;
    QString searchKey_;
    QStringList columnKeys_;
    QStringList columnTitles_;
    int selected_ = -1;
    // Counts the sale-list requests; a reply answers only the latest.
    int saleListRequest_ = 0;
    LeftMenuModel entries_;
    CandidateModel candidates_;
    KeypadFields fields_;
    QList<Candidate> arrRightData_;
};
