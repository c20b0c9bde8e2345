#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <QtQml/qqmlregistration.h>

#include <deque>
#include <functional>
#include <memory>

class NoticeSink;
class QJSEngine;
class QQmlEngine;

// What the user notices look like on screen, as state that the notice views draw: a brief notice
// (error, neutral or success) that hides itself, the blocking progress indicator with its status
// line, and one question at a time (two-button confirmation or one-button alert); questions asked
// while one is open wait their turn.
//
// Brief notices queue too, so that none is replaced unread: each stays its time (an error longer)
// or until tapped, then, after a short pause that shows the change, the next one comes. A repeat of
// the notice before it costs no more time, and a burst never keeps the waiter long: at most
// kMaxWaitingToasts wait, beyond that the oldest waiting one that is not an error gives way (the
// oldest error when all are). The notices are drawn over the progress indicator, which never hides
// one.
//
// An error notice may carry an action offered beside its message ("稍后自动发送"): it then stays
// longer, and a tap on the action does it and ends the notice.
//
// install() makes it the sink of UserNotice. Tests watch shown() and the properties, and answer
// questions with answerDialog() as a tap on a button would.
class NoticeBoard : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
    Q_PROPERTY(bool toastVisible READ toastVisible NOTIFY toastChanged)
    Q_PROPERTY(QString toastText READ toastText NOTIFY toastChanged)
    Q_PROPERTY(Kind toastKind READ toastKind NOTIFY toastChanged)
    Q_PROPERTY(QString toastActionText READ toastActionText NOTIFY toastChanged)
    Q_PROPERTY(bool progressVisible READ progressVisible NOTIFY progressChanged)
    Q_PROPERTY(QString progressStatus READ progressStatus NOTIFY progressChanged)
    Q_PROPERTY(bool dialogVisible READ dialogVisible NOTIFY dialogChanged)
    Q_PROPERTY(bool dialogHasCancel READ dialogHasCancel NOTIFY dialogChanged)
    Q_PROPERTY(QString dialogTitle READ dialogTitle NOTIFY dialogChanged)
    Q_PROPERTY(QString dialogMessage READ dialogMessage NOTIFY dialogChanged)
    Q_PROPERTY(QString dialogCancelText READ dialogCancelText NOTIFY dialogChanged)
    Q_PROPERTY(QString dialogConfirmText READ dialogConfirmText NOTIFY dialogChanged)
public:
    enum Kind { Error, Info, Success, Progress, Confirm, Alert };
    Q_ENUM(Kind)

    // How long a brief notice stays unless tapped; an error longer, it asks to be read.
    static constexpr int kToastMs = 1500;
    static constexpr int kErrorToastMs = 3000;
    // An action needs the time to decide and reach for it.
    static constexpr int kActionToastMs = 10000;
    // The pause between two brief notices.
    static constexpr int kToastGapMs = 250;
    // The longest wait: with the one on screen, at most five errors' time.
    static constexpr int kMaxWaitingToasts = 4;

    static NoticeBoard &instance();
    static NoticeBoard *create(QQmlEngine *, QJSEngine *);

    // Routes UserNotice to this board.
    void install();

    void showError(const QString &text) { showToast(Error, text); }
    void showInfo(const QString &text) { showToast(Info, text); }
    void showSuccess(const QString &text) { showToast(Success, text); }
    void showProgress(const QString &status);
    void hideProgress();
    void confirm(const QString &title, const QString &message, const QString &cancelText,
                 const QString &confirmText, std::function<void(bool)> answer);
    void alert(const QString &title, const QString &message, const QString &buttonText,
               std::function<void()> closed);

    // Offers `action` beside the error notice posted last (on screen or waiting); false when there
    // is none.
    bool offerAction(const QString &actionText, std::function<void()> action);

    // The open question's button: true for the confirming (or only) button. Then the next
    // waiting question opens and the answer is delivered.
    Q_INVOKABLE void answerDialog(bool confirmed);
    // The brief notice on screen has been read (a tap on it): the next one follows.
    Q_INVOKABLE void toastRead();
    // The action beside the brief notice on screen: it runs, and the notice has been read.
    Q_INVOKABLE void takeToastAction();
    // No brief notice on screen, nor waiting (before a screenshot).
    void hideToast();

    // Forgets everything shown or waiting, without answering (tests).
    void clear();

    bool toastVisible() const { return toastVisible_; }
    QString toastText() const { return toastText_; }
    Kind toastKind() const { return toastKind_; }
    QString toastActionText() const { return toastAction_.text; }
    bool progressVisible() const { return progressVisible_; }
    QString progressStatus() const { return progressStatus_; }
    bool dialogVisible() const { return !dialogs_.empty(); }
    bool dialogHasCancel() const;
    QString dialogTitle() const;
    QString dialogMessage() const;
    QString dialogCancelText() const;
    QString dialogConfirmText() const;
    int waitingDialogs() const { return dialogs_.empty() ? 0 : int(dialogs_.size()) - 1; }
    int waitingToasts() const { return int(toasts_.size()); }

signals:
    // Every notice as it reaches the user, in the order they read them: a brief notice when it is
    // posted (even one that then waits its turn, is folded into the same one before it or gives way
    // in a burst), a question when it opens (with its message), the progress indicator's status
    // when it shows.
    void shown(NoticeBoard::Kind kind, const QString &text);
    void toastChanged();
    void progressChanged();
    void dialogChanged();

private:
    struct Dialog {
        Kind kind;
        QString title;
        QString message;
        QString cancelText;
        QString confirmText;
        std::function<void(bool)> answer;
    };

    struct Action {
        QString text;
        std::function<void()> run;
    };

    struct Toast {
        Kind kind;
        QString text;
        Action action;
        bool sameAs(const Toast &other) const { return kind == other.kind && text == other.text; }
    };

    NoticeBoard();
    void showToast(Kind kind, const QString &text);
    void showNextToast();
    void endToast();
    void enqueue(Dialog dialog);

    std::shared_ptr<NoticeSink> sink_;
    // On screen: the toast's time; between two toasts: the pause.
    QTimer toastTimer_;
    std::deque<Toast> toasts_;
    bool toastVisible_ = false;
    QString toastText_;
    Kind toastKind_ = Info;
    Action toastAction_;
    bool progressVisible_ = false;
    QString progressStatus_;
    std::deque<Dialog> dialogs_;
};
