#include "app/SingleInstance.h"
#include "support/DebianWine.h"
#include "support/FileTree.h"
#include "support/InstallationWorld.h"
#include "support/Wait.h"

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSignalSpy>

namespace {

using namespace Qt::StringLiterals;

// Every step of a setup may run Debian's Wine on a loaded machine.
constexpr int patience = 300'000;

const QString busy = u"tarnhold: Another Tarnhold is working on this installation. Try again when it has finished.\n"_s;

struct Finished
{
    int status;
    QString out;
    QString err;
};

QStringList sandboxArguments(const QString &world, const QStringList &arguments)
{
    return QStringList{u"--world"_s, world} + arguments;
}

// A command of the sandbox with its output going to pipes, as in a script.
Finished runSandbox(const QString &world, const QStringList &arguments)
{
    QProcess sandbox;
    sandbox.start(QStringLiteral(TARNHOLD_SANDBOX), sandboxArguments(world, arguments));
    sandbox.closeWriteChannel();
    EXPECT_TRUE(sandbox.waitForFinished(patience)) << arguments.join(u' ').toStdString();
    return {sandbox.exitCode(), QString::fromUtf8(sandbox.readAllStandardOutput()),
            QString::fromUtf8(sandbox.readAllStandardError())};
}

// A command of the sandbox on a pseudo-terminal, answered as a person at
// the keyboard answers: only once the question is on the screen.
class TerminalSession
{
public:
    TerminalSession(const QString &world, const QStringList &arguments)
    {
        QString command = u"exec"_s;
        for (const QString &argument :
             QStringList{QStringLiteral(TARNHOLD_SANDBOX)} + sandboxArguments(world, arguments))
            command += u" '"_s + QString(argument).replace(u'\'', u"'\\''"_s) + u'\'';
        m_script.start(u"script"_s, {u"-qfec"_s, command, u"/dev/null"_s});
    }

    // Waits until text is shown after everything waited for before.
    void waitFor(const QString &text)
    {
        qsizetype found = -1;
        while ((found = transcript.indexOf(text, m_seen)) < 0) {
            ASSERT_TRUE(m_script.waitForReadyRead(patience)) << "never shown: " << text.toStdString();
            transcript += QString::fromUtf8(m_script.readAll());
        }
        m_seen = found + text.size();
    }

    void answer(const QString &question, const QByteArray &keys)
    {
        waitFor(question);
        m_script.write(keys);
    }

    int finish()
    {
        EXPECT_TRUE(m_script.waitForFinished(patience));
        transcript += QString::fromUtf8(m_script.readAll());
        return m_script.exitCode();
    }

