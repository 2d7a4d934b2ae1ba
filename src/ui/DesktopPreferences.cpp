#include "DesktopPreferences.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusReply>
#include <QDeadlineTimer>
#include <QKeyEvent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QSettings>
#include <QStandardPaths>

#include <atomic>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

const auto portalService = u"org.freedesktop.portal.Desktop"_s;
const auto portalPath = u"/org/freedesktop/portal/desktop"_s;
const auto portalInterface = u"org.freedesktop.portal.Settings"_s;
const auto interfaceGroup = u"org.gnome.desktop.interface"_s;
const auto animationsKey = u"enable-animations"_s;
const auto textScaleKey = u"text-scaling-factor"_s;
const auto choiceKey = u"motion"_s;
std::atomic<double> sharedTextScale = 1.0;

// The portal wraps a value in one variant or two, depending on its version.
QVariant unwrapped(QVariant value)
{
    while (value.metaType() == QMetaType::fromType<QDBusVariant>())
        value = qvariant_cast<QDBusVariant>(value).variant();
    return value;
}

QString choiceName(DesktopPreferences::MotionChoice choice)
{
    switch (choice) {
    case DesktopPreferences::AlwaysReduce:
        return u"reduce"_s;
    case DesktopPreferences::NeverReduce:
        return u"full"_s;
    case DesktopPreferences::FollowDesktop:
        break;
    }
    return u"desktop"_s;
}

} // namespace

DesktopPreferences::DesktopPreferences(QObject *parent) : QObject(parent)
{}

double DesktopPreferences::currentTextScale()
{
    return sharedTextScale.load(std::memory_order_relaxed);
}

DesktopPreferences *DesktopPreferences::instance()
{
    static auto *preferences = new DesktopPreferences(QCoreApplication::instance());
    return preferences;
}

DesktopPreferences *DesktopPreferences::create(QQmlEngine *, QJSEngine *)
{
    QJSEngine::setObjectOwnership(instance(), QJSEngine::CppOwnership);
    return instance();
}

bool DesktopPreferences::reducedMotion() const
{
    switch (motionChoice()) {
    case AlwaysReduce:
        return true;
    case NeverReduce:
        return false;
    case FollowDesktop:
        break;
    }
    return !m_desktopAnimates;
}

DesktopPreferences::MotionChoice DesktopPreferences::motionChoice() const
{
    loadChoice();
    return m_choice;
}

void DesktopPreferences::setChoiceFile(const QString &path)
{
    m_choiceFile = path;
    m_choiceLoaded = false;
    emit motionChanged();
}

QString DesktopPreferences::choiceFile() const
{
    return m_choiceFile.isEmpty()
               ? QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + u"/display.ini"_s
               : m_choiceFile;
}

// Read on first use rather than at start-up: most launches never ask before the first frame.
void DesktopPreferences::loadChoice() const
{
    if (m_choiceLoaded)
        return;
    m_choiceLoaded = true;
    m_choice = FollowDesktop;
    const QString stored = QSettings(choiceFile(), QSettings::IniFormat).value(choiceKey).toString();
    for (const MotionChoice choice : {AlwaysReduce, NeverReduce}) {
        if (stored == choiceName(choice))
            m_choice = choice;
    }
}

void DesktopPreferences::setMotionChoice(MotionChoice choice)
{
    if (choice == motionChoice())
        return;
    m_choice = choice;
    QSettings settings(choiceFile(), QSettings::IniFormat);
    settings.setValue(choiceKey, choiceName(choice));
    emit motionChanged();
}

void DesktopPreferences::chooseReducedMotion(bool reduced)
{
    if (reduced == desktopReducesMotion())
        setMotionChoice(FollowDesktop);
    else
        setMotionChoice(reduced ? AlwaysReduce : NeverReduce);
}

QString DesktopPreferences::motionNote() const
{
    switch (motionChoice()) {
    case AlwaysReduce:
        return tr("Shuffles and flips are short fades on this computer, whatever the desktop asks.");
    case NeverReduce:
        return tr("Shuffles and flips move in full on this computer, though the desktop asks for fewer "
                  "animations.");
    case FollowDesktop:
        break;
    }
    return desktopReducesMotion() ? tr("Your desktop asks for fewer animations, so shuffles and flips are short fades.")
                                  : tr("Shuffles and flips move in full, as your desktop allows.");
}

void DesktopPreferences::readFrom(const QDBusConnection &bus)
{
    if (!bus.isConnected())
        return;
    QDBusConnection connection = bus;
    // Start-up waits for a portal that is running, never for one the bus would start first.
    const QDBusReply<bool> running = connection.interface()->isServiceRegistered(portalService);
    m_waitForReads = running.isValid() && running.value();
    connection.connect(portalService, portalPath, portalInterface, u"SettingChanged"_s, this,
                       SLOT(settingChanged(QString, QString, QDBusVariant)));
    for (const QString &key : {animationsKey, textScaleKey}) {
        QDBusMessage call = QDBusMessage::createMethodCall(portalService, portalPath, portalInterface, u"Read"_s);
        call << interfaceGroup << key;
        // A portal that is not running would be started on demand; its answer is not worth
        // holding anything up for long.
        auto *watcher = new QDBusPendingCallWatcher(connection.asyncCall(call, 2000), this);
        ++m_pendingReads;
        connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, key](QDBusPendingCallWatcher *finished) {
            --m_pendingReads;
            const QDBusPendingReply<QDBusVariant> reply = *finished;
            if (!reply.isError())
                takeDesktopValue(interfaceGroup, key, reply.value().variant());
            finished->deleteLater();
        });
    }
}

void DesktopPreferences::waitForDesktop(int waitMs)
{
    const QDeadlineTimer deadline(waitMs);
    while (m_waitForReads && m_pendingReads > 0 && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
}

void DesktopPreferences::settingChanged(const QString &group, const QString &key, const QDBusVariant &value)
{
    takeDesktopValue(group, key, value.variant());
}

void DesktopPreferences::takeDesktopValue(const QString &group, const QString &key, const QVariant &wrapped)
{
    if (group != interfaceGroup)
        return;
    const QVariant value = unwrapped(wrapped);
    if (key == animationsKey && value.metaType() == QMetaType::fromType<bool>()) {
        if (value.toBool() != m_desktopAnimates) {
            m_desktopAnimates = value.toBool();
            emit motionChanged();
        }
    } else if (key == textScaleKey) {
        bool isNumber = false;
        const double scale = value.toDouble(&isNumber);
        if (!isNumber || !std::isfinite(scale) || scale <= 0)
            return;
        const double bounded = std::clamp(scale, minimumTextScale, maximumTextScale);
        if (bounded != m_textScale) {
            m_textScale = bounded;
            sharedTextScale.store(bounded, std::memory_order_relaxed);
            emit textScaleChanged();
        }
    }
}

void DesktopPreferences::press(QQuickItem *button)
{
    if (!button || !button->isEnabled() || !button->isVisible())
        return;
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, u" "_s);
    QCoreApplication::sendEvent(button, &down);
    QKeyEvent up(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, u" "_s);
    QCoreApplication::sendEvent(button, &up);
}
