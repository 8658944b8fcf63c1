#include "toolkit/stdctrls.h"

#include "toolkit/application.h"
#include "toolkit/shown_text.h"
#include "toolkit/widgets_p.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QTimer>
#include <QValidator>

namespace {

// Sets a text colour that stays the same while the window is disabled.
void setTextColor(QWidget* w, TColor c, QPalette::ColorRole role)
{
    QPalette p = w->palette();
    for (auto g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        p.setColor(g, role, ToQColor(c));
    w->setPalette(p);
}

// A length limit in characters: a character outside the first plane takes two UTF-16 units, and a
// limit in units would cut it in half. What is too much is cut where typed or pasted text ends,
// just before the cursor, so the box keeps what it held, as a full box refuses typing.
class CharacterLimit : public QValidator {
public:
    CharacterLimit(int limit, QObject* parent) : QValidator(parent), limit_(limit) {}

    State validate(QString& text, int& pos) const override
    {
        qsizetype excess = text.size() - limit_;
        for (qsizetype i = 1; i < text.size(); ++i)
            if (text[i].isLowSurrogate() && text[i - 1].isHighSurrogate())
                --excess;
        qsizetype start = pos;
        for (; excess > 0 && start > 0; --excess)
            start -=
                start > 1 && text[start - 1].isLowSurrogate() && text[start - 2].isHighSurrogate() ? 2 : 1;
        text.remove(start, pos - start);
        pos = int(start);
        return Acceptable;
    }

private:
    int limit_;
};

// Turns typed keys into key-press events: 13 for Enter, 27 for Esc, else the character.
class KeyFilter : public QObject {
public:
    KeyFilter(QObject* parent, TObject* sender, TKeyPressEvent* handler, std::function<void()> onEnter = {})
        : QObject(parent), sender_(sender), handler_(handler), onEnter_(std::move(onEnter))
    {
    }

protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() != QEvent::KeyPress)
            return false;
        auto* k = static_cast<QKeyEvent*>(e);
        QChar key;
        if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter)
            key = QChar(13);
        else if (k->key() == Qt::Key_Escape)
            key = QChar(27);
        else if (!k->text().isEmpty())
            key = k->text().front();
        else
            return false;
        if (*handler_)
            Dispatch([&] { (*handler_)(sender_, key); });
        if (key.isNull())
            return true;
        if (key == QChar(13) && onEnter_) {
            Dispatch(onEnter_);
            return true;
        }
        return false;
    }

private:
    TObject* sender_;
    TKeyPressEvent* handler_;
    std::function<void()> onEnter_;
};

} // namespace

// ---- TLabel

TLabel::TLabel(TWinControl* parent)
    : TControl(parent, new ClickLabel), label_(static_cast<ClickLabel*>(widget_))
{
    label_->setTextFormat(Qt::PlainText);
    label_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label_->setAttribute(Qt::WA_TranslucentBackground);
    static_cast<ClickLabel*>(label_)->clicked = [this] { return RunClick(OnClick, this); };
    ApplyFont();
}

void TLabel::SetCaption(const QString& c)
{
    caption_ = c;
    label_->setText(ShownText(c));
    Fit();
}

void TLabel::SetAutoSize(bool a)
{
    autoSize_ = a;
    Fit();
}

void TLabel::Fit()
{
    if (autoSize_)
        label_->resize(label_->sizeHint());
}

void TLabel::SetAlignment(TAlignment a)
{
    Qt::Alignment h = a == taCenter ? Qt::AlignHCenter : a == taRightJustify ? Qt::AlignRight : Qt::AlignLeft;
    label_->setAlignment(h | Qt::AlignTop);
}

void TLabel::SetWordWrap(bool w)
{
    label_->setWordWrap(w);
}

void TLabel::ApplyFont()
{
    label_->setFont(Font().ToQFont());
    setTextColor(label_, Font().Color, QPalette::WindowText);
    Fit();
}

// ---- TEdit

TEdit::TEdit(TWinControl* parent)
    : TWinControl(parent, new QLineEdit), edit_(static_cast<QLineEdit*>(widget_))
{
    QObject::connect(edit_, &QLineEdit::textEdited, edit_, [this](const QString&) {
        if (OnChange)
            Dispatch([this] { OnChange(this); });
    });
    edit_->installEventFilter(new KeyFilter(edit_, this, &OnKeyPress));
}

QString TEdit::Text() const
{
    return edit_->text();
}

void TEdit::SetText(const QString& t)
{
    if (t == edit_->text())
        return;
    edit_->setText(t);
    if (OnChange)
        OnChange(this);
}

void TEdit::SetMaxLength(int n)
{
    delete edit_->validator();
    edit_->setValidator(n > 0 ? new CharacterLimit(n, edit_) : nullptr);
}
void TEdit::SetReadOnly(bool r)
{
    edit_->setReadOnly(r);
}

void TEdit::ApplyFont()
{
    edit_->setFont(Font().ToQFont());
    if (Font().Color != clWindowText)
        setTextColor(edit_, Font().Color, QPalette::Text);
}

