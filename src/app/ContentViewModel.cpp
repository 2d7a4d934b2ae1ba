#include "ContentViewModel.h"

#include "KeyActivation.h"

#include <algorithm>
#include <utility>

#include <QUuid>

ContentViewModel::ContentViewModel(QObject *parent)
    : QObject(parent), m_detailId(QUuid::createUuid().toString(QUuid::WithoutBraces))
{
    // The window's keys: Return presses buttons, Ctrl+W closes what is open on top.
    KeyActivation::install();
}

QVariantList ContentViewModel::sections() const
{
    QVariantList list;
    for (AppSection::Section section : AppSection::all()) {
        list.append(QVariantMap{{QStringLiteral("section"), static_cast<int>(section)},
                                {QStringLiteral("title"), AppSection::title(section)},
                                {QStringLiteral("iconName"), AppSection::iconName(section)},
                                {QStringLiteral("rootScreen"), AppSection::rootScreen(section)}});
    }
    return list;
}

void ContentViewModel::setSelectedSection(int section)
{
    if (section < -1 || section >= AppSection::all().size())
        section = -1;
    if (section == m_selectedSection)
        return;
    m_selectedSection = section;
    m_detailId = QUuid::createUuid().toString(QUuid::WithoutBraces);
    emit selectedSectionChanged();
    emit detailIdChanged();
}

void ContentViewModel::open(const QVariantMap &destination)
{
    const QString kind = destination.value(QStringLiteral("kind")).toString();
    int section = -1;
    if (kind == QLatin1String("reading")) {
        section = AppSection::Readings;
        m_opening = {{QStringLiteral("openReading"), destination.value(QStringLiteral("reading"))}};
    } else if (kind == QLatin1String("journal")) {
        section = AppSection::Journal;
        m_opening = {{QStringLiteral("openDay"), destination.value(QStringLiteral("day"))}};
    } else if (kind == QLatin1String("cardNote")) {
        section = AppSection::Library;
        m_opening = {{QStringLiteral("openCardId"), destination.value(QStringLiteral("cardId"))}};
    } else {
        return;
    }
    setShowSettings(false);
    // A new identity even when the section stays: its stack is built again, opening the record.
    m_selectedSection = section;
    m_detailId = QUuid::createUuid().toString(QUuid::WithoutBraces);
    emit selectedSectionChanged();
    emit detailIdChanged();
}

QVariantMap ContentViewModel::takeOpening()
{
    return std::exchange(m_opening, {});
}

void ContentViewModel::setShowSettings(bool show)
{
    if (show == m_showSettings)
        return;
    m_showSettings = show;
    emit showSettingsChanged();
}

void ContentViewModel::windowShown()
{
    if (m_windowShown)
        return;
    m_windowShown = true;
    emit isWindowShownChanged();
}

void ContentViewModel::watchFirstFrame(QQuickWindow *window)
{
    if (!window || m_windowShown || m_watchedWindow == window)
        return;
    m_watchedWindow = window;
    // frameSwapped may come from the render thread. Queued, the screen is built on this thread
    // after the frame has been handed over, never inside the frame that makes the window appear.
    connect(window, &QQuickWindow::frameSwapped, this, &ContentViewModel::windowShown,
            static_cast<Qt::ConnectionType>(Qt::QueuedConnection | Qt::SingleShotConnection));
}

void ContentViewModel::setSidebarWidth(double width)
{
    width = std::clamp(width, 180.0, 240.0);
    if (width == m_sidebarWidth)
        return;
    m_sidebarWidth = width;
    emit sidebarWidthChanged();
}
