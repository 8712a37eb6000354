#include "app/CommandLine.h"
#include "app/Locations.h"
#include "support/FileTree.h"
#include "support/Installation.h"

#include <gtest/gtest.h>

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
    process.setProgram(QStringLiteral(TARNHOLD_EXECUTABLE));
    process.setArguments(arguments);
    process.start();
    EXPECT_TRUE(process.waitForFinished(30'000));
    return {process.exitCode(), process.readAllStandardOutput()};
}

// The position of the quote that closes the string opening at start.
qsizetype endOfString(const QByteArray &json, qsizetype start)
{
    qsizetype index = start + 1;
    while (index < json.size() && json.at(index) != '"')
        index += json.at(index) == '\\' ? 2 : 1;
    return index;
}

// QJsonObject sorts keys, so the order the command wrote them is read from
// the text.
QStringList keysInOrder(const QByteArray &object)
{
    QStringList keys;
    int depth = 0;
    for (qsizetype index = 0; index < object.size(); ++index) {
        const char character = object.at(index);
        if (character == '"') {
            const qsizetype end = endOfString(object, index);
            const char before = object.at(index - 1);
            if (depth == 1 && (before == '{' || before == ','))
                keys.append(QString::fromUtf8(object.mid(index + 1, end - index - 1)));
            index = end;
        } else if (character == '{' || character == '[') {
            ++depth;
        } else if (character == '}' || character == ']') {
            --depth;
        }
    }
    return keys;
}

TEST(CommandLineParsing, RecognisesEveryMode)
{
    EXPECT_EQ(parseCommandLine({}).mode, CommandLine::Mode::window);
    EXPECT_EQ(parseCommandLine({QStringLiteral("--version")}).mode, CommandLine::Mode::version);
    const CommandLine status = parseCommandLine({QStringLiteral("status")});
    EXPECT_EQ(status.mode, CommandLine::Mode::status);
    EXPECT_FALSE(status.json);
    EXPECT_TRUE(parseCommandLine({QStringLiteral("status"), QStringLiteral("--json")}).json);

    const CommandLine url = parseCommandLine({QStringLiteral("tarnhold://maps")});
    EXPECT_EQ(url.mode, CommandLine::Mode::window);
    EXPECT_EQ(url.url, QUrl(QStringLiteral("tarnhold://maps")));

    for (const QStringList &bad :
         {QStringList{QStringLiteral("status"), QStringLiteral("--xml")}, QStringList{QStringLiteral("--frobnicate")},
          QStringList{QStringLiteral("tarnhold://maps"), QStringLiteral("extra")}})
        EXPECT_EQ(parseCommandLine(bad).mode, CommandLine::Mode::usageError) << bad.join(u' ').toStdString();
}

TEST(StatusCommand, PrintsTheVersion)
{
    const CommandRun run = tarnhold({QStringLiteral("--version")});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.output, "Tarnhold 0.3.1\n");
}

TEST(StatusCommand, RejectsUnknownArguments)
{
    EXPECT_EQ(tarnhold({QStringLiteral("--frobnicate")}).exitCode, 2);
}

TEST(StatusCommand, JsonDescribesAnEmptyMachine)
{
    const CommandRun run = tarnhold({QStringLiteral("status"), QStringLiteral("--json")});
    ASSERT_EQ(run.exitCode, 0);
    EXPECT_EQ(keysInOrder(run.output.trimmed()),
              (QStringList{"version", "statusTitle", "isReady", "hasUpdate", "activity", "setupStep", "runtime",
                           "prefix", "launcher", "legacyInstallationPresent", "record", "components", "maps"}));

    const QJsonObject status = QJsonDocument::fromJson(run.output).object();
    EXPECT_EQ(status.value("version").toString(), QStringLiteral("0.3.1"));
    EXPECT_EQ(status.value("statusTitle").toString(), QStringLiteral("Installation required"));
    EXPECT_EQ(status.value("activity").toString(), QStringLiteral("Installation required"));
    EXPECT_EQ(status.value("setupStep").toString(), QStringLiteral("checkMac"));
    EXPECT_TRUE(status.value("runtime").isNull());
    EXPECT_TRUE(status.value("launcher").isNull());
    EXPECT_EQ(status.value("record").toObject(),
              QJsonObject({{QStringLiteral("runtimeVersion"), QStringLiteral("Wine 11.0 SSE2")}}));
    EXPECT_EQ(status.value("components").toArray().size(), 6);
    EXPECT_TRUE(status.value("maps").toArray().isEmpty());
}

TEST(StatusCommand, JsonDescribesAnInstallationWithMaps)
{
    Installation::addReadyInstallation();
    Installation::writeStateFile(R"({"runtimeVersion": "Wine 11.0 SSE2", "velmoraVersion": "1.4"})");
    const QString maps = FileTree::inHome(QStringLiteral("Documents/Command and Conquer Generals Zero Hour Data/Maps"));
    FileTree::writeFile(maps + QStringLiteral("/Tundra \"Night\"/Tundra \"Night\".map"));
    FileTree::writeFile(maps + QStringLiteral("/Tundra \"Night\"/Tundra \"Night\".tga"));

    const CommandRun run = tarnhold({QStringLiteral("status"), QStringLiteral("--json")});
    ASSERT_EQ(run.exitCode, 0);
    const QJsonObject status = QJsonDocument::fromJson(run.output).object();
    EXPECT_TRUE(status.value("isReady").toBool());
    EXPECT_EQ(status.value("statusTitle").toString(), QStringLiteral("Ready to play"));
    EXPECT_EQ(status.value("setupStep").toString(), QStringLiteral("complete"));
    EXPECT_EQ(status.value("runtime").toString(), Locations::currentRuntimeFolder());
    EXPECT_EQ(status.value("record").toObject().value("velmoraVersion").toString(), QStringLiteral("1.4"));

    const QJsonObject component = status.value("components").toArray().at(2).toObject();
    EXPECT_EQ(keysInOrder(QJsonDocument(component).toJson(QJsonDocument::Compact)).size(), 4);
    EXPECT_EQ(component.value("health").toString(), QStringLiteral("ready"));

    const QJsonArray mapList = status.value("maps").toArray();
    ASSERT_EQ(mapList.size(), 1);
    const QJsonObject map = mapList.at(0).toObject();
    EXPECT_EQ(map.value("name").toString(), QStringLiteral("Tundra \"Night\""));
    EXPECT_EQ(map.value("source").toString(), QStringLiteral("personal"));
    EXPECT_FALSE(map.value("containsINI").toBool());
    EXPECT_EQ(map.value("thumbnail").toString(), maps + QStringLiteral("/Tundra \"Night\"/Tundra \"Night\".tga"));
}

TEST(StatusCommand, TextSummaryListsEveryComponent)
{
    const CommandRun run = tarnhold({QStringLiteral("status")});
    ASSERT_EQ(run.exitCode, 0);
    const QString text = QString::fromUtf8(run.output);
    EXPECT_TRUE(text.startsWith(QStringLiteral("Tarnhold 0.3.1 · Installation required\n")));
    for (const char *name :
         {"Mac runtime", "Original game", "Velmora", "Multiplayer profile", "Online interface", "Map library"})
        EXPECT_TRUE(text.contains(QLatin1StringView(name))) << name;
    EXPECT_TRUE(text.contains(QStringLiteral("Maps: 0 maps in the library")));
}

} // namespace
