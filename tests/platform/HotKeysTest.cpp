#include "platform/HotKeys.h"
#include "platform/WindowMessage.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLineEdit>
#include <QTest>

#include <memory>
#include <vector>

namespace {
// A window that keeps the hot key messages it receives.
class HotKeyWindow : public QWidget
{
public:
    struct Received {
        std::intptr_t wParam;
        std::intptr_t lParam;
    };
    std::vector<Received> m_received;

protected:
    bool event(QEvent *event) override
    {
        if (static_cast<int>(event->type()) != WM_HOTKEY)
            return QWidget::event(event);
        const auto *message = static_cast<WindowMessage *>(event);
        m_received.push_back({message->WParam(), message->LParam()});
        return true;
    }
};

void Press(QWidget *focus, Qt::Key key)
{
    QTest::keyClick(focus, key);
    QCoreApplication::sendPostedEvents();
}
}

TEST(DesktopHotKeys, ARegisteredButtonPostsItsIdToTheWindowFromEitherKey)
{
    DesktopHotKeys hotKeys;
    HotKeyWindow window;
    QLineEdit typing;
    ASSERT_TRUE(hotKeys.Register(&window, 444, MOD_WIN, 0xC2));
    Press(&typing, Qt::Key_F10);
    Press(&typing, Qt::Key_Launch1);
    ASSERT_EQ(window.m_received.size(), 2u);
    EXPECT_EQ(window.m_received[0].wParam, 444);
    EXPECT_EQ(window.m_received[0].lParam, (0xC2 << 16) | MOD_WIN);
    // Other buttons and ordinary keys reach the focused control untouched.
    Press(&typing, Qt::Key_F9);
    QTest::keyClicks(&typing, "ab");
    EXPECT_EQ(window.m_received.size(), 2u);
    EXPECT_EQ(typing.text(), QStringLiteral("ab"));
}

TEST(DesktopHotKeys, UnregisteringStopsTheMessagesAndFailsForUnknownIds)
{
    DesktopHotKeys hotKeys;
    HotKeyWindow window;
    ASSERT_TRUE(hotKeys.Register(&window, 444, MOD_WIN, 0xC1));
    EXPECT_TRUE(hotKeys.Unregister(&window, 444));
    EXPECT_FALSE(hotKeys.Unregister(&window, 444));
    EXPECT_FALSE(hotKeys.Unregister(&window, 7));
    Press(&window, Qt::Key_F9);
    EXPECT_TRUE(window.m_received.empty());
}

TEST(DesktopHotKeys, AKeyHeldElsewhereOrNoButtonCannotBeRegistered)
{
    DesktopHotKeys hotKeys;
    HotKeyWindow first;
    HotKeyWindow second;
    ASSERT_TRUE(hotKeys.Register(&first, 444, MOD_WIN, 0xC3));
    EXPECT_FALSE(hotKeys.Register(&second, 444, MOD_WIN, 0xC3));
    EXPECT_FALSE(hotKeys.Register(&first, 445, MOD_WIN, 0xC3));
    EXPECT_FALSE(hotKeys.Register(&first, 446, MOD_WIN, 0xC0));
    EXPECT_FALSE(hotKeys.Register(nullptr, 447, MOD_WIN, 0xC4));
    // The same id registered again moves to the new key.
    ASSERT_TRUE(hotKeys.Register(&first, 444, MOD_WIN, 0xC4));
    Press(&first, Qt::Key_F11);
    Press(&first, Qt::Key_F12);
    ASSERT_EQ(first.m_received.size(), 1u);
    EXPECT_EQ(first.m_received[0].lParam >> 16, 0xC4);
}

TEST(DesktopHotKeys, AClosedWindowGivesItsKeyUp)
{
    DesktopHotKeys hotKeys;
    HotKeyWindow survivor;
    auto closed = std::make_unique<HotKeyWindow>();
    ASSERT_TRUE(hotKeys.Register(closed.get(), 444, MOD_WIN, 0xC1));
    closed.reset();
    Press(&survivor, Qt::Key_F9);
    EXPECT_TRUE(hotKeys.Register(&survivor, 444, MOD_WIN, 0xC1));
}
