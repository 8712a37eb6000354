#include "ColourReference.h"
#include "support/FakePlatform.h"
#include "ui/design/VevoAppearance.h"
#include "ui/design/VevoColors.h"
#include "ui/design/VevoMetrics.h"
#include "ui/design/VevoTextInput.h"

#include <gtest/gtest.h>

#include <QAccessible>
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
    EXPECT_NE(input.displayText(), input.text());
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(&input);
    ASSERT_NE(accessible, nullptr);
    EXPECT_EQ(accessible->text(QAccessible::Name), QStringLiteral("Password"));
    EXPECT_FALSE(accessible->text(QAccessible::Value).contains(QStringLiteral("hunter2")));

    input.setSecure(false);
    EXPECT_EQ(input.displayText(), QStringLiteral("hunter2"));
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
    // Whether anything darker than the grey is painted where the icon goes.
    // The icon's muted grey lies between the well and the darker text.
    const auto darker = [&](double grey) {
        return ColourReference::anyPixel(input.grab().toImage(), QRect(Vevo::Space::sm, 0, 16, input.height()),
                                         [&](const QColor &shown) { return shown.redF() < grey; });
    };
    const double well = Vevo::sunken.color(VevoScheme::light).redF();
    const double muted = Vevo::textMuted.color(VevoScheme::light).redF();
    const double text = Vevo::text.color(VevoScheme::light).redF();
    input.setSymbol(QStringLiteral("magnifyingglass"));
    EXPECT_FALSE(darker((muted + text) / 2)) << "text under the icon";
    EXPECT_TRUE(darker((muted + well) / 2)) << "no icon";

    input.setSymbol({});
    EXPECT_TRUE(darker((muted + text) / 2)) << "no text at the left";
}

} // namespace
