#include "process/WineEnvironment.h"

EnvironmentVariables wineEnvironment(const QString &runtime, const QString &prefix)
{
    EnvironmentVariables environment;
    for (const char *name : {"HOME", "USER", "LOGNAME", "TMPDIR", "LANG", "LC_ALL", "LC_CTYPE", "TZ"}) {
        if (qEnvironmentVariableIsSet(name))
            environment.append({QString::fromLatin1(name), qEnvironmentVariable(name)});
    }
    environment.append(
        {QStringLiteral("PATH"), runtime + QStringLiteral("/bin:/usr/local/bin:/usr/bin:/bin:/usr/sbin:/sbin")});
    environment.append({QStringLiteral("WINEPREFIX"), prefix});
    // The game's own d3d8.dll wins over Wine's; the menu builder would litter
    // the desktop with Windows shortcuts.
    environment.append({QStringLiteral("WINEDLLOVERRIDES"), QStringLiteral("d3d8=n,b;winemenubuilder.exe=d")});
    environment.append({QStringLiteral("WINEDEBUG"), QStringLiteral("-all")});
    environment.append({QStringLiteral("WINEMSYNC"), QStringLiteral("1")});
    environment.append(
        {QStringLiteral("DYLD_FALLBACK_LIBRARY_PATH"),
         runtime
             + QStringLiteral(
                 "/lib/external:/usr/local/opt/freetype/lib:/usr/local/opt/gnutls/lib:/usr/local/lib:/usr/lib")});
    return environment;
}
