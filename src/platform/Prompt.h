#pragma once

#include <QString>

// Message boxes. The program's boxes carry an OK button, or Yes and No for the
// one question it asks; the title is the program's name unless one is given.
class Prompt
{
public:
    virtual ~Prompt() = default;
    virtual void ShowMessage(const QString &text, const QString &title = QString()) = 0;
    virtual bool AskYesNo(const QString &text, const QString &title = QString()) = 0;
};

// The desktop's message boxes.
class DialogPrompt : public Prompt
{
public:
    void ShowMessage(const QString &text, const QString &title = QString()) override;
    bool AskYesNo(const QString &text, const QString &title = QString()) override;
};
