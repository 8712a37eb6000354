#include "app/CommandLine.h"
#include "app/StatusCommand.h"
#include "app/TarnholdModel.h"
#include "base/Locations.h"
#include "support/FakePlatform.h"
#include "support/FileTree.h"
#include "support/Installation.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

namespace {

struct CommandRun
{
    int exitCode = -1;
    QByteArray output;
};

// Runs the real executable, which inherits the test's temporary HOME.
CommandRun tarnhold(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral(TARNHOLD_EXECUTABLE), arguments);
    EXPECT_TRUE(process.waitForFinished(30'000));
    return {process.exitCode(), process.readAllStandardOutput()};
}

TEST(CommandLineParsing, RecognisesEveryModeAndRejectsTheRest)
{
    EXPECT_EQ(parseCommandLine({}).mode, CommandLine::Mode::window);
    EXPECT_EQ(parseCommandLine({QStringLiteral("--version")}).mode, CommandLine::Mode::version);
    EXPECT_FALSE(parseCommandLine({QStringLiteral("status")}).json);
    EXPECT_TRUE(parseCommandLine({QStringLiteral("status"), QStringLiteral("--json")}).json);
    EXPECT_EQ(parseCommandLine({QStringLiteral("tarnhold://maps")}).url, QUrl(QStringLiteral("tarnhold://maps")));

    for (const QStringList &bad :
         {QStringList{QStringLiteral("status"), QStringLiteral("--xml")}, QStringList{QStringLiteral("--frobnicate")},
          QStringList{QStringLiteral("tarnhold://maps"), QStringLiteral("extra")}})
        EXPECT_EQ(parseCommandLine(bad).mode, CommandLine::Mode::usageError) << bad.join(u' ').toStdString();
}

TEST(StatusCommand, PrintsTheVersionAndRejectsUnknownArguments)
{
    EXPECT_EQ(tarnhold({QStringLiteral("--version")}).output, "Tarnhold 0.3.1\n");
    EXPECT_EQ(tarnhold({QStringLiteral("--frobnicate")}).exitCode, 2);
}

TEST(StatusCommand, JsonOfAnEmptyMachineKeepsItsKeyOrder)
{
    const CommandRun run = tarnhold({QStringLiteral("status"), QStringLiteral("--json")});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(
        run.output,
        R"({"version":"0.3.1","statusTitle":"Installation required","isReady":false,"hasUpdate":false,)"
        R"("activity":"Installation required","setupStep":"checkMac","runtime":null,"prefix":null,"launcher":null,)"
        R"("legacyInstallationPresent":false,"record":{"runtimeVersion":"Wine 11.0 SSE2"},"components":[)"
        R"({"id":"runtime","name":"Mac runtime","detail":"Required","health":"missing"},)"
        R"({"id":"steam","name":"Original game","detail":"Steam ownership required","health":"missing"},)"
        R"({"id":"online","name":"Velmora","detail":"Not installed","health":"missing"},)"
        R"({"id":"profile","name":"Multiplayer profile","detail":"Configured during installation","health":"missing"},)"
        R"({"id":"controlbar","name":"Online interface","detail":"Configured during installation",)"
        R"("health":"attention"},)"
        R"({"id":"maps","name":"Map library","detail":"Installed with online client","health":"missing"}],)"
        R"("maps":[]})"
        "\n");
}

TEST(StatusCommand, DescribesAnInstallationWithMaps)
{
    Installation::addReadyInstallation();
    Installation::writeStateFile(R"({"runtimeVersion": "Wine 11.0 SSE2", "velmoraVersion": "1.4"})");
    const QString map = Locations::gameMapsFolder() + QStringLiteral("/Tundra \"Night\"/Tundra \"Night\"");
    FileTree::writeFile(map + QStringLiteral(".map"));
    FileTree::writeFile(map + QStringLiteral(".tga"));

    const CommandRun json = tarnhold({QStringLiteral("status"), QStringLiteral("--json")});
    ASSERT_EQ(json.exitCode, 0);
    const QJsonObject status = QJsonDocument::fromJson(json.output).object();
    EXPECT_EQ(status.value("statusTitle").toString(), QStringLiteral("Ready to play"));
    EXPECT_EQ(status.value("setupStep").toString(), QStringLiteral("complete"));
    EXPECT_EQ(status.value("runtime").toString(), Locations::currentRuntimeFolder());
    EXPECT_EQ(status.value("record").toObject().value("velmoraVersion").toString(), QStringLiteral("1.4"));
    const QJsonArray maps = status.value("maps").toArray();
    ASSERT_EQ(maps.size(), 1);
    EXPECT_EQ(maps.at(0).toObject().value("name").toString(), QStringLiteral("Tundra \"Night\""));
    EXPECT_EQ(maps.at(0).toObject().value("thumbnail").toString(), map + QStringLiteral(".tga"));

    const QString text = QString::fromUtf8(tarnhold({QStringLiteral("status")}).output);
    EXPECT_TRUE(text.startsWith(QStringLiteral("Tarnhold 0.3.1 · Ready to play\n"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Velmora               ready      1.4")));
    EXPECT_TRUE(text.contains(QStringLiteral("Maps: 1 map in the library")));
}

TEST(StatusCommand, ShowsControlCharactersFromTheRecordEscaped)
{
    Installation::addReadyInstallation();
    Installation::writeStateFile("{\"runtimeVersion\": \"Wine\", \"velmoraVersion\": \"1.4\\u001b[2J\\\\\"}");
    const QByteArray text = tarnhold({QStringLiteral("status")}).output;
    EXPECT_FALSE(text.contains('\x1b'));
    EXPECT_TRUE(text.contains(R"(Velmora               ready      1.4\u{1b}[2J\\)")) << text.constData();
}

TEST(StatusCommand, AFailedRefreshEndsWithOneLineOnStandardError)
{
    TarnholdModel model{std::make_unique<FakePlatform>()};
    QBuffer out;
    QBuffer err;
    out.open(QIODevice::WriteOnly);
    err.open(QIODevice::WriteOnly);
    const int status = QCoro::waitFor(printStatus(
        []() -> QCoro::Task<> {
            throw std::bad_alloc();
            co_return;
        }(),
        model, false, out, err));
    EXPECT_EQ(status, 1);
    EXPECT_TRUE(out.data().isEmpty());
    EXPECT_EQ(err.data(), "tarnhold: could not read the installation: std::bad_alloc\n");
}

} // namespace
