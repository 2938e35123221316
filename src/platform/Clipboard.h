#pragma once

#include <optional>
#include <string>

// The clipboard in the handheld's steps: open, empty, set or get Unicode
// text, close. Each step may fail where the handheld's could, so callers keep
// their failure paths; the text is UTF-16 with CR LF line breaks kept as is.
class Clipboard
{
public:
    virtual ~Clipboard() = default;
    virtual bool Open() = 0;
    virtual bool Empty() = 0;
    virtual bool SetUnicodeText(const std::u16string &text) = 0;
    virtual bool IsUnicodeTextAvailable() const = 0;
    virtual std::optional<std::u16string> GetUnicodeText() = 0;
    virtual void Close() = 0;
    // The X primary selection: what was last selected anywhere, pasted with
    // the middle button. None where the desktop has no such thing.
    virtual std::optional<std::u16string> GetSelectionText() = 0;
    virtual void SetSelectionText(const std::u16string &text) = 0;
};

// The desktop clipboard through QClipboard.
class SystemClipboard : public Clipboard
{
public:
    bool Open() override;
    bool Empty() override;
    bool SetUnicodeText(const std::u16string &text) override;
    bool IsUnicodeTextAvailable() const override;
    std::optional<std::u16string> GetUnicodeText() override;
    void Close() override;
    std::optional<std::u16string> GetSelectionText() override;
    void SetSelectionText(const std::u16string &text) override;

private:
    bool m_bOpen = false;
};
