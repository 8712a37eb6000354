// How long Tarnhold takes from the start of its process until its window is
// mapped, next to an empty Qt Widgets window of the same size. Both run on a
// private Xvfb, each start with a fresh HOME, and are timed the same way: from
// just before the spawn to the MapNotify the server reports for the first
// window-sized top-level. Prints the ratio of the medians.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <optional>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>
#include <xcb/xcb.h>

extern char **environ;

namespace {

using Clock = std::chrono::steady_clock;

constexpr int runCount = 15;
constexpr auto startLimit = std::chrono::seconds(20);
// Anything smaller (a tool tip, a stray widget) is not the window.
constexpr int windowMinimumSide = 100;

int millisecondsUntil(Clock::time_point deadline)
{
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? int(left) : 0;
}

// Spawns arguments with environment, its output discarded, in a process
// group of its own so that helpers it starts end with it.
pid_t spawn(const std::vector<std::string> &arguments, const std::vector<std::string> &environment)
{
    std::vector<char *> argv;
    for (const std::string &argument : arguments)
        argv.push_back(const_cast<char *>(argument.c_str()));
    argv.push_back(nullptr);
    std::vector<char *> envp;
    for (const std::string &variable : environment)
        envp.push_back(const_cast<char *>(variable.c_str()));
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);
    pid_t pid = -1;
    if (posix_spawnp(&pid, argv[0], &actions, &attributes, argv.data(), envp.data()) != 0)
        pid = -1;
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

std::vector<std::string> currentEnvironment()
{
    std::vector<std::string> environment;
    for (char **variable = environ; *variable; ++variable)
        environment.emplace_back(*variable);
    return environment;
}

void endProcessGroup(pid_t pid, int signal)
{
    ::kill(-pid, signal);
    ::waitpid(pid, nullptr, 0);
}

// This environment, with the display, a home and a temporary folder of the
// caller's choosing. The XDG folders would otherwise point into the real home.
std::vector<std::string> childEnvironment(const std::string &display, const std::string &home)
{
    std::vector<std::string> environment;
    for (const std::string &entry : currentEnvironment()) {
        const std::string name = entry.substr(0, entry.find('='));
        if (name == "DISPLAY" || name == "WAYLAND_DISPLAY" || name == "HOME" || name == "TMPDIR"
            || name == "QT_QPA_PLATFORM" || name.rfind("XDG_", 0) == 0)
            continue;
        environment.push_back(entry);
    }
    environment.push_back("DISPLAY=" + display);
    environment.push_back("HOME=" + home);
    // The single-instance socket lands there too and goes with the folder.
    environment.push_back("TMPDIR=" + home);
    environment.push_back("QT_QPA_PLATFORM=xcb");
    return environment;
}

// An Xvfb on the first free display number, and a connection to it that
// watches the root window for windows being mapped.
class VirtualDisplay
{
public:
    VirtualDisplay()
    {
        int pipeEnds[2];
        if (::pipe(pipeEnds) != 0) {
            m_error = "cannot create a pipe for Xvfb";
            return;
        }
        // Xvfb writes the display number it took to this descriptor.
        m_server = spawn(
            {"Xvfb", "-displayfd", std::to_string(pipeEnds[1]), "-screen", "0", "1920x1080x24", "-nolisten", "tcp"},
            currentEnvironment());
        ::close(pipeEnds[1]);
        if (m_server < 0) {
            ::close(pipeEnds[0]);
            m_error = "Xvfb is missing: install the xvfb package to measure start-up";
            return;
        }
        const std::optional<std::string> number = readLine(pipeEnds[0], Clock::now() + std::chrono::seconds(10));
        ::close(pipeEnds[0]);
        if (!number) {
            m_error = "Xvfb did not start";
            return;
        }
        m_name = ':' + *number;
        connect();
    }

    ~VirtualDisplay()
    {
        if (m_connection)
            xcb_disconnect(m_connection);
        // Asked, so that it removes its lock and socket files.
        if (m_server > 0)
            endProcessGroup(m_server, SIGTERM);
    }

    VirtualDisplay(const VirtualDisplay &) = delete;
    VirtualDisplay &operator=(const VirtualDisplay &) = delete;

    // Empty when the display is ready.
    const std::string &error() const { return m_error; }

