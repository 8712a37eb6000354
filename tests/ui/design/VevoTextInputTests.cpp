#include "support/FakePlatform.h"
#include "ui/design/VevoAppearance.h"
#include "ui/design/VevoTextInput.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QSignalSpy>
#include <QTest>

namespace {

TEST(VevoTextInput, SecureEntryMasksWhatIsTypedEvenToAssistiveTechnology)
{
    FakePlatform platform;
    VevoAppearance appearance(platform);
    VevoTextInput input(appearance, QStringLiteral("Password"));
    input.setSecure(true);
    QTest::keyClicks(&input, QStringLiteral("hunter2"));
    EXPECT_EQ(input.text(), QStringLiteral("hunter2"));
    EXPECT_EQ(input.echoMode(), QLineEdit::Password);
    EXPECT_NE(input.displayText(), input.text());
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(&input);
    ASSERT_NE(accessible, nullptr);
    EXPECT_EQ(accessible->text(QAccessible::Name), QStringLiteral("Password"));
    EXPECT_FALSE(accessible->text(QAccessible::Value).contains(QStringLiteral("hunter2")));

    input.setSecure(false);
    EXPECT_EQ(input.displayText(), QStringLiteral("hunter2"));
}

TEST(VevoTextInput, ReturnSubmits)
{
    FakePlatform platform;
    VevoAppearance appearance(platform);
    VevoTextInput input(appearance);
    QSignalSpy submitted(&input, &QLineEdit::returnPressed);
    QTest::keyClick(&input, Qt::Key_Return);
    EXPECT_EQ(submitted.count(), 1);
}

} // namespace
