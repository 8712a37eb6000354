#include "app/CommandLine.h"
#include "app/TarnholdModel.h"
#include "app/VerbCommand.h"
#include "base/Locations.h"
#include "support/FakePlatform.h"
#include "support/FileTree.h"
#include "support/TestServices.h"

#include <gtest/gtest.h>

#include <QBuffer>

namespace {

using namespace Qt::StringLiterals;

struct Ran
{
    int status;
    QByteArray out;
    QByteArray err;
};

// Verbs run as main runs them, on a model of the fake platform whose update
// channel is a fixture server.
class VerbCommand : public testing::Test
{
protected:
    FixtureServer server;
    TarnholdModel model{std::make_unique<FakePlatform>(), TestServices::catalogAt(server)};

    Ran run(const QStringList &arguments)
    {
        const CommandLine command = parseCommandLine(arguments);
        EXPECT_EQ(command.mode, CommandLine::Mode::verb) << command.error.toStdString();
        QBuffer out;
        QBuffer err;
        EXPECT_TRUE(out.open(QIODevice::WriteOnly) && err.open(QIODevice::WriteOnly));
        const int status = QCoro::waitFor(runVerb(model, command, out, err, false));
        return {status, out.data(), err.data()};
    }
};

TEST_F(VerbCommand, ImportsListsAndRemovesAMap)
{
    const QString picked = FileTree::inHome(u"Downloads/Tundra"_s);
    FileTree::writeFile(picked + u"/Tundra.map"_s, "map");
    const Ran import = run({u"maps"_s, u"import"_s, picked});
    EXPECT_EQ(import.status, 0) << import.err.constData();
    EXPECT_TRUE(import.out.endsWith(
        "Map import complete\nImported 1 map. Imported maps remain personal and are not uploaded.\n"))
        << import.out.constData();

    const Ran list = run({u"maps"_s, u"list"_s});
    EXPECT_EQ(list.out, "Tundra\tPersonal map\n");

    const Ran remove = run({u"maps"_s, u"remove"_s, u"Tundra"_s});
    EXPECT_EQ(remove.status, 0);
    EXPECT_EQ(remove.out, "Tundra was moved to the Trash. Managed maps can be restored from Updates.\n");
}

TEST_F(VerbCommand, RefusalsEndWithTheMessageAndStatusOne)
{
    const Ran unknown = run({u"maps"_s, u"remove"_s, u"Nowhere"_s});
    EXPECT_EQ(unknown.status, 1);
    EXPECT_EQ(unknown.err, "tarnhold: No map named “Nowhere” is in the game’s map library.\n");

    const Ran legacy = run({u"restore-legacy"_s});
    EXPECT_EQ(legacy.status, 1);
    EXPECT_TRUE(legacy.out.isEmpty());
    EXPECT_EQ(legacy.err, "tarnhold: No complete legacy Velmora installation was detected.\n");
}

} // namespace
