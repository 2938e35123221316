#pragma once

#include "keyboard/KeyboardHost.h"

#include <QRect>
#include <QStringList>
#include <QWidget>

// The notepad view as the board sees it: it keeps the text and notes the calls.
struct FakeHost : KeyboardHost {
    std::u16string ViewText() const override { return m_text; }
    void SetViewText(const std::u16string &text) override { m_text = text, m_calls << "SetViewText"; }
    bool IsKeyboardUp() const override { return m_bUp; }
    void SetKeyboardUpFlag(bool up) override { m_bUp = up; }
    void ShowKeyboard() override { m_calls << "ShowKeyboard"; }
    void RestoreNotepadFrame(const QRect &rect) override { m_calls << "Restore", m_rcRestored = rect; }
    bool SaveLastUsedText() override { return m_calls << "Save", true; }
    void CopyAllToClipboard() override { m_calls << "Copy"; }
    QWidget *MainFrame() const override { return &m_frame; }
    void SetPreferenceSheet(QWidget *sheet) override { m_pSheet = sheet; }
    std::u16string m_text;
    bool m_bUp = true;
    QStringList m_calls;
    QRect m_rcRestored;
    QWidget *m_pSheet = nullptr;
    mutable QWidget m_frame;
};
