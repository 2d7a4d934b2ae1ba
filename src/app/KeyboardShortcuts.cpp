#include "KeyboardShortcuts.h"

#include <QVariantMap>

QVariantList KeyboardShortcuts::entries()
{
    const std::pair<QString, QString> list[] = {
        {tr("Tab, Shift+Tab"), tr("Move to the next or the previous control")},
        {tr("Space, Return"), tr("Press the control or open the card that has the focus")},
        {tr("Up, Down"), tr("Choose a section in the sidebar, or move through a list")},
        {tr("Left, Right"), tr("Page through cards, flashcards and days")},
        {tr("Page Up, Page Down"), tr("Move through search results a section at a time")},
        {tr("Escape, Alt+Left"), tr("Go back from a screen, or close a sheet or menu")},
        {tr("Ctrl+W"), tr("Close the sheet, dialog or menu in front")},
        {tr("Ctrl+K"), tr("Search readings, journal and notes")},
        {tr("Ctrl+F"), tr("Search the cards, in the Library")},
        {tr("Ctrl+,"), tr("Open Settings")},
        {tr("Ctrl+Z"), tr("Bring back a deleted reading, or undo a change to a spread")},
        {tr("Ctrl+Shift+Z, Ctrl+Y"), tr("Redo a change to a spread")},
        {tr("Ctrl+Q"), tr("Quit Quillmoor Tarot")},
    };
    QVariantList entries;
    for (const auto &[keys, action] : list)
        entries.append(QVariantMap{{QStringLiteral("keys"), keys}, {QStringLiteral("action"), action}});
    return entries;
}
