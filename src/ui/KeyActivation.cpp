#include "KeyActivation.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QQuickItem>

namespace {

bool isActivationKey(const QKeyEvent *key)
{
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    return (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && modifiers == Qt::NoModifier;
}

bool isCloseKey(const QKeyEvent *key)
{
    return key->key() == Qt::Key_W && (key->modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier;
}

} // namespace

void KeyActivation::install()
{
    static QPointer<KeyActivation> installed;
    auto *app = QCoreApplication::instance();
    if (!app || installed)
        return;
    installed = new KeyActivation(app);
    app->installEventFilter(installed);
}

bool KeyActivation::isButton(const QObject *item)
{
    return item && item->inherits("QQuickAbstractButton");
}

QObject *KeyActivation::popupOf(const QQuickItem *item)
{
    // A popup's item is owned by the popup object itself.
    for (const QQuickItem *it = item; it; it = it->parentItem())
        if (it->inherits("QQuickPopupItem"))
            return it->parent();
    return nullptr;
}

bool KeyActivation::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease)
        return false;
    auto *item = qobject_cast<QQuickItem *>(watched);
    if (!item || !item->hasActiveFocus())
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    if (isActivationKey(key) && isButton(item)) {
        // Held down, Space repeats nothing either: a button clicks once per press.
        if (key->isAutoRepeat())
            return true;
        QKeyEvent space(type, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
        QCoreApplication::sendEvent(item, &space);
        return true;
    }
    if (isCloseKey(key)) {
        QObject *popup = popupOf(item);
        // Only what Escape would close: the popup's close policy says so.
        constexpr int closeOnEscape = 0x10;
        if (!popup || !(popup->property("closePolicy").toInt() & closeOnEscape))
            return false;
        if (type == QEvent::KeyPress)
            QMetaObject::invokeMethod(popup, "close");
        return true;
    }
    return false;
}
