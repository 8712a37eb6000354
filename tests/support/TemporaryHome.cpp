#include "support/TemporaryHome.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <memory>

namespace {

class TemporaryHome final : public testing::EmptyTestEventListener
{
    std::unique_ptr<QTemporaryDir> m_home;

    void OnTestStart(const testing::TestInfo &) override
    {
        m_home = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/tarnhold-home-XXXXXX"));
        ASSERT_TRUE(m_home->isValid());
        qputenv("HOME", QFile::encodeName(m_home->path()));
        // Some Qt and desktop helpers prefer the XDG variables over HOME.
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_home->filePath(QStringLiteral(".local/share"))));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_home->filePath(QStringLiteral(".config"))));
    }

    void OnTestEnd(const testing::TestInfo &) override
    {
        // Tests may leave read-only folders behind; make them removable first.
        if (m_home)
            QProcess::execute(QStringLiteral("chmod"), {QStringLiteral("-R"), QStringLiteral("u+rwx"), m_home->path()});
        m_home.reset();
    }
};

} // namespace

int runAllTests()
{
    testing::UnitTest::GetInstance()->listeners().Append(new TemporaryHome);
    return RUN_ALL_TESTS();
}
