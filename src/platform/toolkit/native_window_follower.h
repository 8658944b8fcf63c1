#pragma once
// A shown top-level widget's native window may be destroyed and made anew: Qt does so when a child
// first needs another kind of drawing surface (a web view's). The window manager takes the new one
// for a stranger: the dialogs shown for the old one still name it as their owner, and the
// maximised state is gone. This carries both over to the new native window.
#include <QObject>
#include <QPointer>
#include <QWindow>
#include <vector>

class QWidget;

class NativeWindowFollower : public QObject {
public:
    // Follows the top-level widget `window`, as its child.
    explicit NativeWindowFollower(QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void Recreated();
    void Shown();
    QWidget* window_;
    bool recreating_ = false;
    Qt::WindowStates state_;
    std::vector<QPointer<QWindow>> dialogs_;
    QPointer<QWindow> recreated_;
};
