#include "toolkit/native_window_follower.h"

#include "toolkit/window_owner.h"

#include <QGuiApplication>
#include <QPlatformSurfaceEvent>
#include <QWidget>

NativeWindowFollower::NativeWindowFollower(QWidget* window) : QObject(window), window_(window)
{
    window->installEventFilter(this);
}

bool NativeWindowFollower::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == window_ && e->type() == QEvent::PlatformSurface && window_->isVisible() &&
        static_cast<QPlatformSurfaceEvent*>(e)->surfaceEventType() ==
            QPlatformSurfaceEvent::SurfaceAboutToBeDestroyed) {
        recreating_ = true;
        state_ = window_->windowState();
        dialogs_.clear();
        for (QWindow* w : QGuiApplication::topLevelWindows())
            if (w->isVisible() && w->transientParent() == window_->windowHandle())
                dialogs_.emplace_back(w);
    } else if (watched == window_ && e->type() == QEvent::WinIdChange && window_->internalWinId() &&
               recreating_) {
        Recreated();
    } else if (watched == recreated_ && e->type() == QEvent::Expose && recreated_->isExposed()) {
        Shown();
    }
    return false;
}

void NativeWindowFollower::Recreated()
{
    recreating_ = false;
    recreated_ = window_->windowHandle();
    // Set before the new window is mapped, the window manager shows it so at once.
    recreated_->setWindowStates(state_);
    recreated_->installEventFilter(this);
}

void NativeWindowFollower::Shown()
{
    // Only a window that the window manager has taken on can own a dialog.
    recreated_->removeEventFilter(this);
    for (const QPointer<QWindow>& dialog : dialogs_)
        if (dialog)
            SetWindowOwner(dialog, recreated_);
    dialogs_.clear();
    recreated_.clear();
}
