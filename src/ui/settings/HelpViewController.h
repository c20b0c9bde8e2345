#pragma once

#include "MenuViewController.h"

#include <QVariantList>

// The help screen that the settings page opens: how to set a terminal up (server address and
// port, table binding, data update), the access code of the settings page, and what each setting
// does, in the current language.
class HelpViewController : public MenuViewController {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QString title READ title NOTIFY captionsChanged)
    Q_PROPERTY(QString backText READ backText NOTIFY captionsChanged)
    // One entry per section: {"title": ..., "body": ...}.
    Q_PROPERTY(QVariantList sections READ sections NOTIFY captionsChanged)
public:
    explicit HelpViewController(QObject *parent = nullptr);

    QString title() const { return title_; }
    QString backText() const { return backText_; }
    QVariantList sections() const { return sections_; }

signals:
    void captionsChanged();

protected:
    void initLanguage() override;

private:
    QString title_;
    QString backText_;
    QVariantList sections_;
};
