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
}

// Button n is F(8 + n) or Launch(n - 1), virtual key 0xC0 + n.
TEST(DesktopHotKeys, ARegisteredButtonPostsItsIdFromEitherKeyUntilUnregisteredOrItsWindowCloses)
{
    DesktopHotKeys hotKeys;
    auto window = std::make_unique<HotKeyWindow>();
    HotKeyWindow other;
    QLineEdit typing;
    const auto press = [&typing](std::initializer_list<Qt::Key> keys) {
        for (const Qt::Key key : keys)
            QTest::keyClick(&typing, key);
        QCoreApplication::sendPostedEvents();
    };
    ASSERT_TRUE(hotKeys.Register(window.get(), 444, MOD_WIN, 0xC2));
    // A key held elsewhere, a second id for the same key, no button, no window.
    for (const auto &[owner, id, key] : {std::tuple<QWidget *, int, unsigned>(&other, 444, 0xC2),
                                         {window.get(), 445, 0xC2}, {window.get(), 446, 0xC0}, {nullptr, 447, 0xC4}})
        EXPECT_FALSE(hotKeys.Register(owner, id, MOD_WIN, key)) << id;
    press({Qt::Key_F10, Qt::Key_Launch1, Qt::Key_F9, Qt::Key_A, Qt::Key_B});
    const std::pair<std::intptr_t, std::intptr_t> message(444, (0xC2 << 16) | MOD_WIN);
    EXPECT_EQ(window->m_received, std::vector(2, message));
    EXPECT_EQ(typing.text(), QStringLiteral("ab")) << "other buttons and keys reach the focused control";
    // The same id registered again moves to the new key.
    ASSERT_TRUE(hotKeys.Register(window.get(), 444, MOD_WIN, 0xC4));
    press({Qt::Key_F10, Qt::Key_F12});
    ASSERT_EQ(window->m_received.size(), 3u);
    EXPECT_EQ(window->m_received.back().second >> 16, 0xC4);
    EXPECT_TRUE(hotKeys.Unregister(window.get(), 444));
    EXPECT_FALSE(hotKeys.Unregister(window.get(), 444));
    press({Qt::Key_F12});
    EXPECT_EQ(window->m_received.size(), 3u);
    ASSERT_TRUE(hotKeys.Register(window.get(), 444, MOD_WIN, 0xC3));
    window.reset();
    EXPECT_TRUE(hotKeys.Register(&other, 444, MOD_WIN, 0xC3)) << "a closed window's key is free again";
}
