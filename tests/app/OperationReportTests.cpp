#include "app/OperationReport.h"
#include "base/OperationState.h"
#include "base/UserFacingError.h"

#include <gtest/gtest.h>

#include <QBuffer>

namespace {

using namespace Qt::StringLiterals;

// An operation state driven by hand, reported into buffers.
class OperationReportTest : public testing::Test
{
protected:
    OperationState operation;
    QBuffer out;
    QBuffer err;

    OperationReportTest() { EXPECT_TRUE(out.open(QIODevice::WriteOnly) && err.open(QIODevice::WriteOnly)); }

    // Starts an operation that begins, runs drive while it is busy, and
    // gives the exit status once it has ended.
    int follow(bool terminal, const std::function<void()> &start, const std::function<void()> &drive = {})
    {
        OperationReport report(operation, out, err, terminal);
        QCoro::Task<int> following = report.follow(start);
        if (drive)
            drive();
        return QCoro::waitFor(std::move(following));
    }

    void beginImport() { EXPECT_TRUE(operation.begin(InstallerPhase::community, 0.25, u"Importing maps…"_s)); }
};

TEST_F(OperationReportTest, PlainOutputHasALinePerActivityAndTheNotice)
{
    const int status = follow(
        false, [&] { beginImport(); },
        [&] {
            operation.advance(0.25, 1.0, 0.5);
            operation.setActivity(u"Copying maps…"_s);
            operation.finish(u"Map import complete"_s, u"Imported 2 maps."_s);
        });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(out.data(), "Importing maps…\nCopying maps…\nMap import complete\nImported 2 maps.\n");
    EXPECT_TRUE(err.data().isEmpty());
}

TEST_F(OperationReportTest, ATerminalRedrawsOneLineWithBarAndDetailAndEndsIt)
{
    const int status = follow(
        true, [&] { beginImport(); },
        [&] {
            operation.setProgressDetail(u"attempt 2\u001b[2J"_s);
            operation.setProgressDetail(std::nullopt);
            operation.finish(u"Map import complete"_s);
        });
    EXPECT_EQ(status, 0);
    const QByteArray shown = out.data();
    EXPECT_TRUE(shown.startsWith("\rImporting maps…  25% [######------------------]\033[K"))
        << "nothing of the state before the operation: " << shown.constData();
    EXPECT_TRUE(shown.contains("\rImporting maps…  25% [######------------------] · attempt 2\\u{1b}[2J\033[K"))
        << "the detail, its control characters escaped";
    EXPECT_TRUE(shown.endsWith("\rMap import complete\033[K\n")) << "the result without a bar, on its own line";
}

// A failed operation and one refused by a guard before it became busy end
// alike: the message on standard error and status 1.
TEST_F(OperationReportTest, AnErrorGoesToStandardErrorWithStatusOne)
{
    EXPECT_EQ(follow(
                  false, [&] { beginImport(); },
                  [&] { operation.fail(u"Map import failed: "_s, UserFacingError(u"No space left."_s)); }),
              1);
    EXPECT_EQ(err.data(), "tarnhold: Map import failed: No space left.\n");
    EXPECT_EQ(out.data(), "Importing maps…\n");

    err.buffer().clear();
    err.seek(0);
    EXPECT_EQ(follow(true, [&] { operation.setErrorMessage(u"Quit Velmora first."_s); }), 1);
    EXPECT_EQ(err.data(), "tarnhold: Quit Velmora first.\n");
}

TEST_F(OperationReportTest, MessagesOfEarlierOperationsAreNotReportedAgain)
{
    operation.setErrorMessage(u"An earlier failure."_s);
    operation.setNoticeMessage(u"An earlier notice."_s);
    EXPECT_EQ(follow(false, [] {}), 0);
    EXPECT_TRUE(out.data().isEmpty());
    EXPECT_TRUE(err.data().isEmpty());
}

} // namespace
