#include "toolkit/extctrls.h"

#include "toolkit/application.h"
#include "toolkit/widgets_p.h"

#include <QFileInfo>
#include <QPainter>
#include <QPixmap>
#include <QSlider>
#include <QSvgRenderer>
#include <QTimer>

TImage::TImage(TWinControl* parent)
    : TControl(parent, new ImageWidget), image_(static_cast<ImageWidget*>(widget_))
{
    image_->setAttribute(Qt::WA_TranslucentBackground);
    image_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    image_->clicked = [this] { return RunClick(OnClick, this); };
}

void TImage::LoadFromFile(const QString& path)
{
    file_ = path;
    Render();
}

void TImage::SetAutoSize(bool a)
{
    autoSize_ = a;
    Render();
}

void TImage::Render()
{
    if (file_.isEmpty())
        return;
    QPixmap pm;
    if (file_.endsWith(".svg", Qt::CaseInsensitive)) {
        QSvgRenderer svg(file_);
        const QSize natural = svg.defaultSize();
        const QSize size = autoSize_ || Width() <= 0 || Height() <= 0 ? natural : QSize(Width(), Height());
        pm = QPixmap(size);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        svg.render(&p);
    } else {
        pm.load(file_);
        if (!autoSize_ && Width() > 0 && Height() > 0)
            pm = pm.scaled(Width(), Height(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
    image_->setPixmap(pm);
    if (autoSize_)
        image_->resize(pm.size());
}

void ImageWidget::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawPixmap(0, 0, pixmap());
}

TTrackBar::TTrackBar(TWinControl* parent)
    : TWinControl(parent, new QSlider(Qt::Horizontal)), slider_(static_cast<QSlider*>(widget_))
{
    slider_->setRange(min_, max_);
    slider_->setTickPosition(QSlider::TicksBothSides);
    slider_->setPageStep(1);
    QObject::connect(slider_, &QSlider::valueChanged, slider_, [this](int v) {
        if (v == position_)
            return;
        position_ = v;
        if (OnChange)
            Dispatch([this] { OnChange(this); });
    });
}

void TTrackBar::SetRange(int min, int max)
{
    min_ = min;
    max_ = max;
    const QSignalBlocker block(slider_);
    slider_->setRange(min, max);
    SetPosition(position_);
}

void TTrackBar::SetPosition(int p)
{
    p = std::clamp(p, min_, max_);
    if (p == position_)
        return;
    position_ = p;
    {
        const QSignalBlocker block(slider_);
        slider_->setValue(p);
    }
    if (OnChange)
        OnChange(this);
}

void TTrackBar::SetFrequency(int f)
{
    slider_->setTickInterval(f);
}

TTimer::TTimer() : timer_(new QTimer)
{
    timer_->setInterval(1000);
    QObject::connect(timer_, &QTimer::timeout, timer_, [this] {
        if (OnTimer)
            Dispatch([this] { OnTimer(this); });
    });
}

TTimer::~TTimer()
{
    delete timer_;
}
int TTimer::Interval() const
{
    return timer_->interval();
}

void TTimer::SetInterval(int ms)
{
    timer_->setInterval(ms);
}

bool TTimer::Enabled() const
{
    return timer_->isActive();
}

void TTimer::SetEnabled(bool e)
{
    if (e)
        timer_->start();
    else
        timer_->stop();
}
