#pragma once

#include <QObject>
#include <QQmlParserStatus>
#include <QtQml/qqmlregistration.h>

class SoundManager;

// The base of every full screen's controller. When the screen is loaded (viewDidLoad, run by QML
// once the screen is built) it subscribes initLanguage() to "kLanguageChanged" and keyboardCose()
// to "kNumberKeyboardCoseClick", then runs initLanguage(). The subscriptions belong to the
// controller, which QML destroys with its screen, so they go when the screen goes.
//
// A screen's QML puts its content below the status strip (`statusBarHeight`, black) and gives up
// the keyboard focus on endEditingRequested(), which ends editing in its text fields.
class MenuViewController : public QObject, public QQmlParserStatus {
    Q_OBJECT
    Q_INTERFACES(QQmlParserStatus)
    QML_ELEMENT
    Q_PROPERTY(int statusBarHeight READ statusBarHeight CONSTANT)
    Q_PROPERTY(bool loaded READ isLoaded NOTIFY loadedChanged)
public:
    static constexpr int kStatusBarHeight = 20;

    explicit MenuViewController(QObject *parent = nullptr);
    ~MenuViewController() override;

    int statusBarHeight() const { return kStatusBarHeight; }
    bool isLoaded() const { return loaded_; }

    // Runs once; later calls do nothing.
    void viewDidLoad();

    // The screen's sounds come from SoundManager's process-wide manager unless another is given
    // (tests).
    void setSoundManager(SoundManager *sound) { sound_ = sound; }

    // The back button: plays the `close` effect and leaves the screen.
    Q_INVOKABLE void goBack();

protected:
    // Sets every visible text of the screen; the base has none.
    virtual void initLanguage() {}
    // The screen's own loading, after the base's steps.
    virtual void loadView() {}
    // Ends all text editing on the screen.
    virtual void keyboardCose();
    SoundManager &sound();

    void classBegin() override {}
    void componentComplete() override { viewDidLoad(); }

signals:
    void loadedChanged();
    // After initLanguage() has run on a change of language.
    void languageReloaded();
    void endEditingRequested();

private:
    bool loaded_ = false;
    SoundManager *sound_ = nullptr;
};
