#pragma once

#include "ChoiceGroupModel.h"

#include "KeypadFields.h"
#include "services/Services.h"

#include <QDate>
#include <QObject>
#include <QStringList>
#include <QTimer>
#include <QtQml/qqmlregistration.h>

#include <functional>

class SoundManager;

// The settings page of the staff screen (ConfigView): fifteen option groups, the typed fields
// (server address and port, terminal number, timeout, sold-out interval, bound table), the
// background-music list, save, help, and updating or deleting the base data.
//
// The page opens locked: only the day's access code (AccessCode, from the injected clock, read
// when the code is checked) opens it; a wrong code is cleared. Once open it stays open while the
// staff screen that owns it lives (another page, the help screen and back), until the operator logs
// out or five minutes pass without a tap on it: a tablet left on it must not stay open to guests.
//
// A tap on a choice takes effect at once in the in-memory settings (SettingsChoices), also on the
// chosen one (a second "播放" restarts the music). The grid mode is stored at once, and so is the
// table-status refresh, alone under its own key. Everything typed is applied only by save(), which checks all
// fields first (SettingsForm) and then applies, loads the language and writes the settings in one
// step; a refused save changes nothing. After a save the reachability check follows the new
// address, a running sold-out poller restarts with the new interval (or stops), and the colours
// follow the theme.
class ConfigViewController : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("created by the staff screen")
    Q_PROPERTY(bool locked READ isLocked NOTIFY lockedChanged)
    Q_PROPERTY(ChoiceGroupModel *groups READ groups CONSTANT)
    Q_PROPERTY(KeypadFields *fields READ fields CONSTANT)
    Q_PROPERTY(KeypadFields *lockField READ lockField CONSTANT)
    Q_PROPERTY(QStringList arrMusic READ arrMusic NOTIFY musicChanged)
    Q_PROPERTY(int selectedMusic READ selectedMusic NOTIFY musicChanged)
    Q_PROPERTY(QStringList fieldLabels READ fieldLabels NOTIFY captionsChanged)
    Q_PROPERTY(QString intervalPlaceholder READ intervalPlaceholder NOTIFY captionsChanged)
    Q_PROPERTY(QString musicLabel READ musicLabel NOTIFY captionsChanged)
    Q_PROPERTY(QString lockLabel READ lockLabel NOTIFY captionsChanged)
    Q_PROPERTY(QString unlockText READ unlockText NOTIFY captionsChanged)
    Q_PROPERTY(QString saveText READ saveText NOTIFY captionsChanged)
    Q_PROPERTY(QString helpText READ helpText NOTIFY captionsChanged)
    Q_PROPERTY(QString updateText READ updateText NOTIFY captionsChanged)
    Q_PROPERTY(QString deleteText READ deleteText NOTIFY captionsChanged)
public:
    // The rows of `groups`, top to bottom.
    enum Group {
        TaiHaoShuru,
        ShowAmount,
        LogoutAfterSend,
        Silent,
        RefreshTableStatus,
        Layout,
        PrintState,
        Language,
        BgMusic,
        CusMode,
        AutoRefreshSoldOut,
        TuiJian,
        DarkBackground,
        OrderListStatus,
        BindTable,
        GroupCount
    };
    Q_ENUM(Group)
    // The entries of `fields`.
    enum Field { IpField, PortField, PosNumField, TimeoutField, IntervalField, TableField, FieldCount };
    Q_ENUM(Field)

    using Clock = std::function<QDate()>;
    // Milliseconds of a clock that only moves forward.
    using Ticks = std::function<qint64()>;

    static constexpr qint64 kIdleLockMs = 5 * 60 * 1000;

    explicit ConfigViewController(QObject *parent = nullptr);
    ~ConfigViewController() override;

    // Today's date by default.
    void setClock(Clock clock) { clock_ = std::move(clock); }
    // The clock the idle time is measured by and how often it is looked at (tests).
    void setIdleClock(Ticks ticks, int checkEveryMs);
    // SoundManager's process-wide manager unless another is given (tests).
    void setSoundManager(SoundManager *sound);

    bool isLocked() const { return locked_; }
    ChoiceGroupModel *groups() { return &groups_; }
    KeypadFields *fields() { return &fields_; }
    KeypadFields *lockField() { return &lockField_; }
    QStringList arrMusic() const { return arrMusic_; }
    int selectedMusic() const { return selectedMusic_; }
    QStringList fieldLabels() const { return fieldLabels_; }
    QString intervalPlaceholder() const { return intervalPlaceholder_; }
    QString musicLabel() const { return musicLabel_; }
    QString lockLabel() const { return lockLabel_; }
    QString unlockText() const { return unlockText_; }
    QString saveText() const { return saveText_; }
    QString helpText() const { return helpText_; }
    QString updateText() const { return updateText_; }
    QString deleteText() const { return deleteText_; }

    // The page shown or hidden; hiding ends the editing.
    Q_INVOKABLE void setShown(bool shown);
    // A tap on the page: the idle time starts again.
    void touched();
    Q_INVOKABLE void unlock();
    Q_INVOKABLE void tapChoice(int group, int choice);
    Q_INVOKABLE void selectMusic(int row);
    Q_INVOKABLE void save();
    Q_INVOKABLE void showHelp();
    Q_INVOKABLE void updateData();
    Q_INVOKABLE void deleteData();

signals:
    void lockedChanged();
    void musicChanged();
    void captionsChanged();
    // "更新商品资料" was tapped: the staff screen updates the base data as its own entry does.
    void updateRequested();

private:
    const Services &services_;

    void initLanguage();
    void loadGroups();
    void loadFields();
    void loadMusic();
    void loadNewUpdateFile();
    void lock();
    void checkIdle();
    bool eventFilter(QObject *watched, QEvent *event) override;
    SoundManager &sound();

    Clock clock_;
    Ticks ticks_;
    qint64 lastTouch_ = 0;
    QTimer idleCheck_;
    SoundManager *sound_ = nullptr;
    bool locked_ = true;
    bool shown_ = false;
    ChoiceGroupModel groups_;
    KeypadFields fields_;
    KeypadFields lockField_;
    QStringList arrMusic_;
    int selectedMusic_ = -1;
    QStringList fieldLabels_;
    QString intervalPlaceholder_;
    QString musicLabel_;
    QString lockLabel_;
    QString unlockText_;
    QString saveText_;
    QString helpText_;
    QString updateText_;
    QString deleteText_;
};