    QString transcript;

private:
    QProcess m_script;
    qsizetype m_seen = 0;
};

// The fields of status --json that scripts read, and their JSON types.
void expectStatusSchema(const QJsonObject &status)
{
    using Type = QJsonValue::Type;
    const std::pair<const char *, Type> fields[] = {
        {"version", Type::String},   {"statusTitle", Type::String},
        {"isReady", Type::Bool},     {"hasUpdate", Type::Bool},
        {"activity", Type::String},  {"setupStep", Type::String},
        {"record", Type::Object},    {"legacyInstallationPresent", Type::Bool},
        {"components", Type::Array}, {"maps", Type::Array}};
    for (const auto &[name, type] : fields)
        EXPECT_EQ(status[QLatin1StringView(name)].type(), type) << name;
    for (const char *path : {"runtime", "prefix", "launcher"})
        EXPECT_TRUE(status[QLatin1StringView(path)].isString() || status[QLatin1StringView(path)].isNull()) << path;
    for (const QJsonValue component : status[u"components"_s].toArray())
        for (const char *field : {"id", "name", "detail", "health"})
            EXPECT_TRUE(component[QLatin1StringView(field)].isString()) << field;
    for (const QJsonValue map : status[u"maps"_s].toArray()) {
        for (const char *field : {"name", "path", "source"})
            EXPECT_TRUE(map[QLatin1StringView(field)].isString()) << field;
        EXPECT_TRUE(map[u"containsINI"_s].isBool());
    }
}

QJsonObject statusOf(const QString &world)
{
    const Finished status = runSandbox(world, {u"status"_s, u"--json"_s});
    EXPECT_EQ(status.status, 0) << status.err.toStdString();
    return QJsonDocument::fromJson(status.out.toUtf8()).object();
}

// The world is the sandbox's home, and its sites answer: the status sees an
// empty installation and the release its update channel offers.
TEST(Sandbox, RunsTarnholdInsideItsWorld)
{
    const QString world = FileTree::inHome(u"world"_s);
    const QJsonObject status = statusOf(world);
    expectStatusSchema(status);
    EXPECT_EQ(status[u"statusTitle"_s], u"Installation required"_s);
    EXPECT_EQ(status[u"hasUpdate"_s], true);
    EXPECT_TRUE(QFileInfo(world + u"/Library/Application Support/Tarnhold"_s).isDir());
    EXPECT_FALSE(QFileInfo::exists(FileTree::inHome(u"Library"_s)));
    const Finished check = runSandbox(world, {u"check-updates"_s});
    EXPECT_EQ(check.out, u"Checking the official update channel…\nVelmora 1.2 is the current release. Install it with "
                         u"“tarnhold setup”.\n"_s);

    QProcess lost;
    lost.start(QStringLiteral(TARNHOLD_SANDBOX), {u"status"_s});
    ASSERT_TRUE(lost.waitForFinished(patience));
    EXPECT_EQ(lost.exitCode(), 2);
}

// A window of the same world, standing in as this process, hears that a
// command changed the installation, even one that failed halfway.
TEST(Sandbox, AWindowOpenMeanwhileRefreshesOnceACommandHasWorked)
{
    const QString world = FileTree::inHome(u"world"_s);
    FileTree::makeFolder(world + u"/tmp"_s);
    const QByteArray home = qgetenv("HOME");
    const QByteArray temporary = qgetenv("TMPDIR");
    qputenv("HOME", QFile::encodeName(world));
    qputenv("TMPDIR", QFile::encodeName(world + u"/tmp"_s));
    SingleInstance window;
    const bool listening = window.listen();
    qputenv("HOME", home);
    qputenv("TMPDIR", temporary);
    ASSERT_TRUE(listening);
    QSignalSpy urls(&window, &SingleInstance::urlReceived);

    QProcess command;
    command.start(QStringLiteral(TARNHOLD_SANDBOX), sandboxArguments(world, {u"restore-legacy"_s}));
    EXPECT_TRUE(eventually([&] { return urls.count() == 1; }));
    EXPECT_TRUE(command.state() == QProcess::NotRunning || command.waitForFinished(patience));
    EXPECT_EQ(command.exitCode(), 1);
    EXPECT_EQ(urls.value(0).value(0).toUrl(), QUrl(u"tarnhold://refresh"_s));
}

// The first installation as a newcomer makes it in a terminal: Ctrl-C at the
// password stops the download, a second setup finishes, and then the
// installation is played, repaired, emptied and given back.
TEST(Sandbox, InstallsPlaysAndRemovesVelmoraFromTheTerminal)
{
    // The game the fake runtime plays never ends by itself.
    if (!DebianWine::installed() || !InstallationWorld::hasWindowsPrograms())
        GTEST_SKIP() << DebianWine::missing << ", or MinGW is not (apt-get install gcc-mingw-w64-x86-64-win32)";
    const QString world = FileTree::inHome(u"world"_s);
    const QByteArray password = "correct horse battery staple";
    {
        TerminalSession setup(world, {u"setup"_s});
        setup.answer(u"Steam account name"_s, "alice\n");
        setup.waitFor(u"Steam password: "_s);
        // The setup holds the installation while it waits; reading is free.
        const Finished repair = runSandbox(world, {u"repair"_s});
        EXPECT_EQ(repair.status, 2);
        EXPECT_EQ(repair.err, busy);
        EXPECT_EQ(runSandbox(world, {u"status"_s}).status, 0);
        setup.answer(QString(), "\x03");
        EXPECT_EQ(setup.finish(), 130);
        EXPECT_TRUE(setup.transcript.contains(
            u"The Steam download was cancelled. Existing downloaded files were kept for the next attempt."_s));
    }
    {
        TerminalSession setup(world, {u"setup"_s});
        setup.answer(u"Steam account name"_s, "alice\n");
        setup.answer(u"Steam password: "_s, password + '\n');
        setup.answer(u"Steam Guard code: "_s, "12345\n");
        EXPECT_EQ(setup.finish(), 0) << setup.transcript.toStdString();
        EXPECT_FALSE(setup.transcript.contains(QString::fromUtf8(password)));
        EXPECT_FALSE(setup.transcript.contains(u"12345"_s));
        // The progress line is redrawn in place with its bar.
        EXPECT_TRUE(setup.transcript.contains(u"100% [########################]\x1b[K"_s));
        EXPECT_TRUE(setup.transcript.contains(u"Step 5 of 5: Install Velmora"_s));
    }
    const QJsonObject installed = statusOf(world);
    expectStatusSchema(installed);
    EXPECT_EQ(installed[u"statusTitle"_s], u"Ready to play"_s);

    const Finished played = runSandbox(world, {u"launch"_s, u"--wait"_s});
    EXPECT_EQ(played.status, 0) << played.err.toStdString();
    EXPECT_EQ(played.out, u"Velmora was started. Its log is written to "_s + world
                              + u"/Library/Logs/Tarnhold/game.log.\nVelmora has ended.\n"_s);
    // The Windows stand-ins really ran: the anti-cheat installer with its
    // identifier, the launcher at the prepared resolution.
    const QString game = world + u"/Library/Application Support/Tarnhold/Prefix/drive_c/GeneralsZH"_s;
    EXPECT_EQ(FileTree::readFile(game + u"/installer-arguments.txt"_s), "install\n" + QByteArray(32, 'a') + '\n');
    const QDir logs(world + u"/Library/Logs/Tarnhold"_s);
    EXPECT_TRUE(FileTree::readFile(logs.filePath(u"game.log"_s)).contains("Velmora launcher started with 4 arguments"));
    const QStringList clientLogs = logs.entryList({u"velmora-*.log"_s});
    ASSERT_EQ(clientLogs.size(), 1);
    EXPECT_EQ(FileTree::readFile(logs.filePath(clientLogs.first())), "-xres 2560 -yres 1440\n");
    const Finished stopped = runSandbox(world, {u"stop"_s});
    EXPECT_EQ(stopped.status, 1);
    EXPECT_EQ(stopped.err, u"tarnhold: Velmora is not running.\n"_s);

    const Finished profile = runSandbox(world, {u"profile"_s});
    EXPECT_EQ(profile.status, 0) << profile.err.toStdString();
    EXPECT_TRUE(profile.out.endsWith(u"Multiplayer profile restored\nThe official Community Data Patch, current ranked "
                                     u"maps, Control Bar Pro and GenTool are installed. Generated map data will "
                                     u"refresh on the next launch.\n"_s))
        << profile.out.toStdString();
    EXPECT_EQ(runSandbox(world, {u"maps"_s, u"list"_s}).out.count(u"\tManaged collection\n"_s), 9);
    const Finished repaired = runSandbox(world, {u"open-url"_s, u"tarnhold://repair"_s});
    EXPECT_EQ(repaired.status, 0) << repaired.err.toStdString();
    EXPECT_TRUE(repaired.out.startsWith(u"Stopping leftover Wine processes…\n"_s)) << repaired.out.toStdString();
    EXPECT_TRUE(repaired.out.endsWith(u"Repair complete\n"_s));

    const Finished removed = runSandbox(world, {u"uninstall"_s, u"--managed"_s});
    EXPECT_EQ(removed.status, 0) << removed.err.toStdString();
    EXPECT_EQ(statusOf(world)[u"statusTitle"_s], u"Installation required"_s);
    EXPECT_TRUE(QFileInfo(world + u"/.local/share/Trash/files/Prefix"_s).isDir());
    EXPECT_FALSE(QFileInfo::exists(FileTree::inHome(u".local/share/Trash"_s)));
    const Finished restored = runSandbox(world, {u"restore-legacy"_s});
    EXPECT_EQ(restored.status, 1);
    EXPECT_EQ(restored.err, u"tarnhold: No complete legacy Velmora installation was detected.\n"_s);
}

} // namespace
