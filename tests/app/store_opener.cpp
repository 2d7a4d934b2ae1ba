// Opens a store as the application does and prints what AppState made of it: "ready", or
// "refused: " and the reason shown on the error screen. With --unprivileged, a process running
// as root first becomes "nobody", for whom permissions hold as they do for a normal user.
#include "AppState.h"

#include <QCoreApplication>

#include <cstdio>
#include <grp.h>
#include <pwd.h>
#include <unistd.h>

int main(int argc, char *argv[])
{
    if (argc > 2 && qstrcmp(argv[2], "--unprivileged") == 0 && ::geteuid() == 0) {
        const passwd *nobody = ::getpwnam("nobody");
        if (!nobody || ::setgroups(0, nullptr) != 0 || ::setgid(nobody->pw_gid) != 0 || ::setuid(nobody->pw_uid) != 0)
            return 3;
    }
    QCoreApplication app(argc, argv);
    if (argc < 2)
        return 2;
    AppState state(QString::fromLocal8Bit(argv[1]));
    std::printf("%s\n", state.storeReady() ? "ready" : qPrintable(QStringLiteral("refused: ") + state.storeError()));
    return 0;
}
