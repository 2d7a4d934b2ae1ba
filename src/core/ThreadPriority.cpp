#include "ThreadPriority.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <sys/resource.h>
#include <unistd.h>

namespace ThreadPriority {

namespace {

// Raises the nice value of thread `tid` to the background one; never lowers it.
bool lower(pid_t tid)
{
    errno = 0;
    const int current = getpriority(PRIO_PROCESS, id_t(tid));
    if (errno != 0 || current >= backgroundNice)
        return false;
    return setpriority(PRIO_PROCESS, id_t(tid), backgroundNice) == 0;
}

} // namespace

void lowerCurrentThread()
{
    lower(gettid());
}

int lowerPooledThreads()
{
    const QDir tasks(QStringLiteral("/proc/self/task"));
    int lowered = 0;
    for (const QString &task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile name(tasks.filePath(task + QStringLiteral("/comm")));
        if (name.open(QIODevice::ReadOnly) && name.readAll().startsWith("Thread (pooled)") && lower(task.toInt()))
            ++lowered;
    }
    return lowered;
}

} // namespace ThreadPriority
