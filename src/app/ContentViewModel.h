#pragma once

#include "AppSection.h"

#include <QObject>
#include <QVariantList>
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

public:
    explicit ContentViewModel(QObject *parent = nullptr);

    // One entry per section: { section, title, iconName }.
    QVariantList sections() const;
    // An AppSection::Section value, or -1 when nothing is selected.
    int selectedSection() const { return m_selectedSection; }
    void setSelectedSection(int section);
    QString detailId() const { return m_detailId; }
    bool showSettings() const { return m_showSettings; }
    void setShowSettings(bool show);

signals:
    void selectedSectionChanged();
    void detailIdChanged();
    void showSettingsChanged();

private:
    int m_selectedSection = AppSection::DailyCard;
    QString m_detailId;
    bool m_showSettings = false;
};
