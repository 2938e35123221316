#pragma once

#include "platform/Prompt.h"

#include <cstdio>

// Message boxes of the program's code, as lines on the standard error of a
// command-line tool; questions are answered No.
class StderrPrompt : public Prompt
{
public:
    void ShowMessage(const QString &text, const QString &title = QString()) override
    {
        const QString line = title.isEmpty() ? text : title + QStringLiteral(": ") + text;
        std::fputs((line + QLatin1Char('\n')).toUtf8().constData(), stderr);
    }
    bool AskYesNo(const QString &text, const QString &title = QString()) override
    {
        ShowMessage(text, title);
        return false;
    }
};
