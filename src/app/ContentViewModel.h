#pragma once

#include "AppSection.h"

#include <QObject>
#include <QQuickWindow>
#include <QVariantList>
#include <QVariantMap>
#include <QtQml/qqmlregistration.h>

// State of the main window's content: the selected section, the identity of the detail column
// (a new one on every change of section, so the section opens afresh at its root) and whether
// the settings sheet is open.
class ContentViewModel : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QVariantList sections READ sections CONSTANT)
    Q_PROPERTY(int selectedSection READ selectedSection WRITE setSelectedSection NOTIFY selectedSectionChanged)
    Q_PROPERTY(QString detailId READ detailId NOTIFY detailIdChanged)
    Q_PROPERTY(bool showSettings READ showSettings WRITE setShowSettings NOTIFY showSettingsChanged)
    Q_PROPERTY(bool isWindowShown READ isWindowShown NOTIFY isWindowShownChanged)
    Q_PROPERTY(double sidebarWidth READ sidebarWidth WRITE setSidebarWidth NOTIFY sidebarWidthChanged)

public:
    explicit ContentViewModel(QObject *parent = nullptr);

    // One entry per section: { section, title, iconName, rootScreen }.
    QVariantList sections() const;
    // An AppSection::Section value, or -1 when nothing is selected.
    int selectedSection() const { return m_selectedSection; }
    void setSelectedSection(int section);
    QString detailId() const { return m_detailId; }
    bool showSettings() const { return m_showSettings; }
    void setShowSettings(bool show);
    // The section's screen is built once the window has shown its first frame, so the window
    // (sidebar, title bar) appears at once and the screen follows a moment later.
    bool isWindowShown() const { return m_windowShown; }
    Q_INVOKABLE void windowShown();
    // Calls windowShown() once `window` has put its first frame on screen.
    Q_INVOKABLE void watchFirstFrame(QQuickWindow *window);
    // Opens a search result where it lives: `destination` is a row's destination (a reading,
    // a journal day or a card's note). The section is built afresh, its root screen given the
    // properties that open the record, which takeOpening() hands over once.
    Q_INVOKABLE void open(const QVariantMap &destination);
    Q_INVOKABLE QVariantMap takeOpening();
    // The sidebar's width, dragged by its edge within 180 to 240 pixels.
    double sidebarWidth() const { return m_sidebarWidth; }
    void setSidebarWidth(double width);

signals:
    void selectedSectionChanged();
    void detailIdChanged();
    void showSettingsChanged();
    void isWindowShownChanged();
    void sidebarWidthChanged();

private:
    int m_selectedSection = AppSection::DailyCard;
    QString m_detailId;
    bool m_showSettings = false;
    bool m_windowShown = false;
    double m_sidebarWidth = 200;
    QQuickWindow *m_watchedWindow = nullptr;
    QVariantMap m_opening;
};
