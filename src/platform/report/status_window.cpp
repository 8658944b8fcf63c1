#include "report/status_window.h"

#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

TRvStatusWindow::TRvStatusWindow() = default;

TRvStatusWindow::~TRvStatusWindow()
{
    // After the application has gone the window can no longer be destroyed cleanly.
    if (!QCoreApplication::instance())
        (void)window_.release();
}

void TRvStatusWindow::SetCaption(const QString& caption)
{
    caption_ = caption;
    if (window_)
        window_->setWindowTitle(caption_);
}

void TRvStatusWindow::Show(const QString& text)
{
    // Without a widget application (a console tool) there is no window, only the messages.
    if (!window_ && qobject_cast<QApplication*>(QCoreApplication::instance())) {
        window_ = std::make_unique<QWidget>(nullptr, Qt::Dialog | Qt::WindowTitleHint);
        window_->setObjectName("ReportStatusWindow");
        window_->setWindowTitle(caption_);
        label_ = new QLabel(window_.get());
        label_->setMinimumWidth(260);
        label_->setAlignment(Qt::AlignCenter);
        (new QVBoxLayout(window_.get()))->addWidget(label_);
    }
    if (window_) {
        label_->setText(text);
        window_->show();
    }
    QCoreApplication::processEvents();
}

void TRvStatusWindow::Hide()
{
    if (window_)
        window_->hide();
}

QString StatusText(const QString& format, int page)
{
    QString s = format;
    return s.replace("%p", QString::number(page));
}