    // Seconds from starting program with a fresh HOME until the server maps
    // its window; nothing when it did not within the limit.
    std::optional<double> secondsUntilWindowMapped(const std::string &program)
    {
        const QTemporaryDir home;
        if (!home.isValid())
            return std::nullopt;
        const std::vector<std::string> environment =
            childEnvironment(m_name, QDir::toNativeSeparators(home.path()).toStdString());
        while (xcb_generic_event_t *stale = xcb_poll_for_event(m_connection))
            std::free(stale);

        const Clock::time_point start = Clock::now();
        const pid_t pid = spawn({program}, environment);
        if (pid < 0)
            return std::nullopt;
        std::optional<double> seconds;
        const Clock::time_point deadline = start + startLimit;
        while (!seconds && !xcb_connection_has_error(m_connection)) {
            xcb_generic_event_t *event = xcb_poll_for_event(m_connection);
            if (!event) {
                pollfd watched{xcb_get_file_descriptor(m_connection), POLLIN, 0};
                // Short slices, so a program that dies early ends the wait;
                // an event ends each slice at once, so they add no delay.
                if (::poll(&watched, 1, std::min(100, millisecondsUntil(deadline))) < 0 || Clock::now() >= deadline
                    || ::waitpid(pid, nullptr, WNOHANG) == pid)
                    break;
                continue;
            }
            const Clock::time_point arrival = Clock::now();
            if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY
                && isWindowSized(reinterpret_cast<xcb_map_notify_event_t *>(event)->window))
                seconds = std::chrono::duration<double>(arrival - start).count();
            std::free(event);
        }
        endProcessGroup(pid, SIGKILL);
        return seconds;
    }

private:
    static std::optional<std::string> readLine(int descriptor, Clock::time_point deadline)
    {
        std::string line;
        char character = 0;
        pollfd watched{descriptor, POLLIN, 0};
        while (::poll(&watched, 1, millisecondsUntil(deadline)) > 0 && ::read(descriptor, &character, 1) == 1) {
            if (character == '\n')
                return line;
            line += character;
        }
        return std::nullopt;
    }

    void connect()
    {
        m_connection = xcb_connect(m_name.c_str(), nullptr);
        if (xcb_connection_has_error(m_connection)) {
            m_error = "cannot connect to Xvfb on " + m_name;
            xcb_disconnect(m_connection);
            m_connection = nullptr;
            return;
        }
        // Without a window manager every top-level is a child of the root.
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(m_connection, root, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(m_connection);
    }

    bool isWindowSized(xcb_window_t window)
    {
        const std::unique_ptr<xcb_get_geometry_reply_t, decltype(&std::free)> geometry(
            xcb_get_geometry_reply(m_connection, xcb_get_geometry(m_connection, window), nullptr), &std::free);
        return geometry && geometry->width >= windowMinimumSide && geometry->height >= windowMinimumSide;
    }

    pid_t m_server = -1;
    std::string m_name;
    xcb_connection_t *m_connection = nullptr;
    std::string m_error;
};

VirtualDisplay *display = nullptr;

void startToWindowMapped(benchmark::State &state, const char *program)
{
    for (auto _ : state) {
        const std::optional<double> seconds = display->secondsUntilWindowMapped(program);
        if (!seconds) {
            state.SkipWithError("the window was not mapped within 20 s");
            break;
        }
        state.SetIterationTime(*seconds);
    }
}

// The console's report, and the medians it saw, for the ratio at the end.
class MedianRatioReporter final : public benchmark::ConsoleReporter
{
public:
    MedianRatioReporter()
        : ConsoleReporter(::isatty(STDOUT_FILENO) ? OO_Defaults : OO_None)
    {}

    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs) {
            if (run.run_type != Run::RT_Aggregate || run.aggregate_name != "median" || run.error_occurred)
                continue;
            const std::string &name = run.run_name.function_name;
            if (name.ends_with("/tarnhold"))
                m_tarnhold = run.GetAdjustedRealTime();
            else if (name.ends_with("/bareQtWindow"))
                m_bare = run.GetAdjustedRealTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void printRatio() const
    {
        if (m_tarnhold && m_bare && *m_bare > 0)
            std::printf("Tarnhold / bare Qt window, ratio of the medians: %.2f\n", *m_tarnhold / *m_bare);
    }

private:
    std::optional<double> m_tarnhold;
    std::optional<double> m_bare;
};

} // namespace

BENCHMARK_CAPTURE(startToWindowMapped, tarnhold, TARNHOLD_EXECUTABLE)
    ->Iterations(1)
    ->Repetitions(runCount)
    ->ReportAggregatesOnly()
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(startToWindowMapped, bareQtWindow, BARE_WINDOW_EXECUTABLE)
    ->Iterations(1)
    ->Repetitions(runCount)
    ->ReportAggregatesOnly()
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    // Interleaved, so a burst of load on a shared machine falls on both.
    std::vector<char *> arguments(argv, argv + argc);
    std::string interleave = "--benchmark_enable_random_interleaving=true";
    arguments.insert(arguments.begin() + 1, interleave.data());
    int count = int(arguments.size());
    benchmark::Initialize(&count, arguments.data());
    if (benchmark::ReportUnrecognizedArguments(count, arguments.data()))
        return 1;

    VirtualDisplay virtualDisplay;
    if (!virtualDisplay.error().empty()) {
        std::fprintf(stderr, "Skipping the start-up measurements: %s\n", virtualDisplay.error().c_str());
        return 0;
    }
    display = &virtualDisplay;
    MedianRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatio();
    benchmark::Shutdown();
    return 0;
}
