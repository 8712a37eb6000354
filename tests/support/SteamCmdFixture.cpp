#include "support/SteamCmdFixture.h"

#include "content/Sha256.h"
#include "support/FileTree.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

const QString fixtureFolder = QStringLiteral(TARNHOLD_FAKE_STEAMCMD);

SteamCmdFixture::SteamCmdFixture(QString folder)
    : m_folder(std::move(folder))
{
    const QString script = QStringLiteral("/steamcmd.sh");
    EXPECT_TRUE(QDir().mkpath(m_folder) && QFile::copy(fixtureFolder + script, m_folder + script));
    setScenario();
}

QByteArray SteamCmdFixture::archive()
{
    static const QByteArray bytes = [] {
        QTemporaryDir work;
        const QString archive = work.filePath(QStringLiteral("steamcmd.tar.gz"));
        FileTree::pack(archive, fixtureFolder, {QStringLiteral("steamcmd.sh"), QStringLiteral("linux32")});
        return FileTree::readFile(archive);
    }();
    return bytes;
}

// The fake reads the lines in order, so the test's own come last and win.
// It compares what is typed with these digests only.
void SteamCmdFixture::setScenario(const QByteArray &lines) const
{
    FileTree::writeFile(m_folder + QStringLiteral("/scenario"),
                        QStringLiteral("password_sha256=%1\nguard_code_sha256=%2\n")
                                .arg(sha256("correct horse"), sha256("F4K3C"))
                                .toUtf8()
                            + lines + '\n');
}

QStringList SteamCmdFixture::recorded(const QString &name) const
{
    return QString::fromUtf8(FileTree::readFile(m_folder + u'/' + name)).split(u'\n', Qt::SkipEmptyParts);
}
