// tarnhold-sandbox --world DIR [--steamcmd-archive FILE] [tarnhold's own
// arguments]: Tarnhold in a world of stand-ins kept in DIR, which becomes
// its home folder, so that the whole installation can be tried without
// Steam or the internet. The sites are served on loopback; SteamCMD takes
// any account and password and the Guard code "12345"; Wine is the system's
// when it is installed (with Windows stand-ins for the client's programs),
// otherwise the fake runtime.
#include "SandboxPlatform.h"
#include "app/TarnholdModel.h"
#include "content/Sha256.h"
#include "support/DebianWine.h"
#include "support/FileTree.h"
#include "support/InstallationWorld.h"
#include "support/SteamCmdFixture.h"
#include "support/WineRuntimeFixture.h"
#include "ui/TarnholdMain.h"

#include <QDir>

#include <cstdio>

namespace {

struct SandboxOptions
{
    QString world;
    QString steamCmdArchive;
    QStringList tarnholdArguments;
};

const char *const usage = "usage: tarnhold-sandbox --world DIR [--steamcmd-archive FILE] [tarnhold's arguments]\n";

std::optional<SandboxOptions> parseSandboxOptions(QStringList arguments)
{
    SandboxOptions options;
    while (arguments.size() >= 2 && arguments.first().startsWith(QLatin1String("--"))) {
        const QString option = arguments.takeFirst();
        const QString value = arguments.takeFirst();
        if (option == QLatin1String("--world"))
            options.world = QDir(value).absolutePath();
        else if (option == QLatin1String("--steamcmd-archive"))
            options.steamCmdArchive = QDir(value).absolutePath();
        else
            return std::nullopt;
    }
    options.tarnholdArguments = arguments;
    return options.world.isEmpty() ? std::nullopt : std::optional(options);
}

// Wine of the system runs the client only with the stand-ins that MinGW built.
bool onSystemWine()
{
    return DebianWine::installed() && InstallationWorld::hasWindowsPrograms();
}

QByteArray steamCmdArchive(const SandboxOptions &options)
{
    if (!options.steamCmdArchive.isEmpty())
        return FileTree::readFile(options.steamCmdArchive);
    return SteamCmdFixture::archive("password_sha256=any\nguard=email\nguard_code_sha256=" + sha256("12345").toUtf8()
                                    + '\n');
}

} // namespace

int main(int argc, char **argv)
{
    QStringList arguments;
    for (int index = 1; index < argc; ++index)
        arguments.append(QString::fromLocal8Bit(argv[index]));
    const std::optional<SandboxOptions> options = parseSandboxOptions(arguments);
    if (!options) {
        std::fputs(usage, stderr);
        return 2;
    }
    // Before anything reads them: the world is the home, and its own
    // temporary folder keeps a sandbox window apart from a real one.
    const QString temporary = QDir(options->world).filePath(QStringLiteral("tmp"));
    if (!QDir().mkpath(temporary)) {
        std::fprintf(stderr, "tarnhold-sandbox: cannot make %s\n", qPrintable(temporary));
        return 1;
    }
    qputenv("HOME", QFile::encodeName(options->world));
    qputenv("TMPDIR", QFile::encodeName(temporary));
    // Set in most sessions, they would take the Trash and settings outside.
    for (const char *variable : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_STATE_HOME"})
        qunsetenv(variable);

    // The sites need the application object, which the run makes first.
    std::optional<InstallationWorld> sites;
    const auto makeModel = [&]() {
        const bool systemWine = onSystemWine();
        sites.emplace(systemWine);
        sites->serveSteamCmd(steamCmdArchive(*options));
        QString resources = DebianWine::resourcesFolder();
        if (!systemWine) {
            resources = QDir(options->world).filePath(QStringLiteral("Resources"));
            // A launched game plays until it is stopped.
            WineRuntimeFixture(resources + QStringLiteral("/Runtime")).setScenario("program=play");
        }
        return std::make_unique<TarnholdModel>(std::make_unique<SandboxPlatform>(resources), sites->catalog());
    };
    return runTarnhold(argc, argv, options->tarnholdArguments, makeModel);
}
