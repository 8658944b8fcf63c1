#include "support/scripted_dialogs.h"

#include <QStringList>

void ScriptedDialogs::Box(const QString& text, const QString& caption, TMsgIcon icon)
{
    boxes.push_back({text, caption, icon});
}

bool ScriptedDialogs::Confirm(const QString& text, const QString& caption)
{
    boxes.push_back({text, caption, TMsgIcon::Question});
    if (confirmAnswers.empty())
        return false;
    const bool a = confirmAnswers.front();
    confirmAnswers.pop_front();
    return a;
}

template <typename T> static bool take(std::deque<T>& q, T& out)
{
    if (q.empty())
        return false;
    out = q.front();
    q.pop_front();
    return true;
}

bool ScriptedDialogs::ChooseColor(TColor& color)
{
    ++colorRuns;
    return take(colors, color);
}

bool ScriptedDialogs::ChooseFont(TFont& font)
{
    ++fontRuns;
    fontsShown.push_back(font);
    return take(fonts, font);
}

bool ScriptedDialogs::ChooseOpenFile(QString& fileName, const QString&, const QString&, TOpenOptions)
{
    ++openRuns;
    return take(openFiles, fileName);
}

bool ScriptedDialogs::ChooseSaveFile(QString& fileName, const QString&, const QString&, const QString&,
                                     TOpenOptions)
{
    ++saveRuns;
    return take(saveFiles, fileName);
}

QStringList ScriptedDialogs::texts() const
{
    QStringList t;
    for (const RecordedBox& b : boxes)
        t << b.text;
    return t;
}
