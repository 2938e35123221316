#pragma once

// The counted wait cursor: every Begin is matched by one End. The count is
// kept here so that tests can check that every path that began it ended it.
class WaitCursor
{
public:
    virtual ~WaitCursor() = default;
    void Begin();
    void End();
    int Depth() const { return m_nDepth; }

protected:
    virtual void Show() {}
    virtual void Hide() {}

private:
    int m_nDepth = 0;
};

class SystemWaitCursor : public WaitCursor
{
protected:
    void Show() override;
    void Hide() override;
};
