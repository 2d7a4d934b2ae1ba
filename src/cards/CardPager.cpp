#include "CardPager.h"

CardPager::CardPager(QObject *parent) : QObject(parent)
{}

void CardPager::setCount(int count)
{
    if (count == m_count)
        return;
    m_count = count;
    emit countChanged();
    emit currentIndexChanged();
}

void CardPager::setStartIndex(int index)
{
    if (index != m_startIndex) {
        m_startIndex = index;
        emit startIndexChanged();
    }
    moveTo(index, true);
}

QString CardPager::counterText() const
{
    return tr("Card %1 of %2").arg(m_currentIndex + 1).arg(m_count);
}

void CardPager::next()
{
    if (canGoForward())
        moveTo(m_currentIndex + 1, true);
}

void CardPager::previous()
{
    if (canGoBack())
        moveTo(m_currentIndex - 1, false);
}

bool CardPager::handleKey(int key)
{
    if (key == Qt::Key_Right) {
        next();
        return true;
    }
    if (key == Qt::Key_Left) {
        previous();
        return true;
    }
    return false;
}

void CardPager::moveTo(int index, bool forward)
{
    if (index == m_currentIndex && forward == m_navigatingForward)
        return;
    m_currentIndex = index;
    m_navigatingForward = forward;
    emit currentIndexChanged();
}
