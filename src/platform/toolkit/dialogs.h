#pragma once
// Message, confirmation and error boxes and the common dialogs, behind one interface
// so that tests can script them.
#include "toolkit/controls.h"

enum class TMsgIcon { Information, Question, Error };

// Options of the file dialogs. The window system's dialogs have no read-only check box and can
// always be resized, so those options need no flag.
enum TOpenOption { ofOverwritePrompt = 1, ofCreatePrompt = 2 };
using TOpenOptions = int;

class DialogService {
public:
    virtual ~DialogService() = default;
    virtual void Box(const QString& text, const QString& caption, TMsgIcon icon) = 0;
    // Yes/No question; true on Yes.
    virtual bool Confirm(const QString& text, const QString& caption) = 0;
    // Common dialogs: modal, true on OK; the value is preset and read back.
    virtual bool ChooseColor(TColor& color) = 0;
    virtual bool ChooseFont(TFont& font) = 0;
    // The filter is "description|patterns" pairs joined by "|", patterns separated by ";".
    virtual bool ChooseOpenFile(QString& fileName, const QString& filter, const QString& title,
                                TOpenOptions options) = 0;
    virtual bool ChooseSaveFile(QString& fileName, const QString& filter, const QString& defaultExt,
                                const QString& title, TOpenOptions options) = 0;
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
    TOpenOptions Options = 0;
    bool Execute() { return Dialogs().ChooseOpenFile(FileName, Filter, Title, Options); }
};

class TSaveDialog : public TObject {
public:
    QString FileName, Filter, DefaultExt, Title;
    TOpenOptions Options = 0;
    bool Execute() { return Dialogs().ChooseSaveFile(FileName, Filter, DefaultExt, Title, Options); }
};
