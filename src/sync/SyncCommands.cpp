#include "SyncCommands.h"

#include "ModelContext.h"
#include "SyncEngine.h"

#include <QFileInfo>

namespace {

// Opens the store as the window would (upgrading and checking it), so sync only ever works
// on a store found sound. A missing store is not created.
bool storeIsSound(const QString &storePath, QTextStream &err)
{
    if (!QFileInfo::exists(storePath)) {
        err << "There is no store at " << storePath << "." << Qt::endl;
        return false;
    }
    QString error;
    auto context = ModelContext::open(storePath, &error);
    if (!context || !context->checkIntegrity(&error)) {
        err << error << Qt::endl;
        return false;
    }
    return true;
}

} // namespace

int SyncCommands::setFolder(const QString &storePath, const QString &folder, QTextStream &out, QTextStream &err)
{
    if (!storeIsSound(storePath, err))
        return 1;
    SyncEngine engine(storePath);
    QString error;
    if (!engine.setFolder(folder, &error)) {
        err << error << Qt::endl;
        return 1;
    }
    const SyncEngine::Status status = engine.status();
    if (status.folder.isEmpty())
        out << "Sync is off. Everything stays on this computer." << Qt::endl;
    else
        out << "Syncing through " << status.folder << " as \"" << status.deviceName << "\"." << Qt::endl;
    return 0;
}

int SyncCommands::syncNow(const QString &storePath, QTextStream &out, QTextStream &err)
{
    if (!storeIsSound(storePath, err))
        return 1;
    SyncEngine engine(storePath);
    if (engine.status().folder.isEmpty()) {
        err << "Sync is off. Choose a folder first with --sync-folder DIR." << Qt::endl;
        return 1;
    }
    const SyncEngine::Pass pass = engine.runPass();
    if (!pass.error.isEmpty()) {
        err << pass.error << Qt::endl;
        return 1;
    }
    out << "Sent " << pass.outgoing << (pass.outgoing == 1 ? " change" : " changes") << ", took in " << pass.incoming
        << "." << Qt::endl;
    const SyncEngine::Status status = engine.status();
    for (const SyncEngine::Peer &peer : status.peers)
        out << "Also in the folder: " << peer.name << Qt::endl;
    const qsizetype conflicts = engine.conflicts().size();
    if (conflicts > 0)
        out << conflicts << (conflicts == 1 ? " text was" : " texts were")
            << " changed on two computers; choose in Settings, Sync." << Qt::endl;
    for (const QString &problem : pass.problems)
        err << problem << Qt::endl;
    return pass.problems.isEmpty() ? 0 : 1;
}
