#pragma once

#include <string>

// A persistent store of named integers and strings in sections, as the
// handheld's registry profile keeps them. A value that is missing, or that is
// not of the type asked for, reads as the default given.
class Profile
{
public:
    virtual ~Profile() = default;
    virtual int GetInt(const std::u16string &section, const std::u16string &name, int defaultValue) const = 0;
    virtual std::u16string GetString(const std::u16string &section, const std::u16string &name,
                                     const std::u16string &defaultValue) const = 0;
    virtual bool WriteInt(const std::u16string &section, const std::u16string &name, int value) = 0;
    virtual bool WriteString(const std::u16string &section, const std::u16string &name,
                             const std::u16string &value) = 0;
};
