#pragma once
// Window-system widgets behind the toolkit's controls (platform-private).
#include <QComboBox>
#include <QLabel>
#include <QWidget>
#include <functional>

class TWinControl;
class TForm;
class TComboBox;

// A container that lays out its aligned children whenever it is resized.
class AlignHost : public QWidget {
public:
    AlignHost(TWinControl* owner, QWidget* parent) : QWidget(parent), owner_(owner) {}
    void SetOwner(TWinControl* o) { owner_ = o; }

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    TWinControl* owner_;
};

// The top-level window of a form.
class FormWindow : public QWidget {
public:
    explicit FormWindow(TForm* form);
    TForm* form() const { return form_; }

protected:
    void closeEvent(QCloseEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    TForm* form_;
};

class ComboWidget : public QComboBox {
public:
    ComboWidget(TComboBox* owner, QWidget* parent);
    void showPopup() override;
    void hidePopup() override;

private:
    TComboBox* owner_;
    bool popupOpen_ = false;
    bool closeUpPending_ = false;
};

// A label or picture that reports mouse clicks.
class ClickLabel : public QLabel {
public:
    using QLabel::QLabel;
    std::function<void()> clicked;

protected:
    void mouseReleaseEvent(QMouseEvent* e) override;
};

class ImageWidget : public ClickLabel {
public:
    using ClickLabel::ClickLabel;
};
