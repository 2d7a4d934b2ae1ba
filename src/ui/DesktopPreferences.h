#pragma once

#include <QDBusConnection>
#include <QDBusVariant>
#include <QObject>
#include <QQuickItem>
#include <QtQml/qqmlregistration.h>

class QJSEngine;
class QQmlEngine;

// What the desktop asks of every app's look, and this computer's own say in it: whether motion
// is reduced (shuffles and flips become short fades) and how large text is drawn. The desktop's
// wishes come from the settings portal (org.freedesktop.portal.Settings, the
// org.gnome.desktop.interface keys enable-animations and text-scaling-factor) and follow its
// changes; without a portal, animations are on and text is at its own size. The choice made in
// Settings about motion is a preference of this computer, kept in a small file beside the app's
// other configuration rather than in the store, so it is neither synced nor archived.
class DesktopPreferences : public QObject
{
    Q_OBJECT
    QML_NAMED_ELEMENT(Accessibility)
    QML_SINGLETON
    Q_PROPERTY(bool reducedMotion READ reducedMotion NOTIFY motionChanged)
    Q_PROPERTY(bool desktopReducesMotion READ desktopReducesMotion NOTIFY motionChanged)
    Q_PROPERTY(MotionChoice motionChoice READ motionChoice WRITE setMotionChoice NOTIFY motionChanged)
    Q_PROPERTY(double textScale READ textScale NOTIFY textScaleChanged)
    // One line under the switch in Settings: where the choice about motion comes from.
    Q_PROPERTY(QString motionNote READ motionNote NOTIFY motionChanged)

public:
    enum MotionChoice { FollowDesktop, AlwaysReduce, NeverReduce };
    Q_ENUM(MotionChoice)

    static constexpr double minimumTextScale = 0.75;
    static constexpr double maximumTextScale = 2.0;

    static DesktopPreferences *instance();
    static DesktopPreferences *create(QQmlEngine *, QJSEngine *);

    bool reducedMotion() const;
    bool desktopReducesMotion() const { return !m_desktopAnimates; }
    MotionChoice motionChoice() const;
    void setMotionChoice(MotionChoice choice);
    double textScale() const { return m_textScale; }
    QString motionNote() const;
    // The switch in Settings: a wish equal to the desktop's follows the desktop again from now
    // on; a different one holds on this computer whatever the desktop asks later.
    Q_INVOKABLE void chooseReducedMotion(bool reduced);
    // The same, readable from any thread (text styles are built off the GUI thread too).
    static double currentTextScale();

    // Asks the portal on `bus` for both values and subscribes to its changes. The answer comes
    // later, while start-up goes on.
    void readFrom(const QDBusConnection &bus);
    // Processes events until a portal that was already running has answered, or `waitMs` has
    // passed; returns at once when none was running.
    void waitForDesktop(int waitMs);
    // One value as the portal gives it (namespace, key, value); others are ignored.
    void takeDesktopValue(const QString &group, const QString &key, const QVariant &value);
    // Where the motion choice is kept; tests point it at a folder of their own.
    void setChoiceFile(const QString &path);

    // Presses a button as Space does, with all a click brings (a checkable one changes state, a
    // menu closes). Assistive tools call it for their own press action, which the controls
    // library leaves without effect.
    Q_INVOKABLE static void press(QQuickItem *button);

signals:
    void motionChanged();
    void textScaleChanged();

private slots:
    void settingChanged(const QString &group, const QString &key, const QDBusVariant &value);

private:
    explicit DesktopPreferences(QObject *parent = nullptr);
    void loadChoice() const;
    QString choiceFile() const;

    bool m_desktopAnimates = true;
    double m_textScale = 1.0;
    int m_pendingReads = 0;
    bool m_waitForReads = false;
    QString m_choiceFile;
    mutable bool m_choiceLoaded = false;
    mutable MotionChoice m_choice = FollowDesktop;
};
