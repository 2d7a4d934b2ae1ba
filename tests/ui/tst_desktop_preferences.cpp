// What the desktop asks for, read from a settings portal of the test's own on a private bus:
// motion and text size, their changes, values a portal should not send, no portal at all,
// the choice made in Settings kept on this computer, and the reader's press on a button.
#include "DesktopPreferences.h"
#include "PrivateBus.h"
#include "Theme.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QElapsedTimer>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

const auto interfaceGroup = u"org.gnome.desktop.interface"_s;

// The portal's Settings interface as version 1 answers: a value wrapped in two variants.
class FakeSettingsPortal : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Settings")

public:
    QVariantMap values;
    int reads = 0;

public slots:
    QDBusVariant Read(const QString &group, const QString &key)
    {
        ++reads;
        const QString full = group + u'/' + key;
        if (!values.contains(full)) {
            sendErrorReply(u"org.freedesktop.portal.Error.NotFound"_s, u"Requested setting not found"_s);
            return {};
        }
        return QDBusVariant(QVariant::fromValue(QDBusVariant(values.value(full))));
    }
};

} // namespace

class DesktopPreferencesTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<PrivateBus> bus;
    QTemporaryDir config;
    DesktopPreferences &preferences = *DesktopPreferences::instance();

    // A portal on a fresh connection of the bus, which the preferences read through another.
    QDBusConnection portalWith(FakeSettingsPortal &portal, const QString &name)
    {
        QDBusConnection connection = bus->connect(name);
        connection.registerObject(u"/org/freedesktop/portal/desktop"_s, &portal,
                                  QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals);
        connection.registerService(u"org.freedesktop.portal.Desktop"_s);
        return connection;
    }

    void emitChange(QDBusConnection &connection, const QString &key, const QVariant &value)
    {
        QDBusMessage signal = QDBusMessage::createSignal(u"/org/freedesktop/portal/desktop"_s,
                                                         u"org.freedesktop.portal.Settings"_s, u"SettingChanged"_s);
        signal << interfaceGroup << key << QVariant::fromValue(QDBusVariant(value));
        connection.send(signal);
    }

