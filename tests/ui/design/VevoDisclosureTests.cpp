#include "support/FakePlatform.h"
#include "ui/design/VevoAppearance.h"
#include "ui/design/VevoDisclosure.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QSignalSpy>
#include <QTest>

namespace {

TEST(VevoDisclosure, HeaderClickAndKeysToggleTheContentAndWhatIsAnnounced)
{
    FakePlatform platform;
    VevoAppearance appearance(platform);
    VevoDisclosure disclosure(appearance, QStringLiteral("Advanced"), new QLabel(QStringLiteral("Details")));
    disclosure.setSubtitle(QStringLiteral("Wine prefix and logs"));
    disclosure.show();
    QSignalSpy changed(&disclosure, &VevoDisclosure::expandedChanged);
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(&disclosure);
    ASSERT_NE(accessible, nullptr);
    EXPECT_EQ(accessible->role(), QAccessible::Button);
    EXPECT_EQ(accessible->text(QAccessible::Name), QStringLiteral("Advanced"));
    EXPECT_EQ(accessible->text(QAccessible::Description), QStringLiteral("Shows or hides details"));
    EXPECT_EQ(accessible->text(QAccessible::Value), QStringLiteral("Collapsed"));
    EXPECT_FALSE(disclosure.content()->isVisible());

    QTest::mouseClick(&disclosure, Qt::LeftButton, {}, QPoint(40, 8));
    EXPECT_TRUE(disclosure.content()->isVisible());
    EXPECT_EQ(accessible->text(QAccessible::Value), QStringLiteral("Expanded"));

    // A click inside the content is the content's, not the header's.
    QTest::mouseClick(&disclosure, Qt::LeftButton, {}, QPoint(40, disclosure.height() - 2));
    EXPECT_TRUE(disclosure.isExpanded());

    QTest::keyClick(&disclosure, Qt::Key_Space);
    EXPECT_FALSE(disclosure.content()->isVisible());
    EXPECT_EQ(accessible->text(QAccessible::Value), QStringLiteral("Collapsed"));
    disclosure.setExpanded(false);
    EXPECT_EQ(changed.count(), 2);
}

// The content lines up with the title, which moves right to make room for an icon.
TEST(VevoDisclosure, ContentFollowsTheTitleWhenAnIconIsAdded)
{
    FakePlatform platform;
    VevoAppearance appearance(platform);
    VevoDisclosure disclosure(appearance, QStringLiteral("Advanced"), new QLabel(QStringLiteral("Details")));
    disclosure.setExpanded(true);
    disclosure.show();
    const int plain = disclosure.content()->x();
    disclosure.setSymbol(QStringLiteral("lock.shield"));
    QCoreApplication::processEvents();
    EXPECT_EQ(disclosure.content()->x(), plain + 16 + 8);
}

} // namespace
