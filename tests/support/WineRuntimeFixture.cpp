#include "support/WineRuntimeFixture.h"

#include "support/FileTree.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

const QString fixtureFolder = QStringLiteral(TARNHOLD_FAKE_WINE);

WineRuntimeFixture::WineRuntimeFixture(QString runtime)
    : m_runtime(std::move(runtime))
{
    for (const QString &name : QDir(fixtureFolder + QStringLiteral("/bin")).entryList(QDir::Files)) {
        const QString script = QStringLiteral("/bin/") + name;
        FileTree::writeFile(m_runtime + script, FileTree::readFile(fixtureFolder + script));
        EXPECT_TRUE(QFile::setPermissions(m_runtime + script, QFile::permissions(fixtureFolder + script)));
    }
    FileTree::writeFile(wineboot(), "MZ fake wineboot\n");
    setScenario();
}

void WineRuntimeFixture::setScenario(const QByteArray &lines) const
{
    FileTree::writeFile(m_runtime + QStringLiteral("/bin/scenario"), lines + '\n');
}

QStringList WineRuntimeFixture::recorded(const QString &name) const
{
    return QString::fromUtf8(FileTree::readFile(m_runtime + QStringLiteral("/bin/") + name))
        .split(u'\n', Qt::SkipEmptyParts);
}

ToolCommand WineRuntimeFixture::idleListing()
{
    const ToolCommand system = createPlatform()->listProcessesCommand();
    return {QStringLiteral("sh"),
            QStringList{QStringLiteral("-c"),
                        QStringLiteral("\"$0\" \"$@\" | sed -E 's/^ *([0-9]+) +[0-9.,]+ /\\1 0.0 /'"), system.program}
                + system.arguments};
}
