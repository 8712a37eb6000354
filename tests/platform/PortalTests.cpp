#include "PrivateBus.h"
#include "platform/LinuxPlatform.h"
#include "support/Wait.h"

#include <gtest/gtest.h>

#include <QDBusVariant>

using namespace Qt::StringLiterals;

namespace {

const QString appearance = u"org.freedesktop.appearance"_s;

// Answers ReadOne, or only Read as portals before version 2 do, from the
// values given per key of the appearance settings; other keys are not found.
PrivateBus::Answer portalAnswers(bool knowsReadOne, const QVariantHash &values)
{
    return [=](const QDBusMessage &call) -> std::optional<QDBusMessage> {
        if (call.member() == u"ReadOne" && !knowsReadOne)
            return call.createErrorReply(QDBusError::UnknownMethod, u"No such method “ReadOne”"_s);
        const QVariant value =
            call.arguments().value(0) == appearance ? values.value(call.arguments().value(1).toString()) : QVariant();
        if (!value.isValid())
            return call.createErrorReply(u"org.freedesktop.portal.Error.NotFound"_s, u"Requested setting not found"_s);
        QVariant reply = QVariant::fromValue(QDBusVariant(value));
        if (call.member() == u"Read")
            reply = QVariant::fromValue(QDBusVariant(reply));
        return call.createReply(reply);
    };
}

QDBusMessage settingChanged(const QString &group, const QString &key, const QVariant &value)
{
    return QDBusMessage::createSignal(u"/org/freedesktop/portal/desktop"_s, u"org.freedesktop.portal.Settings"_s,
                                      u"SettingChanged"_s)
           << group << key << QVariant::fromValue(QDBusVariant(value));
}

// A platform on a private bus with a dark GTK theme, so that the portal's
// "light" and its lack of a preference tell apart.
class Portal : public testing::Test
{
protected:
    PrivateBus bus;
    LinuxPlatform platform{bus.address()};
    int changes = 0;

    void SetUp() override
    {
        qputenv("GTK_THEME", "Adwaita:dark");
        qunsetenv("TARNHOLD_APPEARANCE");
        qunsetenv("TARNHOLD_REDUCED_MOTION");
    }
    void TearDown() override { qunsetenv("GTK_THEME"); }

    void serve(PrivateBus::Answer answer)
    {
        bus.serve(u"org.freedesktop.portal.Desktop"_s, u"/org/freedesktop/portal/desktop"_s, std::move(answer));
        platform.watchPreferences([this] { ++changes; });
    }
};

// The portal's answers (absent: not found) and what the platform prefers
// after them, with the number of changes that took.
struct AnswerCase
{
    const char *name;
    bool knowsReadOne;
    QVariant colorScheme;
    QVariant reducedMotion;
    bool dark;
    bool reduced;
    int changes;
};

class PortalAnswers : public Portal, public testing::WithParamInterface<AnswerCase>
{};

// Each case ends with a change of reduced motion, which also shows that the
// answers before it have all been taken in.
TEST_P(PortalAnswers, SetThePreferencesAndLaterChangesFollow)
{
    const AnswerCase &answer = GetParam();
    QVariantHash values;
    if (answer.colorScheme.isValid())
        values.insert(u"color-scheme"_s, answer.colorScheme);
    if (answer.reducedMotion.isValid())
        values.insert(u"reduced-motion"_s, answer.reducedMotion);
    serve(portalAnswers(answer.knowsReadOne, values));
    ASSERT_TRUE(eventually([&] { return bus.calls.size() == (answer.knowsReadOne ? 2 : 4); }));

    bus.send(settingChanged(appearance, u"reduced-motion"_s, uint(!answer.reduced)));
    ASSERT_TRUE(eventually([&] { return changes == answer.changes + 1; })) << changes;
    EXPECT_NE(platform.prefersReducedMotion(), answer.reduced);
    EXPECT_EQ(platform.prefersDarkAppearance(), answer.dark);
}

INSTANTIATE_TEST_SUITE_P(, PortalAnswers,
                         testing::Values(AnswerCase{"Dark", true, 1u, 1u, true, true, 2},
                                         AnswerCase{"Light", true, 2u, 0u, false, false, 1},
                                         AnswerCase{"OnlyRead", false, 2u, 1u, false, true, 2},
                                         AnswerCase{"NoPreference", true, 0u, 0u, true, false, 0},
                                         AnswerCase{"NotFound", true, {}, {}, true, false, 0},
                                         AnswerCase{"UnknownValues", true, 7u, 2u, true, false, 0},
                                         AnswerCase{"OtherTypes", true, 1, u"1"_s, true, false, 0}),
                         [](const testing::TestParamInfo<AnswerCase> &info) { return info.param.name; });

// A change that arrives while the first read is unanswered is newer than
// that read's answer; other settings and values this version does not know
// change nothing or mean no preference.
TEST_F(Portal, FollowsChangesAndKeepsTheNewestValue)
{
    const PrivateBus::Answer answers = portalAnswers(true, {{u"reduced-motion"_s, 0u}});
    serve([&](const QDBusMessage &call) -> std::optional<QDBusMessage> {
        if (call.arguments().value(1) == u"color-scheme"_s)
            return std::nullopt;
        return answers(call);
    });
    ASSERT_TRUE(eventually([&] { return bus.calls.size() == 2; }));
    bus.send(settingChanged(appearance, u"color-scheme"_s, 2u));
    ASSERT_TRUE(eventually([&] { return !platform.prefersDarkAppearance(); }));

    ASSERT_EQ(bus.held.size(), 1);
    bus.send(bus.held.takeFirst().createReply(QVariant::fromValue(QDBusVariant(1u))));
    bus.send(settingChanged(appearance, u"reduced-motion"_s, 1u));
    ASSERT_TRUE(eventually([&] { return platform.prefersReducedMotion(); }));
    EXPECT_FALSE(platform.prefersDarkAppearance());

    bus.send(settingChanged(appearance, u"color-scheme"_s, 7u));
    bus.send(settingChanged(u"org.gnome.desktop.interface"_s, u"color-scheme"_s, 2u));
    bus.send(settingChanged(appearance, u"contrast"_s, 1u));
    bus.send(settingChanged(appearance, u"reduced-motion"_s, 0u));
    ASSERT_TRUE(eventually([&] { return !platform.prefersReducedMotion(); }));
    EXPECT_TRUE(platform.prefersDarkAppearance());
    EXPECT_EQ(changes, 4);
}

} // namespace
