#include "support/SteamCmdFixture.h"

#include "support/FileTree.h"

#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

const QString fixtureFolder = QStringLiteral(TARNHOLD_FAKE_STEAMCMD);

// The fake compares what is typed with these digests only.
QByteArray sha256Hex(const QByteArray &text)
{
    return QCryptographicHash::hash(text, QCryptographicHash::Sha256).toHex();
}

QByteArray buildArchive()
{
    QTemporaryDir work;
    const QString archive = work.filePath(QStringLiteral("steamcmd.tar.gz"));
    FileTree::pack(archive, fixtureFolder, {QStringLiteral("steamcmd.sh"), QStringLiteral("linux32")});
    return FileTree::readFile(archive);
}

} // namespace

SteamCmdFixture::SteamCmdFixture(QString folder)
    : m_folder(std::move(folder))
{
    const QString script = QStringLiteral("/steamcmd.sh");
    EXPECT_TRUE(QDir().mkpath(m_folder) && QFile::copy(fixtureFolder + script, m_folder + script));
    setScenario();
}

QByteArray SteamCmdFixture::archive()
{
    static const QByteArray bytes = buildArchive();
    return bytes;
}

// The fake reads the lines in order, so the test's own come last and win.
void SteamCmdFixture::setScenario(const QByteArray &lines) const
{
    FileTree::writeFile(m_folder + QStringLiteral("/scenario"), "password_sha256=" + sha256Hex("correct horse")
                                                                    + "\nguard_code_sha256=" + sha256Hex("F4K3C") + '\n'
                                                                    + lines + '\n');
}

QStringList SteamCmdFixture::recorded(const QString &name) const
{
    QFile file(m_folder + u'/' + name);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts)
                                          : QStringList();
}