TLabeledEdit::TLabeledEdit(TWinControl* parent) : TEdit(parent), EditLabel(new TLabel(parent))
{
    EditLabel->SetAutoSize(true);
}

void TLabeledEdit::PlaceLabel()
{
    EditLabel->SetLeft(Left());
    EditLabel->SetTop(Top() - EditLabel->Height() - 3);
}

// ---- TButton

TButton::TButton(TWinControl* parent)
    : TWinControl(parent, new QPushButton), button_(static_cast<QPushButton*>(widget_))
{
    button_->setAutoDefault(false);
    QObject::connect(button_, &QPushButton::clicked, button_, [this] {
        if (OnClick)
            Dispatch([this] { OnClick(this); });
    });
    // Enter on a focused button presses it.
    button_->installEventFilter(new KeyFilter(button_, this, &OnKeyPress, [this] { Click(); }));
}

QString TButton::Caption() const
{
    return button_->text();
}
void TButton::SetCaption(const QString& c)
{
    button_->setText(c);
}

void TButton::Click()
{
    if (OnClick)
        OnClick(this);
}

// ---- TCheckBox

TCheckBox::TCheckBox(TWinControl* parent)
    : TWinControl(parent, new QCheckBox), box_(static_cast<QCheckBox*>(widget_))
{
    QObject::connect(box_, &QCheckBox::clicked, box_, [this](bool c) {
        checked_ = c;
        if (OnClick)
            Dispatch([this] { OnClick(this); });
    });
}

void TCheckBox::SetCaption(const QString& c)
{
    box_->setText(c);
}

void TCheckBox::SetChecked(bool c)
{
    if (c == checked_)
        return;
    checked_ = c;
    const QSignalBlocker block(box_);
    box_->setChecked(c);
    if (OnClick)
        OnClick(this);
}

void TCheckBox::ApplyFont()
{
    box_->setFont(Font().ToQFont());
    if (Font().Color != clWindowText)
        setTextColor(box_, Font().Color, QPalette::WindowText);
}

// ---- TComboBox

ComboWidget::ComboWidget(TComboBox* owner, QWidget* parent) : QComboBox(parent), owner_(owner)
{
    QObject::connect(this, &QComboBox::activated, this, [this](int) {
        if (closeUpPending_ || view()->isVisible())
            return;
        if (owner_->OnSelect)
            Dispatch([this] { owner_->OnSelect(owner_); });
    });
}

void ComboWidget::showPopup()
{
    popupOpen_ = true;
    QComboBox::showPopup();
}

void ComboWidget::hidePopup()
{
    QComboBox::hidePopup();
    // Qt also hides a list that never opened, for instance when the window is disabled.
    if (!popupOpen_ || closeUpPending_)
        return;
    popupOpen_ = false;
    // The choice is applied after the list hides: report the close-up once it has.
    closeUpPending_ = true;
    QTimer::singleShot(0, this, [this] {
        closeUpPending_ = false;
        if (owner_->OnCloseUp)
            Dispatch([this] { owner_->OnCloseUp(owner_); });
    });
}

TComboBox::TComboBox(TWinControl* parent) : TWinControl(parent, new ComboWidget(this, nullptr))
{
    combo_ = static_cast<ComboWidget*>(widget_);
    combo_->setEditable(false);
}

void TComboBox::Clear()
{
    const QSignalBlocker block(combo_);
    combo_->clear();
    combo_->setCurrentIndex(-1);
}

void TComboBox::Add(const QString& item)
{
    const QSignalBlocker block(combo_);
    const int keep = combo_->currentIndex();
    combo_->addItem(item);
    combo_->setCurrentIndex(keep);
}

int TComboBox::Count() const
{
    return combo_->count();
}
QString TComboBox::Item(int i) const
{
    return combo_->itemText(i);
}

void TComboBox::SetItem(int i, const QString& text)
{
    const QSignalBlocker block(combo_);
    combo_->setItemText(i, text);
}

int TComboBox::ItemIndex() const
{
    return combo_->currentIndex();
}

void TComboBox::SetItemIndex(int i)
{
    const QSignalBlocker block(combo_);
    combo_->setCurrentIndex(i >= 0 && i < combo_->count() ? i : -1);
}

QString TComboBox::Text() const
{
    return combo_->currentIndex() >= 0 ? combo_->currentText() : QString();
}
void TComboBox::SetDropDownCount(int n)
{
    combo_->setMaxVisibleItems(n);
}

// ---- TPanel, TGroupBox

TPanel::TPanel(TWinControl* parent) : TWinControl(parent, new AlignHost(this, nullptr))
{
    static_cast<AlignHost*>(widget_)->clicked = [this] { return RunClick(OnClick, this); };
}

TGroupBox::TGroupBox(TWinControl* parent)
    : TWinControl(parent, new QGroupBox), box_(static_cast<QGroupBox*>(widget_))
{
}

void TGroupBox::SetCaption(const QString& c)
{
    box_->setTitle(c);
}

void TGroupBox::ApplyFont()
{
    box_->setFont(Font().ToQFont());
    if (Font().Color != clWindowText)
        setTextColor(box_, Font().Color, QPalette::WindowText);
}
