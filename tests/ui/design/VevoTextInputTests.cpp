#include "support/FakePlatform.h"
#include "ui/design/VevoAppearance.h"
#include "ui/design/VevoColors.h"
#include "ui/design/VevoMetrics.h"
#include "ui/design/VevoTextInput.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QSignalSpy>
#include <QTest>

#include <algorithm>

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

// The icon sits at the left inside the field and the text starts after it;
// without the icon the text takes its place again.
TEST(VevoTextInput, LeadingIconKeepsTheTextClearOfIt)
{
    FakePlatform platform;
    VevoAppearance appearance(platform);
    VevoTextInput input(appearance, QStringLiteral("Search maps"));
    input.setText(QStringLiteral("WWWWWWWW"));
    input.resize(input.sizeHint());
    // The darkest grey painted where the icon goes; the icon's muted grey
    // lies between the well and the darker text.
    const auto darkest = [&] {
        const QImage image = input.grab().toImage();
        double grey = 1;
        for (int x = Vevo::Space::sm; x < Vevo::Space::sm + 16; ++x) {
            for (int y = 0; y < image.height(); ++y)
                grey = std::min(grey, double(image.pixelColor(x, y).redF()));
        }
        return grey;
    };
    const double well = Vevo::sunken.color(VevoScheme::light).redF();
    const double muted = Vevo::textMuted.color(VevoScheme::light).redF();
    const double text = Vevo::text.color(VevoScheme::light).redF();
    input.setSymbol(QStringLiteral("magnifyingglass"));
    EXPECT_GT(darkest(), (muted + text) / 2) << "text under the icon";
    EXPECT_LT(darkest(), (muted + well) / 2) << "no icon";

    input.setSymbol({});
    EXPECT_LT(darkest(), (muted + text) / 2) << "no text at the left";
}

} // namespace
