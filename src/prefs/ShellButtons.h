#pragma once

#include <optional>
#include <string>

class Profile;

// The shell's assignment of the device's application buttons: one key per
// button n, "40C" followed by n, whose default value is the command the button
// starts and whose "ResetCmd" is the shell's own command for it. The program
// reads and writes the default value and never writes "ResetCmd".
class ShellButtons
{
public:
    explicit ShellButtons(Profile &store) : m_store(store) {}

    static std::u16string KeyName(int button);

    // The name of the program the button starts: the command after its last
    // "\" and before its last "."; "" when the value is missing or unreadable.
    std::u16string CurrentAssignmentName(int button) const;
    // Gives the button its "ResetCmd" back; false, writing nothing, without one.
    bool Restore(int button);
    bool Assign(int button, const std::u16string &command);

private:
    std::optional<std::u16string> ReadValue(int button, const std::u16string &name) const;

    Profile &m_store;
};
