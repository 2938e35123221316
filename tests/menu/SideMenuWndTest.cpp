#include "menu/SideMenuWnd.h"
#include "platform/WindowMessage.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QImage>
#include <QTest>

#include <vector>

namespace {
// Stands in for the keyboard window: takes the menu's messages and counts
// the taps that reach it.
struct MenuOwner : QWidget {
    void customEvent(QEvent *event) override
    {
        if (const auto *message = dynamic_cast<WindowMessage *>(event))
            m_messages.push_back(message->WParam() == 0 && message->LParam() == 0 ? message->Message() : -1);
    }
    void mousePressEvent(QMouseEvent *) override { ++m_nPresses; }
    std::vector<int> m_messages;
    int m_nPresses = 0;
};

const QRgb kWhite = qRgb(255, 255, 255), kBlack = qRgb(0, 0, 0), kBlue = qRgb(0, 0, 255),
           kGrey = qRgb(0x80, 0x80, 0x80);
// The client area inside the one-pixel border of the open menu.
constexpr int kWidth = 178, kHeight = 108;

class SideMenuTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const char *items[] = {"Exit", "Select Line", "Clear All", "Copy All", "Cut",
                               "Copy", "Paste", "Preferences...", "Notepad"};
        m_owner.resize(240, 320);
        m_menu.Create(&m_owner, QRect(48, 210, 162, 110));
        for (int item = 0; item < 9; ++item) {
            if (item == 1 || item == 2 || item == 4 || item == 7)
                m_menu.AddSeparator();
            m_menu.AddItem(QString::fromLatin1(items[item]), WM_USER + 101 + item);
        }
        m_owner.show();
    }
    void OpenFully(bool bRightHanded)
    {
        m_menu.Place(bRightHanded);
        m_menu.Open();
        Tick(7);
    }
    void Tick(int count)
    {
        while (count-- > 0)
            m_menu.OnTimer(CSideMenuWnd::kAnimationTimer);
    }
    // The middle of an item's band, in the menu's own coordinates.
    static QPoint ItemPoint(int item, bool bRightHanded)
    {
        return QPoint(1 + (bRightHanded ? 20 * item + 10 : kWidth - 20 * item - 10), 1 + kHeight / 2);
    }
    void Tap(QPoint press, QPoint release)
    {
        QTest::mousePress(&m_menu, Qt::LeftButton, {}, press);
        QTest::mouseRelease(&m_menu, Qt::LeftButton, {}, release);
        QCoreApplication::sendPostedEvents();
    }
    QImage Client() { return m_menu.grab().toImage().convertToFormat(QImage::Format_RGB32).copy(1, 1, kWidth, kHeight); }

    MenuOwner m_owner;
    CSideMenuWnd m_menu;
};

// Pixels of one colour in an item's band, its separator column left out.
int Count(const QImage &image, int item, bool bRightHanded, QRgb colour, QRect *ink = nullptr)
{
    const int left = bRightHanded ? 20 * item : kWidth - 20 * (item + 1);
    int count = 0;
    for (int y = 0; y < kHeight; ++y)
        for (int x = left + 1; x < left + 20; ++x)
            if (image.pixel(x, y) == colour && ++count && ink != nullptr)
                *ink |= QRect(x, y, 1, 1);
    return count;
}
}

TEST_F(SideMenuTest, PlacedPerDirectionItUnrollsAndRollsUpInSevenTicks)
{
    for (bool bRightHanded : {true, false}) {
        m_menu.Place(bRightHanded);
        const QRect open = bRightHanded ? QRect(30, 210, 180, 110) : QRect(30, 0, 180, 110);
        EXPECT_EQ(m_menu.geometry(), open);
        // The width after each tick, -1 once hidden.
        std::vector<int> widths;
        m_menu.Open();
        for (int tick = 0; tick < 14; ++tick) {
            Tick(1);
            widths.push_back(m_menu.isVisible() ? m_menu.width() : -1);
            EXPECT_TRUE(tick != 6 || m_menu.geometry() == open);
            if (tick < 7)
                m_menu.Close(); // refused until it stands open
        }
        EXPECT_EQ(widths, (std::vector<int>{30, 60, 90, 120, 150, 180, 180, 150, 120, 90, 60, 30, 0, -1}));
        EXPECT_EQ(m_menu.x(), bRightHanded ? 210 : 30);
    }
}

