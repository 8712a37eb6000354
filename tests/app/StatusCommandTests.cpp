#include "app/StatusCommand.h"
#include "base/Locations.h"
#include "support/FileTree.h"
#include "support/Installation.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

namespace {

using namespace Qt::StringLiterals;

// Runs the real executable, which inherits the test's temporary HOME.
std::pair<int, QByteArray> tarnhold(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral(TARNHOLD_EXECUTABLE), arguments);
    EXPECT_TRUE(process.waitForFinished(30'000));
    return {process.exitCode(), process.readAllStandardOutput()};
}

TEST(StatusCommand, PrintsTheVersionOrTheJsonOfAnEmptyMachineInItsKeyOrder)
{
    EXPECT_EQ(tarnhold({u"--version"_s}).second, "Tarnhold 0.3.1\n");
    for (const QStringList &bad :
         {QStringList{u"--frobnicate"_s}, {u"status"_s, u"--xml"_s}, {u"tarnhold://maps"_s, u"extra"_s}})
        EXPECT_EQ(tarnhold(bad).first, 2) << bad.join(u' ').toStdString();
    const auto [exitCode, output] = tarnhold({u"status"_s, u"--json"_s});
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(
        output,
        R"({"version":"0.3.1","statusTitle":"Installation required","isReady":false,"hasUpdate":false,)"
        R"("activity":"Installation required","setupStep":"checkMac","runtime":null,"prefix":null,"launcher":null,)"
        R"("legacyInstallationPresent":false,"record":{"runtimeVersion":"Wine 11.0 SSE2"},"components":[)"
        R"({"id":"runtime","name":"Linux runtime","detail":"Required","health":"missing"},)"
        R"({"id":"steam","name":"Original game","detail":"Steam ownership required","health":"missing"},)"
        R"({"id":"online","name":"Velmora","detail":"Not installed","health":"missing"},)"
        R"({"id":"profile","name":"Multiplayer profile","detail":"Configured during installation","health":"missing"},)"
        R"({"id":"controlbar","name":"Online interface","detail":"Configured during installation",)"
        R"("health":"attention"},)"
        R"({"id":"maps","name":"Map library","detail":"Installed with online client","health":"missing"}],)"
        R"("maps":[]})"
        "\n");
}

// The record's text reaches the terminal with its control characters escaped.
TEST(StatusCommand, DescribesAnInstallationWithMaps)
{
    Installation::addReadyInstallation();
    Installation::writeStateFile("{\"runtimeVersion\": \"Wine\", \"velmoraVersion\": \"1.4\\u001b[2J\\\\\"}");
    const QString map = Locations::gameMapsFolder() + u"/Tundra \"Night\"/Tundra \"Night\""_s;
    FileTree::writeFile(map + u".map"_s);
    FileTree::writeFile(map + u".tga"_s);

    const auto [exitCode, json] = tarnhold({u"status"_s, u"--json"_s});
    ASSERT_EQ(exitCode, 0);
    const QJsonObject status = QJsonDocument::fromJson(json).object();
    EXPECT_EQ(status.value("runtime").toString(), Locations::currentRuntimeFolder());
    const QJsonObject firstMap = status.value("maps").toArray().at(0).toObject();
    EXPECT_EQ(firstMap.value("name").toString(), u"Tundra \"Night\""_s);
    EXPECT_EQ(firstMap.value("thumbnail").toString(), map + u".tga"_s);

    const QByteArray text = tarnhold({u"status"_s}).second;
    EXPECT_TRUE(text.startsWith("Tarnhold 0.3.1 · Ready to play\n")) << text.constData();
    EXPECT_TRUE(text.contains(R"(Velmora               ready      1.4\u{1b}[2J\\)"));
    EXPECT_TRUE(text.contains("Maps: 1 map in the library"));
}

TEST(StatusCommand, AFailedRefreshEndsWithOneLineOnStandardError)
{
    QBuffer err;
    ASSERT_TRUE(err.open(QIODevice::WriteOnly));
    const auto failing = []() -> QCoro::Task<> {
        throw std::bad_alloc();
        co_return;
    };
    EXPECT_FALSE(QCoro::waitFor(awaitRefresh(failing(), err)));
    EXPECT_EQ(err.data(), "tarnhold: could not read the installation: std::bad_alloc\n");
}

} // namespace
