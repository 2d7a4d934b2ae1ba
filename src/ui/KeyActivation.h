#pragma once

#include <QObject>

class QQuickItem;

// Keys every control answers the same way, installed once on the application:
// - Return and Enter press the focused button as Space does (Qt's buttons take Space only);
// - Ctrl+W closes the sheet, dialog or menu that holds the focus, as Escape does.
class KeyActivation : public QObject
{
    Q_OBJECT

public:
    // Installs the filter on the running application; later calls do nothing.
    static void install();

    // Whether `item` is a button of the controls library (or a control like it).
    static bool isButton(const QObject *item);
    // The innermost popup (sheet, dialog or menu) that `item` lies in, if any.
    static QObject *popupOf(const QQuickItem *item);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    using QObject::QObject;
};
