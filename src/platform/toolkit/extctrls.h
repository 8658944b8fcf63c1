#pragma once
// Image buttons, track bars and timers.
#include "toolkit/controls.h"

class QSlider;
class QTimer;
class ImageWidget;

// A picture from a file (SVG or raster, also ":/" resources) that can be clicked.
class TImage : public TControl {
public:
    explicit TImage(TWinControl* parent);
    void LoadFromFile(const QString& path);
    // Sizes the control to the picture's own size.
    void SetAutoSize(bool a);
    TNotifyEvent OnClick;

private:
    void Render();
    ImageWidget* image_;
    QString file_;
    bool autoSize_ = false;
};

class TTrackBar : public TWinControl {
public:
    explicit TTrackBar(TWinControl* parent);
    void SetRange(int min, int max);
    int Min() const { return min_; }
    int Max() const { return max_; }
    int Position() const { return position_; }
    // Clamped to the range; fires OnChange only when the position changes, also from code.
    void SetPosition(int p);
    void SetFrequency(int f);
    TNotifyEvent OnChange;

private:
    QSlider* slider_;
    int min_ = 0, max_ = 10, position_ = 0;
};

class TTimer : public TObject {
public:
    TTimer();
    ~TTimer() override;
    int Interval() const;
    void SetInterval(int ms);
    bool Enabled() const;
    void SetEnabled(bool e);
    TNotifyEvent OnTimer;

private:
    QTimer* timer_;
};
