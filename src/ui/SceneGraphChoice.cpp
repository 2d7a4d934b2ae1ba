#include "SceneGraphChoice.h"

#include <QDir>
#include <QFileInfo>
#include <QQuickWindow>
#include <QSGRendererInterface>

namespace SceneGraphChoice {

bool prefersSoftware(const QProcessEnvironment &environment, const QStringList &graphicsDevices)
{
    // A renderer the user named holds, whichever it is.
    for (const auto *named : {"QT_QUICK_BACKEND", "QSG_RHI_BACKEND"}) {
        if (!environment.value(QLatin1String(named)).isEmpty())
            return false;
    }
    // Mesa told to render on the processor, though a device is there.
    const QString alwaysSoftware = environment.value(QStringLiteral("LIBGL_ALWAYS_SOFTWARE"));
    if (!alwaysSoftware.isEmpty() && alwaysSoftware != u"0" && alwaysSoftware.compare(u"false", Qt::CaseInsensitive))
        return true;
    return graphicsDevices.isEmpty();
}

QStringList graphicsDevices(const QString &deviceFolder)
{
    const QDir devices(deviceFolder);
    QStringList found;
    // Kernel display drivers (Intel, AMD, Nouveau, virtual machines' GPUs) all make their nodes
    // under dri/; NVIDIA's own driver makes nvidiactl and nvidia0 beside them. Only these few
    // names are looked at: /dev itself holds hundreds of nodes.
    const QDir dri(devices.filePath(QStringLiteral("dri")));
    for (const QString &node :
         dri.entryList({QStringLiteral("card*"), QStringLiteral("renderD*")}, QDir::Files | QDir::System))
        found.append(QStringLiteral("dri/") + node);
    for (const auto *node : {"nvidiactl", "nvidia0"}) {
        if (QFileInfo::exists(devices.filePath(QLatin1String(node))))
            found.append(QLatin1String(node));
    }
    return found;
}

void apply()
{
    if (prefersSoftware(QProcessEnvironment::systemEnvironment(), graphicsDevices()))
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
}

} // namespace SceneGraphChoice
