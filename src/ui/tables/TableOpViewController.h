#pragma once

#include "MenuViewController.h"

class RoomView;
Q_MOC_INCLUDE("RoomView.h")

// The table-operation screen that the order list opens: the login bar without its button, the table
// board (built and set up when the screen loads) and the back button (the close sound, then back).
class TableOpViewController : public MenuViewController {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(RoomView *roomView READ roomView NOTIFY roomViewChanged)
    Q_PROPERTY(QString backText READ backText NOTIFY captionsChanged)
public:
    explicit TableOpViewController(QObject *parent = nullptr);

    RoomView *roomView() const { return roomView_; }
    QString backText() const { return backText_; }

signals:
    void roomViewChanged();
    void captionsChanged();

protected:
    void initLanguage() override;
    void loadView() override;

private:
    RoomView *roomView_ = nullptr;
    QString backText_;
};
