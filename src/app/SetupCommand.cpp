#include "app/SetupCommand.h"

#include "app/OperationReport.h"
#include "app/SteamDownloadReport.h"
#include "app/TarnholdModel.h"
#include "app/TerminalInput.h"
#include "setup/SetupFlow.h"
#include "setup/SetupStep.h"

#include <QIODevice>

#include <functional>
#include <unistd.h>

namespace {

constexpr int stepCount = static_cast<int>(SetupStep::complete);

QCoro::Task<int> runStep(TarnholdModel &model, TerminalInput &input, QIODevice &out, QIODevice &err, bool terminal)
{
    const std::function<void()> pressButton = std::bind(&SetupFlow::runCurrentSetupStep, &model.setup());
    if (model.setup().setupStep() == SetupStep::gameFiles) {
        SteamDownloadReport report(model.steam(), model.operation(), input, out, err, terminal);
        co_return co_await report.follow(pressButton);
    }
    OperationReport report(model.operation(), out, err, terminal);
    co_return co_await report.follow(pressButton);
}

} // namespace

QCoro::Task<int> runSetup(TarnholdModel &model, QIODevice &out, QIODevice &err, bool terminal)
{
    SetupFlow &setup = model.setup();
    TerminalInput input(STDIN_FILENO, err);
    while (setup.setupStep() != SetupStep::complete) {
        const SetupStep step = setup.setupStep();
        out.write(QStringLiteral("Step %1 of %2: %3\n")
                      .arg(static_cast<int>(step) + 1)
                      .arg(stepCount)
                      .arg(heading(step))
                      .toUtf8());
        const int status = co_await runStep(model, input, out, err, terminal);
        if (status != 0)
            co_return status;
        // A step that ends without an error moves the setup on; one that
        // does not would be run again for ever.
        if (setup.setupStep() == step) {
            err.write("tarnhold: The step “" + heading(step).toUtf8() + "” did not finish.\n");
            co_return 1;
        }
    }
    out.write(description(SetupStep::complete).toUtf8() + '\n');
    co_return 0;
}
