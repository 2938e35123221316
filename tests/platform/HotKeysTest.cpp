#include "platform/HotKeys.h"
#include "platform/WindowMessage.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLineEdit>
#include <QTest>

#include <memory>
#include <vector>

namespace {
// A window that keeps the wParam and lParam of every hot key message.
class HotKeyWindow : public QWidget
{
public:
    std::vector<std::pair<std::intptr_t, std::intptr_t>> m_received;

protected:
    bool event(QEvent *event) override
    {
        if (static_cast<int>(event->type()) != WM_HOTKEY)
            return QWidget::event(event);
        const auto *message = static_cast<WindowMessage *>(event);
        m_received.emplace_back(message->WParam(), message->LParam());
        return true;
    }
};

void Press(QWidget *focus, Qt::Key key)
{
    QTest::keyClick(focus, key);
    QCoreApplication::sendPostedEvents();
}
}

TEST(DesktopHotKeys, ARegisteredButtonPostsItsIdFromEitherKeyUntilUnregistered)
{
    DesktopHotKeys hotKeys;
    HotKeyWindow window;
    QLineEdit typing;
    ASSERT_TRUE(hotKeys.Register(&window, 444, MOD_WIN, 0xC2));
    Press(&typing, Qt::Key_F10);
    Press(&typing, Qt::Key_Launch1);
    ASSERT_EQ(window.m_received.size(), 2u);
    EXPECT_EQ(window.m_received[0], std::make_pair(std::intptr_t(444), std::intptr_t((0xC2 << 16) | MOD_WIN)));
    // Other buttons and ordinary keys reach the focused control untouched.
    Press(&typing, Qt::Key_F9);
    QTest::keyClicks(&typing, "ab");
    EXPECT_EQ(typing.text(), QStringLiteral("ab"));
    EXPECT_TRUE(hotKeys.Unregister(&window, 444));
    EXPECT_FALSE(hotKeys.Unregister(&window, 444));
    Press(&typing, Qt::Key_F10);
    EXPECT_EQ(window.m_received.size(), 2u);
}

TEST(DesktopHotKeys, AKeyHeldElsewhereOrNoButtonCannotBeRegisteredUntilItsWindowCloses)
{
    DesktopHotKeys hotKeys;
    auto first = std::make_unique<HotKeyWindow>();
    HotKeyWindow second;
    ASSERT_TRUE(hotKeys.Register(first.get(), 444, MOD_WIN, 0xC3));
    EXPECT_FALSE(hotKeys.Register(&second, 444, MOD_WIN, 0xC3));
    EXPECT_FALSE(hotKeys.Register(first.get(), 445, MOD_WIN, 0xC3));
    EXPECT_FALSE(hotKeys.Register(first.get(), 446, MOD_WIN, 0xC0));
    EXPECT_FALSE(hotKeys.Register(nullptr, 447, MOD_WIN, 0xC4));
    // The same id registered again moves to the new key.
    ASSERT_TRUE(hotKeys.Register(first.get(), 444, MOD_WIN, 0xC4));
    Press(first.get(), Qt::Key_F11);
    Press(first.get(), Qt::Key_F12);
    ASSERT_EQ(first->m_received.size(), 1u);
    EXPECT_EQ(first->m_received[0].second >> 16, 0xC4);
    first.reset();
    Press(&second, Qt::Key_F12);
    EXPECT_TRUE(hotKeys.Register(&second, 444, MOD_WIN, 0xC4));
}
