#include "prefs/ShellButtons.h"

#include "platform/Profile.h"

namespace {
constexpr char16_t kDefaultValue[] = u"Default";
constexpr char16_t kResetCommand[] = u"ResetCmd";
// The shell's values are read into a buffer of 256 bytes: 127 characters and
// the terminating null. A longer value cannot be read.
constexpr std::size_t kMaxValueLength = 127;
}

std::u16string ShellButtons::KeyName(int button)
{
    const std::string digits = std::to_string(button);
    return u"40C" + std::u16string(digits.begin(), digits.end());
}

std::optional<std::u16string> ShellButtons::ReadValue(int button, const std::u16string &name) const
{
    // The store gives a default for a missing value; two different defaults
    // tell a missing value from a present one without widening its interface.
    const std::u16string key = KeyName(button);
    const std::u16string first = m_store.GetString(key, name, u"\u0001");
    const std::u16string second = m_store.GetString(key, name, u"\u0002");
    if (first != second || first.size() > kMaxValueLength)
        return std::nullopt;
    return first;
}

std::u16string ShellButtons::CurrentAssignmentName(int button) const
{
    std::u16string name = ReadValue(button, kDefaultValue).value_or(std::u16string());
    const std::size_t slash = name.rfind(u'\\');
    if (slash != std::u16string::npos)
        name.erase(0, slash + 1);
    const std::size_t dot = name.rfind(u'.');
    if (dot != std::u16string::npos)
        name.erase(dot);
    return name;
}

bool ShellButtons::Restore(int button)
{
    const std::optional<std::u16string> command = ReadValue(button, kResetCommand);
    return command.has_value() && m_store.WriteString(KeyName(button), kDefaultValue, *command);
}

bool ShellButtons::Assign(int button, const std::u16string &command)
{
    return m_store.WriteString(KeyName(button), kDefaultValue, command);
}
