#pragma once
// Window-system widgets behind the toolkit's controls (platform-private).
#include <QComboBox>
#include <QLabel>
#include <QWidget>
#include <functional>

class TObject;
class TWinControl;
class TForm;
class TComboBox;

// Runs a control's click handler; false when the control has none, so that its parent gets the click.
using ClickHandler = std::function<bool()>;
bool RunClick(const std::function<void(TObject*)>& handler, TObject* sender);

// A container that lays out its aligned children whenever it is resized, and reports clicks
// that its children leave to it.
class AlignHost : public QWidget {
public:
    AlignHost(TWinControl* owner, QWidget* parent) : QWidget(parent), owner_(owner) {}
    ClickHandler clicked;

protected:
    void resizeEvent(QResizeEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

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

// A label or picture that reports mouse clicks; a click it reports is not passed on to its parent.
class ClickLabel : public QLabel {
public:
    using QLabel::QLabel;
    ClickHandler clicked;

protected:
    void mouseReleaseEvent(QMouseEvent* e) override;
};

// Drawn as it is while its window is disabled: pictures are not greyed out, and a disabled
// window repaints without converting its pictures again.
class ImageWidget : public ClickLabel {
public:
    using ClickLabel::ClickLabel;

protected:
    void paintEvent(QPaintEvent* e) override;
};
