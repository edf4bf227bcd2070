// bench_startup: how long the program takes to put its title screen on a real
// X display, and how much memory it needs for that, against an empty Qt
// window that paints once (emptywindow):
//   bench_startup [runs] [program] [empty window]
// Starts its own Xvfb, runs each one `runs` times (10 unless given)
// interleaved, after one unmeasured start of each, and measures from fork to
// the "painted" line each writes, and the peak resident memory the kernel
// reports when it exits. Prints each run, the medians and the ratios.
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

struct Run {
    double ms = 0;
    long rssKb = 0;
    bool ok = false;
};

// Reads from fd until `want` is seen or the deadline passes.
bool readUntil(int fd, const std::string& want, Clock::time_point deadline, std::string& got)
{
    char buf[512];
    while (got.find(want) == std::string::npos) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0)
            return false;
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, int(left)) <= 0)
            continue;
        const ssize_t n = read(fd, buf, sizeof buf);
        if (n <= 0)
            return false;
        got.append(buf, size_t(n));
    }
    return true;
}

Run measure(const char* program)
{
    int out[2];
    if (pipe(out) != 0)
        return {};
    const auto start = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        close(out[1]);
        execl(program, program, static_cast<char*>(nullptr));
        _exit(127);
    }
    close(out[1]);
    Run r;
    std::string got;
    // Generous: the machine may be busy.
    r.ok = readUntil(out[0], "painted\n", start + std::chrono::seconds(60), got);
    r.ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    if (!r.ok)
        kill(pid, SIGKILL);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    close(out[0]);
    r.rssKb = usage.ru_maxrss;
    return r;
}

// Starts Xvfb on a free display; returns its pid and sets DISPLAY.
pid_t startXvfb()
{
    int fd[2];
    if (pipe(fd) != 0)
        return -1;
    const pid_t pid = fork();
    if (pid == 0) {
        close(fd[0]);
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDERR_FILENO);
        const std::string displayFd = std::to_string(fd[1]);
        execlp("Xvfb", "Xvfb", "-displayfd", displayFd.c_str(), "-screen", "0", "1024x768x24", "-nolisten", "tcp",
               static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fd[1]);
    std::string got;
    if (!readUntil(fd[0], "\n", Clock::now() + std::chrono::seconds(30), got)) {
        kill(pid, SIGTERM);
        return -1;
    }
    close(fd[0]);
    setenv("DISPLAY", (":" + got.substr(0, got.find('\n'))).c_str(), 1);
    return pid;
}

template <class T>
T median(std::vector<T> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    const char* program = argc > 2 ? argv[2] : ORAVIANS_PROGRAM;
    const char* empty = argc > 3 ? argv[3] : EMPTY_WINDOW;

    setenv("QT_QPA_PLATFORM", "xcb", 1);
    setenv("ORAVIANS_EXIT_AFTER_FIRST_PAINT", "1", 1);
    unsetenv("WAYLAND_DISPLAY");
    unsetenv("QT_SCALE_FACTOR");
    const pid_t xvfb = startXvfb();
    if (xvfb < 0) {
        std::fprintf(stderr, "bench_startup: Xvfb did not start\n");
        return 1;
    }

    // One start of each first, so both find the file and font caches warm.
    measure(empty);
    measure(program);
    std::vector<double> emptyMs, programMs;
    std::vector<long> emptyKb, programKb;
    bool ok = true;
    for (int i = 0; i < runs; ++i) {
        const Run e = measure(empty);
        const Run p = measure(program);
        ok = ok && e.ok && p.ok;
        std::printf("run %2d  empty %7.1f ms %7ld kB   program %7.1f ms %7ld kB%s\n", i + 1, e.ms, e.rssKb, p.ms,
                    p.rssKb, e.ok && p.ok ? "" : "  (no paint reported)");
        emptyMs.push_back(e.ms);
        programMs.push_back(p.ms);
        emptyKb.push_back(e.rssKb);
        programKb.push_back(p.rssKb);
    }
    kill(xvfb, SIGTERM);
    waitpid(xvfb, nullptr, 0);

    const double eMs = median(emptyMs), pMs = median(programMs);
    const long eKb = median(emptyKb), pKb = median(programKb);
    std::printf("median  empty %7.1f ms %7ld kB   program %7.1f ms %7ld kB\n", eMs, eKb, pMs, pKb);
    std::printf("ratio   time %.2f (at most 1.15)   peak memory %.2f (at most 1.30)\n", pMs / eMs,
                double(pKb) / double(eKb));
    return ok ? 0 : 1;
}
