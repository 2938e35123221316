#pragma once

// The short warning sound that answers a caret or line move past its limit.
class Beeper
{
public:
    virtual ~Beeper() = default;
    virtual void Beep() = 0;
};

class SystemBeeper : public Beeper
{
public:
    void Beep() override;
};
