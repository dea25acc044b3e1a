// Calvast: the entry the user starts. It starts ./Tessary from the current directory with its own
// arguments, waits for it, and always exits 0. Tessary finds its bundle path by recognising this
// program as its parent, so the launcher must stay alive until Tessary has ended.

#include <cerrno>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

constexpr char UpdaterPath[] = "./Tessary";
// The launcher stays a second longer than the updater it started.
constexpr unsigned ExitDelayMicroseconds = 1000 * 1000;

} // namespace

int main(int argc, char** argv)
{
    // The updater's command line is the launcher's without its program name, so the updater finds
    // the first argument where a program normally finds its own name. With no arguments its
    // command line is empty, which is one empty argument.
    std::vector<char*> childArguments;
    for (int i = 1; i < argc; ++i)
        childArguments.push_back(argv[i]);
    char empty[] = "";
    if (childArguments.empty())
        childArguments.push_back(empty);
    childArguments.push_back(nullptr);

    pid_t child = 0;
    if (posix_spawn(&child, UpdaterPath, nullptr, nullptr, childArguments.data(), environ) != 0)
        return 0;

    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    usleep(ExitDelayMicroseconds);
    return 0;
}
