#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QUrl>
#include <QtQml/qqmlregistration.h>

#include <functional>
#include <memory>

class PopPresenter;
class PopRootViewController;
class PopViewManager;

// The QML side of the pop-up stack: PopViewManager's presenter, turned into requests that the pop-up
// layer of the window draws (dimming, slide in to paddingTop, slide out), and the answer that a
// slide-out has ended, after which the pop-up announces its dismissal.
//
// A pop-up's view is the module's QML file named by the controller's class info "PopView"
// (e.g. Q_CLASSINFO("PopView", "NumberInputView")), resolved against `viewBase`; a full URL is
// taken as it stands. The view gets the controller as its `controller` property.
class PopStage : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QUrl viewBase READ viewBase WRITE setViewBase NOTIFY viewBaseChanged)
    Q_PROPERTY(QObject *activePopup READ activePopup NOTIFY activePopupChanged)
    Q_PROPERTY(int presentedCount READ presentedCount NOTIFY presentedCountChanged)
public:
    static constexpr int kSlideInMs = 200;
    static constexpr int kSlideOutMs = 300;

    explicit PopStage(QObject *parent = nullptr);
    ~PopStage() override;

    QUrl viewBase() const { return viewBase_; }
    void setViewBase(const QUrl &base);
    // The pop-up on top of the stack, the only one that takes input.
    QObject *activePopup() const { return activePopup_; }
    int presentedCount() const { return int(presented_.size()); }

    // Draws the pop-ups of `manager`; the window attaches itself to the process-wide one.
    void attachTo(PopViewManager &manager);
    Q_INVOKABLE void attachToDefaultManager();

    // The view file of a pop-up controller; empty when its class names none.
    static QString viewName(const QObject *popup);
    QUrl viewUrl(const QObject *popup) const;

    // Called by the pop-up's frame when its slide-out has ended and its view is gone.
    Q_INVOKABLE void dismissFinished(QObject *popup);

    void present(PopRootViewController *popup);
    void dismiss(PopRootViewController *popup, std::function<void()> finished);

signals:
    void viewBaseChanged();
    void activePopupChanged();
    void presentedCountChanged();
    void presentRequested(QObject *popup, const QUrl &view, int paddingTop);
    void dismissRequested(QObject *popup);

private:
    void setActivePopup(QObject *popup);
    void forget(QObject *popup);

    QUrl viewBase_;
    QPointer<QObject> activePopup_;
    QSet<QObject *> presented_;
    QHash<QObject *, std::function<void()>> pendingDismissals_;
    std::shared_ptr<PopPresenter> presenter_;
};
