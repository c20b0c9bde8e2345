#pragma once

#include <QObject>

#include <memory>

class PopPresenter;

// The base of every pop-up controller. While it lives it re-reads its texts on "kLanguageChanged"
// (initLanguage) and ends text editing on "kNumberKeyboardCoseClick" (endEditing); those observers
// belong to the pop-up and go with it.
//
// When its dismissal has finished it posts "kPopManagerControllerDismiss" with itself as object,
// stored as QObject* (read it with `object.value<QObject *>()`), once, however often dismissSelf()
// is called. It does not delete itself: a pop-up opened through PopViewManager is deleted by the
// manager once it has left the stack.
class PopRootViewController : public QObject {
    Q_OBJECT
    Q_PROPERTY(int paddingTop READ paddingTop WRITE setPaddingTop NOTIFY paddingTopChanged)
public:
    // Distance from the top of the screen used when paddingTop is negative.
    static constexpr int kDefaultPaddingTop = 20;

    explicit PopRootViewController(QObject *parent = nullptr);
    ~PopRootViewController() override;

    int paddingTop() const { return paddingTop_; }
    void setPaddingTop(int paddingTop);

    // Set by the manager that opens the pop-up; none keeps the pop-up headless.
    void setPresenter(std::shared_ptr<PopPresenter> presenter);
    bool hasPresenter() const { return presenter_ != nullptr; }

    // Resolves a negative paddingTop to the default placement, then presents the pop-up.
    Q_INVOKABLE void show();
    Q_INVOKABLE void dismissSelf();
    bool isDismissing() const { return dismissing_; }

    // Re-reads every visible text; run on "kLanguageChanged".
    virtual void initLanguage() {}
    // Ends text editing in the pop-up's fields; run on "kNumberKeyboardCoseClick".
    virtual void endEditing() {}

signals:
    void paddingTopChanged();

private:
    int paddingTop_ = -1;
    bool dismissing_ = false;
    bool dismissed_ = false;
    std::shared_ptr<PopPresenter> presenter_;
};
