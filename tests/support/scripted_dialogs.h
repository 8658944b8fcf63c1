#pragma once
// A dialog service for tests: records every box and answers from queues.
#include "toolkit/dialogs.h"

#include <deque>
#include <vector>

struct RecordedBox {
    QString text;
    QString caption;
    TMsgIcon icon;
};

class ScriptedDialogs : public DialogService {
public:
    ScriptedDialogs() { SetDialogs(this); }
    ~ScriptedDialogs() override { SetDialogs(nullptr); }

    std::vector<RecordedBox> boxes;
    // Answers: confirmation boxes take "Yes" when true; an empty queue answers No.
    std::deque<bool> confirmAnswers;
    // Common dialogs: an empty queue answers Cancel.
    std::deque<TColor> colors;
    std::deque<TFont> fonts;
    std::deque<QString> openFiles, saveFiles;
    std::vector<TFont> fontsShown; // what each font dialog opened on
    int colorRuns = 0, fontRuns = 0, openRuns = 0, saveRuns = 0;

    void Box(const QString& text, const QString& caption, TMsgIcon icon) override;
    bool Confirm(const QString& text, const QString& caption) override;
    bool ChooseColor(TColor& color) override;
    bool ChooseFont(TFont& font) override;
    bool ChooseOpenFile(QString& fileName, const QString& filter, const QString& title,
                        TOpenOptions options) override;
    bool ChooseSaveFile(QString& fileName, const QString& filter, const QString& defaultExt,
                        const QString& title, TOpenOptions options) override;

    // Texts of the boxes shown so far.
    QStringList texts() const;
};
