#include "base/Locations.h"
#include "setup/SteamAccount.h"
#include "setup/SteamCmdCommand.h"

#include <gtest/gtest.h>

#include <QDir>

using namespace Qt::Literals::StringLiterals;

TEST(SteamAccount, TrimsTheNameAndAcceptsOnlyLettersMarksDigitsAndUnderscores)
{
    const QString empty = u"Enter a name."_s;
    const QString invalid = u"Steam account names may contain letters, numbers and underscores only."_s;
    const std::pair<QString, QString> cases[] = {
        {u"  gordon_1 \n"_s, QString()},  {u"Søren"_s, QString()}, {u"Se\u0301verine٣"_s, QString()},
        {u"x"_s.repeated(64), QString()}, {u"\t \n"_s, empty},     {u"gordon freeman"_s, invalid},
        {u"gordon.freeman"_s, invalid},   {u"gordon'"_s, invalid}, {u"x"_s.repeated(65), invalid}};
    for (const auto &[typed, refusal] : cases) {
        const SteamAccountCheck check = checkSteamAccount(typed, empty);
        EXPECT_EQ(check.refusal, refusal) << typed.toStdString();
        EXPECT_EQ(check.name, typed.trimmed());
    }
}

// Nothing else of Tarnhold's environment reaches SteamCMD.
TEST(SteamCmdCommand, PassesSixVariablesWithFallbacksForMissingOnes)
{
    QProcessEnvironment own;
    own.insert(u"USER"_s, u"gordon"_s);
    own.insert(u"SECRET_TOKEN"_s, u"never passed on"_s);
    const QProcessEnvironment environment = SteamCmdCommand::environment(own);
    // The login name falls back to the system's, whatever it is here.
    EXPECT_FALSE(environment.value(u"LOGNAME"_s).isEmpty());
    EXPECT_EQ(environment.toStringList(),
              (QStringList{u"HOME="_s + Locations::homeFolder(), u"LANG=C.UTF-8"_s,
                           u"LOGNAME="_s + environment.value(u"LOGNAME"_s), u"PATH=/usr/bin:/bin:/usr/sbin:/sbin"_s,
                           u"TMPDIR="_s + QDir::tempPath(), u"USER=gordon"_s}));
}