private slots:
    void init()
    {
        bus = std::make_unique<PrivateBus>();
        QVERIFY(!bus->address.isEmpty());
        preferences.setChoiceFile(config.filePath(u"display.ini"_s));
        preferences.setMotionChoice(DesktopPreferences::FollowDesktop);
        preferences.takeDesktopValue(interfaceGroup, u"enable-animations"_s, true);
        preferences.takeDesktopValue(interfaceGroup, u"text-scaling-factor"_s, 1.0);
    }
    void cleanup()
    {
        // The connections go before the bus that holds them.
        for (const QString &name : bus->connections)
            QDBusConnection::disconnectFromBus(name);
        bus->connections.clear();
        bus.reset();
    }

    // The portal's answers and later changes reach motion, text size and every text style.
    void followsThePortalAndItsChanges()
    {
        FakeSettingsPortal portal;
        portal.values = {{interfaceGroup + u"/enable-animations"_s, false},
                         {interfaceGroup + u"/text-scaling-factor"_s, 1.5}};
        QDBusConnection portalConnection = portalWith(portal, u"portal"_s);
        Theme theme;
        QSignalSpy fonts(&theme, &Theme::fontsChanged);
        const int bodySize = Theme::pixelSize(Theme::TextStyle::Body);

        preferences.readFrom(bus->connect(u"app"_s));
        preferences.waitForDesktop(5000);
        QCOMPARE(portal.reads, 2);
        QVERIFY(preferences.reducedMotion());
        QVERIFY(preferences.desktopReducesMotion());
        QCOMPARE(preferences.textScale(), 1.5);
        QCOMPARE(fonts.count(), 1);
        QCOMPARE(theme.body().pixelSize(), qRound(bodySize * 1.5));

        QSignalSpy motion(&preferences, &DesktopPreferences::motionChanged);
        emitChange(portalConnection, u"enable-animations"_s, true);
        QTRY_COMPARE(motion.count(), 1);
        QVERIFY(!preferences.reducedMotion());
        // Keys of other groups and other keys change nothing.
        emitChange(portalConnection, u"color-scheme"_s, 1);
        QDBusMessage other = QDBusMessage::createSignal(u"/org/freedesktop/portal/desktop"_s,
                                                        u"org.freedesktop.portal.Settings"_s, u"SettingChanged"_s);
        other << u"org.freedesktop.appearance"_s << u"enable-animations"_s << QVariant::fromValue(QDBusVariant(false));
        portalConnection.send(other);
        emitChange(portalConnection, u"text-scaling-factor"_s, 1.25);
        QTRY_COMPARE(preferences.textScale(), 1.25);
        QCOMPARE(motion.count(), 1);
        QVERIFY(!preferences.reducedMotion());
    }

    // Without a portal, or with values no portal should send, the app keeps its own defaults
    // and sizes stay within what the screens are laid out for.
    void keepsItsDefaultsWithoutAPortalOrWithOddValues()
    {
        preferences.readFrom(bus->connect(u"alone"_s));
        QElapsedTimer waited;
        waited.start();
        preferences.waitForDesktop(5000);
        QVERIFY2(waited.elapsed() < 2000, "an absent portal answers at once through the bus");
        QVERIFY(!preferences.reducedMotion());
        QCOMPARE(preferences.textScale(), 1.0);

        preferences.takeDesktopValue(interfaceGroup, u"text-scaling-factor"_s, 10.0);
        QCOMPARE(preferences.textScale(), DesktopPreferences::maximumTextScale);
        preferences.takeDesktopValue(interfaceGroup, u"text-scaling-factor"_s, 0.1);
        QCOMPARE(preferences.textScale(), DesktopPreferences::minimumTextScale);
        for (const QVariant &odd : {QVariant(u"large"_s), QVariant(0.0), QVariant(qQNaN()), QVariant(-2.0)}) {
            preferences.takeDesktopValue(interfaceGroup, u"text-scaling-factor"_s, odd);
            QCOMPARE(preferences.textScale(), DesktopPreferences::minimumTextScale);
        }
        preferences.takeDesktopValue(interfaceGroup, u"enable-animations"_s, u"no"_s);
        QVERIFY(!preferences.reducedMotion());
    }

    // The switch overrides the desktop either way and is kept on this computer; choosing what
    // the desktop asks follows the desktop again.
    void theSwitchOverridesTheDesktopAndIsKept()
    {
        preferences.takeDesktopValue(interfaceGroup, u"enable-animations"_s, false);
        QVERIFY(preferences.reducedMotion());
        preferences.chooseReducedMotion(false);
        QCOMPARE(preferences.motionChoice(), DesktopPreferences::NeverReduce);
        QVERIFY(!preferences.reducedMotion());
        QVERIFY(preferences.motionNote().contains(u"though the desktop asks"_s));

        // Read again from the file, as at the next launch; the desktop changing its mind does
        // not undo the choice.
        preferences.setChoiceFile(config.filePath(u"display.ini"_s));
        QCOMPARE(preferences.motionChoice(), DesktopPreferences::NeverReduce);
        preferences.takeDesktopValue(interfaceGroup, u"enable-animations"_s, true);
        preferences.takeDesktopValue(interfaceGroup, u"enable-animations"_s, false);
        QVERIFY(!preferences.reducedMotion());

        preferences.chooseReducedMotion(true);
        QCOMPARE(preferences.motionChoice(), DesktopPreferences::FollowDesktop);
        QVERIFY(preferences.reducedMotion());
        preferences.takeDesktopValue(interfaceGroup, u"enable-animations"_s, true);
        QVERIFY(!preferences.reducedMotion());
        preferences.chooseReducedMotion(true);
        QCOMPARE(preferences.motionChoice(), DesktopPreferences::AlwaysReduce);
        preferences.setChoiceFile(config.filePath(u"display.ini"_s));
        QVERIFY(preferences.reducedMotion());
    }

    // A reader's press is a whole click: a checkable button changes state, a disabled one
    // does nothing.
    void aPressIsAWholeClick()
    {
        QQmlEngine engine;
        QQmlComponent component(&engine);
        component.setData("import QtQuick.Controls\nButton { checkable: true }", QUrl());
        std::unique_ptr<QObject> object(component.create());
        auto *button = qobject_cast<QQuickItem *>(object.get());
        QVERIFY2(button, qPrintable(component.errorString()));
        QSignalSpy clicked(button, SIGNAL(clicked()));
        DesktopPreferences::press(button);
        QCOMPARE(clicked.count(), 1);
        QVERIFY(button->property("checked").toBool());
        button->setEnabled(false);
        DesktopPreferences::press(button);
        QCOMPARE(clicked.count(), 1);
        QVERIFY(button->property("checked").toBool());
        DesktopPreferences::press(nullptr);
    }
};

QTEST_MAIN(DesktopPreferencesTest)
#include "tst_desktop_preferences.moc"
