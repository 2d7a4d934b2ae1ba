#pragma once

#include <QObject>
#include <QtQml/qqmlregistration.h>

class QQuickItem;
class QWindow;
Q_MOC_INCLUDE(<QWindow>)

// Brings Qt's own file dialog in line with the dark palette. The dialog takes its colours from
// the window's palette, except for its folder path bar, whose background Qt 6.4 leaves white
// under light text; this paints it in the palette once the dialog is open.
class DialogLook : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON

public:
    explicit DialogLook(QObject *parent = nullptr) : QObject(parent) {}

    // Restyles the file dialogs open in `window`; returns how many parts it changed.
    Q_INVOKABLE static int apply(QWindow *window);
    static int apply(QQuickItem *item);
};
