#include "support/SteamCmdFixture.h"

#include "support/FileTree.h"

#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

const QString fixtureFolder = QStringLiteral(TARNHOLD_FAKE_STEAMCMD);
const QStringList fixtureFiles = {QStringLiteral("steamcmd.sh"), QStringLiteral("linux32/steamcmd")};

QByteArray sha256Hex(const QString &text)
{
    return QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Sha256).toHex();
}

QByteArray guardName(SteamCmdScenario::Guard guard)
{
    switch (guard) {
    case SteamCmdScenario::Guard::none:
        return "none";
    case SteamCmdScenario::Guard::email:
        return "email";
    case SteamCmdScenario::Guard::authenticator:
        return "authenticator";
    case SteamCmdScenario::Guard::approval:
        return "approval";
    }
    return {};
}

QByteArray jobName(SteamCmdScenario::Job job)
{
    switch (job) {
    case SteamCmdScenario::Job::success:
        return "success";
    case SteamCmdScenario::Job::failedState:
        return "failed-state";
    case SteamCmdScenario::Job::noSubscription:
        return "no-subscription";
    }
    return {};
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
{}

QByteArray SteamCmdFixture::archive()
{
    static const QByteArray bytes = buildArchive();
    return bytes;
}

void SteamCmdFixture::install() const
{
    const QDir source(fixtureFolder);
    const QDir target(m_folder);
    for (const QString &file : fixtureFiles) {
        QFile original(source.filePath(file));
        ASSERT_TRUE(original.open(QIODevice::ReadOnly)) << file.toStdString();
        FileTree::writeExecutable(target.filePath(file), original.readAll());
    }
    setScenario({});
}

void SteamCmdFixture::setScenario(const SteamCmdScenario &scenario) const
{
    QByteArray text = "password_sha256=" + sha256Hex(scenario.password) + "\nguard=" + guardName(scenario.guard)
                      + "\nguard_code_sha256=" + sha256Hex(scenario.guardCode) + "\njob=" + jobName(scenario.job)
                      + "\nfailed_state=" + scenario.failedState.toUtf8()
                      + "\nowner=" + (scenario.foreignOwner ? "other" : "self") + '\n';
    if (scenario.holdUntil)
        text += "hold_until=" + QFile::encodeName(*scenario.holdUntil) + '\n';
    FileTree::writeFile(QDir(m_folder).filePath(QStringLiteral("scenario")), text);
}

QString SteamCmdFixture::script() const
{
    return QDir(m_folder).filePath(QStringLiteral("steamcmd.sh"));
}

QStringList SteamCmdFixture::arguments() const
{
    return recordedLines(QStringLiteral("arguments"));
}

QStringList SteamCmdFixture::environment() const
{
    return recordedLines(QStringLiteral("environment"));
}

QString SteamCmdFixture::workingFolder() const
{
    return recordedLines(QStringLiteral("working-folder")).value(0);
}

bool SteamCmdFixture::isHolding() const
{
    return QFile::exists(QDir(m_folder).filePath(QStringLiteral("holding")));
}

QStringList SteamCmdFixture::recordedLines(const QString &name) const
{
    QFile file(QDir(m_folder).filePath(name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    if (lines.constLast().isEmpty())
        lines.removeLast();
    return lines;
}
