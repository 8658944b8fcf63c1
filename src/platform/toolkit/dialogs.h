#pragma once
// Message, confirmation and error boxes and the common dialogs, behind one interface
// so that tests can script them.
#include "toolkit/controls.h"

enum class TMsgIcon { Information, Question, Error };

class DialogService {
public:
    virtual ~DialogService() = default;
    virtual void Box(const QString& text, const QString& caption, TMsgIcon icon) = 0;
    // Yes/No question; true on Yes.
    virtual bool Confirm(const QString& text, const QString& caption) = 0;
    // Common dialogs: modal, true on OK; the value is preset and read back.
    virtual bool ChooseColor(TColor& color) = 0;
    virtual bool ChooseFont(TFont& font) = 0;
    virtual bool ChooseOpenFile(QString& fileName, const QString& filter, const QString& title) = 0;
    virtual bool ChooseSaveFile(QString& fileName, const QString& filter, const QString& defaultExt,
                                const QString& title) = 0;
};

DialogService& Dialogs();
// Installs another service (tests); nullptr restores the window system's.
void SetDialogs(DialogService* service);

// Information box: caption = application title, one "OK".
void ShowMessage(const QString& text);
// Confirmation box: caption "Confirm", question icon, "&Yes" and "&No"; true on Yes.
bool ConfirmYesNo(const QString& text);

class TColorDialog : public TObject {
public:
    TColor Color = clBlack;
    bool Execute() { return Dialogs().ChooseColor(Color); }
};

// Without the effects part: colour, underline and strike-out are not offered.
class TFontDialog : public TObject {
public:
    TFont Font;
    bool Execute() { return Dialogs().ChooseFont(Font); }
};

class TOpenDialog : public TObject {
public:
    QString FileName, Filter, Title;
    bool Execute() { return Dialogs().ChooseOpenFile(FileName, Filter, Title); }
};

class TSaveDialog : public TObject {
public:
    QString FileName, Filter, DefaultExt, Title;
    bool Execute() { return Dialogs().ChooseSaveFile(FileName, Filter, DefaultExt, Title); }
};
