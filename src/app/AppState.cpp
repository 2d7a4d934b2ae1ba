#include "AppState.h"

#include "AppSettings.h"
#include "ModelContext.h"
#include "StoreLog.h"

#include <QDesktopServices>
#include <QJSEngine>

AppState::AppState(const QString &storePath, QObject *parent) : QObject(parent)
{
    m_context = ModelContext::open(storePath, &m_storeError);
    if (!m_context)
        qCCritical(lcApp, "Failed to create ModelContainer: %s", qUtf8Printable(m_storeError));
}

AppState::~AppState() = default;

QString AppState::websiteAddress()
{
    return QStringLiteral("https://quillmoor.app");
}

QUrl AppState::websiteUrl() const
{
    const QUrl url(websiteAddress(), QUrl::StrictMode);
    return url.isValid() && !url.scheme().isEmpty() ? url : QUrl();
}

void AppState::ensureAppSettings()
{
    if (!m_context)
        return;
    if (!m_context->fetch<AppSettings>().isEmpty())
        return;
    m_context->insert(new AppSettings);
    saveContext(*m_context);
}

void AppState::setNotificationCenter(NotificationCenter *center)
{
    if (center == m_notificationCenter)
        return;
    m_notificationCenter = center;
    emit notificationCenterChanged();
}

void AppState::openWebsite() const
{
    const QUrl url = websiteUrl();
    if (url.isValid())
        QDesktopServices::openUrl(url);
}

AppState *AppStateForeign::s_instance = nullptr;

AppState *AppStateForeign::create(QQmlEngine *, QJSEngine *engine)
{
    Q_ASSERT(s_instance);
    // The engine must not take ownership of an object main() owns.
    QJSEngine::setObjectOwnership(s_instance, QJSEngine::CppOwnership);
    Q_UNUSED(engine);
    return s_instance;
}

void AppStateForeign::setInstance(AppState *instance)
{
    s_instance = instance;
}