TEST_F(SideMenuTest, OpenMenuIsWhiteWithTheHotItemOnBlueDisabledItemsGreyAndSeparators)
{
    for (bool bRightHanded : {true, false}) {
        OpenFully(bRightHanded);
        m_menu.EnableItem(4, false);
        QTest::mousePress(&m_menu, Qt::LeftButton, {}, ItemPoint(2, bRightHanded));
        const QImage image = Client();
        // "Exit" at the menu's outer end, reading from ten pixels in at the
        // bottom (upwards) or the top (downwards).
        QRect ink;
        EXPECT_GT(Count(image, 0, bRightHanded, kBlack, &ink), 20);
        EXPECT_GT(ink.height(), ink.width());
        const int start = bRightHanded ? kHeight - 1 - ink.bottom() : ink.top();
        EXPECT_TRUE(start >= 10 && start <= 14) << start;
        EXPECT_GT(Count(image, 0, bRightHanded, kWhite), 19 * kHeight / 2);
        EXPECT_GT(Count(image, 2, bRightHanded, kWhite), 20);
        EXPECT_EQ(Count(image, 2, bRightHanded, kWhite) + Count(image, 2, bRightHanded, kBlue), 19 * kHeight);
        EXPECT_GT(Count(image, 4, bRightHanded, kGrey), 20);
        EXPECT_EQ(Count(image, 4, bRightHanded, kBlack), 0);
        EXPECT_EQ(Count(image, 5, bRightHanded, kGrey), 0);
        for (int separator : {1, 4, 7}) {
            const int x = bRightHanded ? 20 * separator : kWidth - 20 * separator;
            const QRgb column[] = {image.pixel(x, 4), image.pixel(x, 5), image.pixel(x, kHeight - 6),
                                   image.pixel(x, kHeight - 5), image.pixel(x + 10, 5)};
            EXPECT_EQ(std::vector<QRgb>(column, column + 5),
                      (std::vector<QRgb>{kWhite, kBlack, kBlack, kWhite, kWhite})) << separator;
        }
        EXPECT_EQ(m_menu.grab().toImage().pixel(0, 0), kBlack);
        QTest::mouseRelease(&m_menu, Qt::LeftButton, {}, QPoint(-30, 50));
    }
}

// Taps go to the window, as the stylus's do: while open the menu holds the
// capture, so a tap elsewhere only closes it.
TEST_F(SideMenuTest, ChoosingAnEnabledItemPostsItsMessageOnceAndClosesAndNothingElseDoes)
{
    QWindow *window = m_owner.windowHandle();
    for (bool bRightHanded : {true, false}) {
        for (int item = 0; item < 9; ++item) {
            OpenFully(bRightHanded);
            m_owner.m_messages.clear();
            QTest::mouseClick(window, Qt::LeftButton, {}, m_menu.mapToParent(ItemPoint(item, bRightHanded)));
            QCoreApplication::sendPostedEvents();
            EXPECT_EQ(m_owner.m_messages, std::vector<int>{WM_USER + 101 + item}) << item;
            EXPECT_TRUE(m_menu.IsAnimating() && !m_menu.IsOpening());
            Tick(7);
            EXPECT_EQ(m_menu.HotItem(), -1);
        }
    }
    OpenFully(true);
    QTest::mouseClick(window, Qt::LeftButton, {}, QPoint(100, 100));
    EXPECT_TRUE(m_owner.m_nPresses == 0 && !m_menu.IsOpening());
    Tick(7);
    QTest::mouseClick(window, Qt::LeftButton, {}, QPoint(100, 100));
    EXPECT_TRUE(m_owner.m_nPresses == 1 && !m_menu.isVisible());
    // A disabled item, a lift just above "Exit", a slide off the menu where
    // the highlight finds no item: nothing is chosen.
    OpenFully(true);
    m_owner.m_messages.clear();
    m_menu.EnableItem(5, false);
    Tap(ItemPoint(5, true), ItemPoint(5, true));
    Tap(ItemPoint(0, true), QPoint(11, -3));
    QTest::mousePress(&m_menu, Qt::LeftButton, {}, ItemPoint(0, true));
    QTest::mouseMove(&m_menu, QPoint(300, 50));
    EXPECT_GT(m_menu.HotItem(), 8);
    QTest::mouseRelease(&m_menu, Qt::LeftButton, {}, QPoint(300, 50));
    QCoreApplication::sendPostedEvents();
    EXPECT_TRUE(m_owner.m_messages.empty());
    EXPECT_TRUE(m_menu.IsOpening() && !m_menu.IsAnimating());
}
