#include "NoticeBoard.h"

#include "foundation/UserNotice.h"

#include <QJSEngine>

#include <algorithm>
#include <utility>

namespace {
// UserNotice calls its sink on the main thread, where the board lives.
class BoardSink : public NoticeSink {
public:
    explicit BoardSink(NoticeBoard *board) : board_(board) {}

    void showError(const QString &text) override { board_->showError(text); }
    void showInfo(const QString &text) override { board_->showInfo(text); }
    void showSuccess(const QString &text) override { board_->showSuccess(text); }
    void showProgress(const QString &status) override { board_->showProgress(status); }
    void hideProgress() override { board_->hideProgress(); }
    void confirm(const QString &title, const QString &message, const QString &cancelText,
                 const QString &confirmText, std::function<void(bool)> answer) override
    {
        board_->confirm(title, message, cancelText, confirmText, std::move(answer));
    }
    void alert(const QString &title, const QString &message, const QString &buttonText,
               std::function<void()> closed) override
    {
        board_->alert(title, message, buttonText, std::move(closed));
    }

private:
    NoticeBoard *board_;
};
} // namespace

NoticeBoard::NoticeBoard()
{
    toastTimer_.setSingleShot(true);
    connect(&toastTimer_, &QTimer::timeout, this, [this] { toastVisible_ ? endToast() : showNextToast(); });
}

NoticeBoard &NoticeBoard::instance()
{
    static NoticeBoard *const board = new NoticeBoard;
    return *board;
}

NoticeBoard *NoticeBoard::create(QQmlEngine *, QJSEngine *)
{
    NoticeBoard *board = &instance();
    QJSEngine::setObjectOwnership(board, QJSEngine::CppOwnership);
    return board;
}

void NoticeBoard::install()
{
    if (!sink_)
        sink_ = std::make_shared<BoardSink>(this);
    UserNotice::setSink(sink_);
}

void NoticeBoard::showToast(Kind kind, const QString &text)
{
    emit shown(kind, text);
    const Toast toast{kind, text, {}};
    const bool repeat = toasts_.empty() ? toastVisible_ && Toast{toastKind_, toastText_, {}}.sameAs(toast)
                                        : toasts_.back().sameAs(toast);
    if (repeat)
        return;
    toasts_.push_back(toast);
    if (toasts_.size() > std::size_t(kMaxWaitingToasts)) {
        const auto notError = std::find_if(toasts_.begin(), toasts_.end(),
                                           [](const Toast &waiting) { return waiting.kind != Error; });
        toasts_.erase(notError != toasts_.end() ? notError : toasts_.begin());
    }
    if (!toastVisible_ && !toastTimer_.isActive())
        showNextToast();
}

void NoticeBoard::showNextToast()
{
    if (toasts_.empty())
        return;
    const Toast next = toasts_.front();
    toasts_.pop_front();
    toastVisible_ = true;
    toastText_ = next.text;
    toastKind_ = next.kind;
    toastAction_ = next.action;
    toastTimer_.start(next.action.run ? kActionToastMs : next.kind == Error ? kErrorToastMs : kToastMs);
    emit toastChanged();
}

bool NoticeBoard::offerAction(const QString &actionText, std::function<void()> action)
{
    const auto waiting = std::find_if(toasts_.rbegin(), toasts_.rend(),
                                      [](const Toast &toast) { return toast.kind == Error; });
    if (waiting != toasts_.rend()) {
        waiting->action = {actionText, std::move(action)};
        return true;
    }
    if (!toastVisible_ || toastKind_ != Error)
        return false;
    toastAction_ = {actionText, std::move(action)};
    toastTimer_.start(kActionToastMs);
    emit toastChanged();
    return true;
}

void NoticeBoard::takeToastAction()
{
    const std::function<void()> run = std::exchange(toastAction_.run, {});
    endToast();
    if (run)
        run();
}

void NoticeBoard::endToast()
{
    if (!toastVisible_)
        return;
    toastVisible_ = false;
    toastAction_ = {};
    emit toastChanged();
    if (toasts_.empty())
        toastTimer_.stop();
    else
        toastTimer_.start(kToastGapMs);
}

void NoticeBoard::toastRead()
{
    endToast();
}

void NoticeBoard::hideToast()
{
    toasts_.clear();
    toastTimer_.stop();
    endToast();
}

void NoticeBoard::showProgress(const QString &status)
{
    progressVisible_ = true;
    progressStatus_ = status;
    emit progressChanged();
    emit shown(Progress, status);
}

void NoticeBoard::hideProgress()
{
    if (!progressVisible_)
        return;
    progressVisible_ = false;
    progressStatus_.clear();
    emit progressChanged();
}

void NoticeBoard::confirm(const QString &title, const QString &message, const QString &cancelText,
                          const QString &confirmText, std::function<void(bool)> answer)
{
    enqueue(Dialog{Confirm, title, message, cancelText, confirmText, std::move(answer)});
}

void NoticeBoard::alert(const QString &title, const QString &message, const QString &buttonText,
                        std::function<void()> closed)
{
    std::function<void(bool)> answer;
    if (closed)
        answer = [closed = std::move(closed)](bool) { closed(); };
    enqueue(Dialog{Alert, title, message, QString(), buttonText, std::move(answer)});
}

void NoticeBoard::enqueue(Dialog dialog)
{
    const Kind kind = dialog.kind;
    const QString message = dialog.message;
    dialogs_.push_back(std::move(dialog));
    if (dialogs_.size() == 1) {
        emit dialogChanged();
        emit shown(kind, message);
    }
}

void NoticeBoard::answerDialog(bool confirmed)
{
    if (dialogs_.empty())
        return;
    Dialog answered = std::move(dialogs_.front());
    dialogs_.pop_front();
    emit dialogChanged();
    if (!dialogs_.empty())
        emit shown(dialogs_.front().kind, dialogs_.front().message);
    // Last: the answer may well ask the next question.
    if (answered.answer)
        answered.answer(answered.kind == Confirm ? confirmed : true);
}

void NoticeBoard::clear()
{
    toastTimer_.stop();
    toasts_.clear();
    toastVisible_ = false;
    toastText_.clear();
    toastAction_ = {};
    progressVisible_ = false;
    progressStatus_.clear();
    dialogs_.clear();
    emit toastChanged();
    emit progressChanged();
    emit dialogChanged();
}

bool NoticeBoard::dialogHasCancel() const
{
    return !dialogs_.empty() && dialogs_.front().kind == Confirm;
}

QString NoticeBoard::dialogTitle() const
{
    return dialogs_.empty() ? QString() : dialogs_.front().title;
}

QString NoticeBoard::dialogMessage() const
{
    return dialogs_.empty() ? QString() : dialogs_.front().message;
}

QString NoticeBoard::dialogCancelText() const
{
    return dialogs_.empty() ? QString() : dialogs_.front().cancelText;
}

QString NoticeBoard::dialogConfirmText() const
{
    return dialogs_.empty() ? QString() : dialogs_.front().confirmText;
}
