#include "support/SteamCmdFixture.h"

#include "content/Sha256.h"
#include "support/FileTree.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

const QString fixtureFolder = QStringLiteral(TARNHOLD_FAKE_STEAMCMD);

SteamCmdFixture::SteamCmdFixture(QString folder)
    : m_folder(std::move(folder))
{
    const QString script = QStringLiteral("/steamcmd.sh");
    EXPECT_TRUE(QDir().mkpath(m_folder) && QFile::copy(fixtureFolder + script, m_folder + script));
    setScenario();
}

namespace {

QByteArray packed(const QByteArray &scenario)
{
    QTemporaryDir work;
    const QString archive = work.filePath(QStringLiteral("steamcmd.tar.gz"));
    QStringList entries{QStringLiteral("steamcmd.sh"), QStringLiteral("linux32")};
    QString folder = fixtureFolder;
    if (!scenario.isEmpty()) {
        folder = work.filePath(QStringLiteral("steamcmd"));
        FileTree::makeFolder(folder);
        EXPECT_EQ(QProcess::execute(QStringLiteral("cp"), {QStringLiteral("-a"), fixtureFolder + u"/.", folder}), 0);
        FileTree::writeFile(folder + QStringLiteral("/scenario"), scenario);
        entries.append(QStringLiteral("scenario"));
    }
    FileTree::pack(archive, folder, entries);
    return FileTree::readFile(archive);
}

} // namespace

QByteArray SteamCmdFixture::archive(const QByteArray &scenario)
{
    if (!scenario.isEmpty())
        return packed(scenario);
    static const QByteArray bytes = packed({});
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
