#pragma once

#include <QHash>
#include <QList>
#include <QMutex>
#include <QObject>
#include <QString>
#include <QVariant>
#include <QVariantList>
#include <QVariantMap>

#include <functional>
#include <memory>
#include <optional>

class PopPresenter;
class PopRootViewController;
struct Notification;

// Keeps the open pop-ups as a stack of which only the top one is active, and brings the next one
// to the front when the top one has closed.
//
// Pop-ups are built by factories that the UI (or a console) registers under the pop-up's name
// (PopName), so that the core can ask for a pop-up without linking the UI. The arguments travel
// as a QVariantList; the typed operations of the layers that own the argument types wrap pop().
//
// Ownership: the manager owns the pop-ups on its stack. popController() makes a pop-up its child;
// once the pop-up's dismissal has finished and it has left the stack it is deleteLater()'d, so
// other observers of "kPopManagerControllerDismiss" may still read it while the notification is
// delivered. A pop-up destroyed while on the stack simply leaves it.
//
// Threads: pop() and the typed operations may be called from any thread. The stack, popController()
// and arrControllers() belong to the manager's thread, the main thread.
class PopViewManager : public QObject {
    Q_OBJECT
public:
    using Factory = std::function<PopRootViewController *(const QVariantList &args)>;

    // The process-wide manager, created once on first use and living on the main thread.
    static PopViewManager &defaultManager();
    // A manager of its own, for tests; create it on the main thread.
    explicit PopViewManager(QObject *parent = nullptr);
    ~PopViewManager() override;

    // The UI's look for pop-ups; none (the default) keeps them headless. Main thread. Pop-ups opened
    // while there was none are shown by the new one, bottom first (the window's pop-up layer loads
    // after its first frame, and a tap may open one before).
    void setPresenter(std::shared_ptr<PopPresenter> presenter);
    std::shared_ptr<PopPresenter> presenter() const { return presenter_; }

    // Registers the factory of the pop-up `name`, replacing any earlier one; an empty factory
    // removes it. A factory runs on the main thread and returns a new pop-up, or null when it
    // cannot use the arguments.
    void registerFactory(const QString &name, Factory factory);
    bool hasFactory(const QString &name) const;

    // The open pop-ups in the order they were opened; the last is the top.
    QList<PopRootViewController *> arrControllers() const { return arrControllers_; }

    // Puts the pop-up on top of the stack, shows it and posts "kPopManagerControllerBackToFront"
    // with it (as QObject*). Refused (false) for null, for a pop-up already on the stack, or when
    // not called on the manager's thread with a pop-up living there.
    bool popController(PopRootViewController *popup);

    // Builds the pop-up `name` on the main thread after the current event (queued), sets its
    // paddingTop (negative: the default placement) and each extra as a property, and opens it with
    // popController(). False, and nothing happens, when no factory is registered under `name`; a
    // factory that returns no pop-up emits popFailed() instead.
    bool pop(const QString &name, const QVariantList &args = {}, int paddingTop = -1,
             const QVariantMap &extras = {});

    bool popCusNumChangeView(int paddingTop = -1);
    bool popTempFoodView(int paddingTop = -1);
    bool popGuaDanView(int paddingTop = -1);
    bool popSearchView(bool shouldReloadOrderList, int paddingTop = -1);
    // The chooser carries "requestId" only when one is given.
    bool popTableChooseView(const QVariant &orderPack, int paddingTop = -1,
                            const std::optional<QString> &requestId = std::nullopt);

signals:
    // The factory of `name` built no pop-up, or the one it built could not be opened.
    void popFailed(const QString &name);

private:
    void build(const QString &name, const Factory &factory, const QVariantList &args, int paddingTop,
               const QVariantMap &extras);
    void onControllerDismiss(const Notification &notification);
    void removeDismissed(const QObject *popup);
    void forget(const QObject *popup);

    mutable QMutex factoriesMutex_;
    QHash<QString, Factory> factories_;
    std::shared_ptr<PopPresenter> presenter_;
    QList<PopRootViewController *> arrControllers_;
};
