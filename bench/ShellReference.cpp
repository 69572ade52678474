#include "bench/ShellReference.h"

#include <QElapsedTimer>
#include <QProcess>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <stdexcept>
#include <string>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace ShellReference {

namespace {
const char* const kShell = "sqlite3";
} // namespace

QString version() {
    QProcess shell;
    shell.start(QLatin1String(kShell), {QStringLiteral("-version")});
    if (!shell.waitForFinished(10000) || shell.exitStatus() != QProcess::NormalExit ||
        shell.exitCode() != 0)
        return QString();
    return QString::fromUtf8(shell.readAllStandardOutput()).trimmed();
}

double runMs(const QString& database, const QString& sql, const Parameters& parameters) {
    std::vector<std::string> args{kShell};
    for (const auto& p : parameters) {
        args.emplace_back("-cmd");
        args.push_back(QStringLiteral(".parameter set %1 %2").arg(p.first, p.second).toStdString());
    }
    args.push_back(database.toStdString());
    args.push_back(sql.toStdString());
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    // posix_spawn starts the shell without copying this process's memory map,
    // so the start-up the shell is charged with is its own.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    QElapsedTimer timer;
    timer.start();
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, kShell, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        throw std::runtime_error(std::string("cannot start the sqlite3 shell: ") +
                                 std::strerror(spawned));
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR)
            throw std::runtime_error("lost the sqlite3 shell process");
    }
    const double ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error("the sqlite3 shell failed on: " + sql.toStdString());
    return ms;
}

} // namespace ShellReference
