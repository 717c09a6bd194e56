#include "authoring/ChildProcess.h"

#include "authoring/AuthoringError.h"

#ifdef _WIN32

bool CanStartPrograms() {
    return false;
}

std::string FindOnPath(const std::string&) {
    return {};
}

ChildResult RunChild(const std::vector<std::string>& argv) {
    throw AuthoringError(argv.empty() ? std::string("ctrpack") : argv[0],
                         "is started only by the Linux build of ctrpack");
}

#else

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

constexpr std::size_t kKeptOutput = 16 * 1024;

// Both pipe ends, closed when it goes.
struct Pipe {
    int ends[2] = {-1, -1};
    Pipe() {
        if (pipe2(ends, O_CLOEXEC) != 0)
            throw AuthoringError("cannot make a pipe: " + std::string(std::strerror(errno)));
    }
    ~Pipe() {
        CloseRead();
        CloseWrite();
    }
    Pipe(const Pipe&) = delete;
    Pipe& operator=(const Pipe&) = delete;
    void CloseRead() {
        if (ends[0] >= 0)
            close(ends[0]), ends[0] = -1;
    }
    void CloseWrite() {
        if (ends[1] >= 0)
            close(ends[1]), ends[1] = -1;
    }
};

struct SpawnActions {
    posix_spawn_file_actions_t actions;
    SpawnActions() { posix_spawn_file_actions_init(&actions); }
    ~SpawnActions() { posix_spawn_file_actions_destroy(&actions); }
    SpawnActions(const SpawnActions&) = delete;
    SpawnActions& operator=(const SpawnActions&) = delete;
};

} // namespace

bool CanStartPrograms() {
    return true;
}

std::string FindOnPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::string folders = path ? path : "/usr/bin:/bin";
    std::size_t start = 0;
    while (start <= folders.size()) {
        std::size_t end = folders.find(':', start);
        if (end == std::string::npos)
            end = folders.size();
        const std::string folder = end == start ? "." : folders.substr(start, end - start);
        const std::string candidate = folder + "/" + program;
        if (access(candidate.c_str(), X_OK) == 0)
            return candidate;
        start = end + 1;
    }
    return {};
}

ChildResult RunChild(const std::vector<std::string>& argv) {
    std::vector<char*> pointers;
    for (const std::string& word : argv)
        pointers.push_back(const_cast<char*>(word.c_str()));
    pointers.push_back(nullptr);

    Pipe output;
    SpawnActions spawn;
    posix_spawn_file_actions_addopen(&spawn.actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&spawn.actions, output.ends[1], 1);
    posix_spawn_file_actions_adddup2(&spawn.actions, output.ends[1], 2);
    pid_t child = 0;
    const int failed =
        posix_spawnp(&child, pointers[0], &spawn.actions, nullptr, pointers.data(), environ);
    if (failed != 0)
        throw AuthoringError(argv[0], "cannot be started: " + std::string(std::strerror(failed)));
    output.CloseWrite();

    ChildResult result;
    char buffer[4096];
    while (true) {
        const ssize_t got = read(output.ends[0], buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        result.output.append(buffer, static_cast<std::size_t>(got));
        if (result.output.size() > kKeptOutput)
            result.output.erase(0, result.output.size() - kKeptOutput);
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

#endif
