#pragma once

#include <QQuickItem>
#include <QtQml/qqmlregistration.h>

// A part of the window whose contents leave the accessibility tree while something covers it (an
// open pop-up, a question): the eye still sees it, dimmed, but a screen reader or a test tool that
// walks the tree reaches only what takes input. Uncovered, it is a plain pane around its contents.
class CoverableArea : public QQuickItem {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(bool covered READ covered WRITE setCovered NOTIFY coveredChanged)
public:
    explicit CoverableArea(QQuickItem *parent = nullptr);

    bool covered() const { return covered_; }
    void setCovered(bool covered);

signals:
    void coveredChanged();

protected:
    void componentComplete() override;

private:
    bool covered_ = false;
};
