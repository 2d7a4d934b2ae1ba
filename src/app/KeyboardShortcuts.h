#pragma once

#include <QObject>
#include <QVariantList>
#include <QtQml/qqmlregistration.h>

// The keys the whole app answers to, as the Help menu lists them: each entry has `keys` (as
// written on the keyboard) and `action` (what they do).
class KeyboardShortcuts : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
    Q_PROPERTY(QVariantList entries READ entries CONSTANT)

public:
    using QObject::QObject;

    static QVariantList entries();
};
