#pragma once
// Labels, edits, buttons, check boxes, combo boxes, panels and group boxes.
#include "toolkit/controls.h"

#include <QStringList>

class QLabel;
class QLineEdit;
class QPushButton;
class QCheckBox;
class QGroupBox;
class ComboWidget;

class TLabel : public TControl {
public:
    explicit TLabel(TWinControl* parent);
    QString Caption() const { return caption_; }
    void SetCaption(const QString& c);
    // A label that sizes itself to its text.
    void SetAutoSize(bool a);
    void SetAlignment(TAlignment a);
    void SetWordWrap(bool w);
    TNotifyEvent OnClick;

protected:
    void ApplyFont() override;

private:
    void Fit();
    QLabel* label_;
    QString caption_;
    bool autoSize_ = false;
};

class TEdit : public TWinControl {
public:
    explicit TEdit(TWinControl* parent);
    QString Text() const;
    // Fires OnChange only when the text differs.
    void SetText(const QString& t);
    void SetMaxLength(int n);
    void SetReadOnly(bool r);
    TNotifyEvent OnChange;
    TKeyPressEvent OnKeyPress;

protected:
    void ApplyFont() override;

private:
    QLineEdit* edit_;
};

// An edit with its caption label above it.
class TLabeledEdit : public TEdit {
public:
    explicit TLabeledEdit(TWinControl* parent);
    TLabel* EditLabel;
    void PlaceLabel();
};

class TButton : public TWinControl {
public:
    explicit TButton(TWinControl* parent);
    QString Caption() const;
    void SetCaption(const QString& c);
    // As if the user pressed it.
    void Click();
    TNotifyEvent OnClick;
    TKeyPressEvent OnKeyPress;

private:
    QPushButton* button_;
};

class TCheckBox : public TWinControl {
public:
    explicit TCheckBox(TWinControl* parent);
    void SetCaption(const QString& c);
    bool Checked() const { return checked_; }
    // Fires OnClick when the state changes, also when set from code.
    void SetChecked(bool c);
    TNotifyEvent OnClick;

protected:
    void ApplyFont() override;

private:
    QCheckBox* box_;
    bool checked_ = false;
};

// A drop-down list without typing.
class TComboBox : public TWinControl {
public:
    explicit TComboBox(TWinControl* parent);
    void Clear();
    void Add(const QString& item);
    int Count() const;
    QString Item(int i) const;
    // Replaces an entry's text in place; the selection stays.
    void SetItem(int i, const QString& text);
    int ItemIndex() const;
    // Selecting from code fires nothing.
    void SetItemIndex(int i);
    // The selected entry's text, or empty when none is selected.
    QString Text() const;
    void SetDropDownCount(int n);
    // Fires whenever the drop-down list closes, chosen or not, after the choice took effect.
    TNotifyEvent OnCloseUp;
    // Fires when the user changes the selection while the list is closed (keys, wheel).
    TNotifyEvent OnSelect;

private:
    friend class ComboWidget;
    ComboWidget* combo_;
};

class TPanel : public TWinControl {
public:
    explicit TPanel(TWinControl* parent);
    TNotifyEvent OnClick;
};

class TGroupBox : public TWinControl {
public:
    explicit TGroupBox(TWinControl* parent);
    void SetCaption(const QString& c);

protected:
    void ApplyFont() override;

private:
    QGroupBox* box_;
};
