#pragma once

#include <QObject>
#include <QtQml/qqmlregistration.h>

// Steps through a list of cards one page at a time: the index shown, the direction of the last
// step (which picks the page transition) and whether either end is reached. The card sequence,
// the card detail pager and the flashcards page with it.
class CardPager : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(int count READ count WRITE setCount NOTIFY countChanged)
    Q_PROPERTY(int startIndex READ startIndex WRITE setStartIndex NOTIFY startIndexChanged)
    Q_PROPERTY(int currentIndex READ currentIndex NOTIFY currentIndexChanged)
    Q_PROPERTY(bool navigatingForward READ navigatingForward NOTIFY currentIndexChanged)
    Q_PROPERTY(bool hasCurrent READ hasCurrent NOTIFY currentIndexChanged)
    Q_PROPERTY(bool canGoBack READ canGoBack NOTIFY currentIndexChanged)
    Q_PROPERTY(bool canGoForward READ canGoForward NOTIFY currentIndexChanged)
    Q_PROPERTY(QString counterText READ counterText NOTIFY currentIndexChanged)

public:
    explicit CardPager(QObject *parent = nullptr);

    int count() const { return m_count; }
    void setCount(int count);
    int startIndex() const { return m_startIndex; }
    // Where paging starts; it moves the current index there, facing forward.
    void setStartIndex(int index);
    int currentIndex() const { return m_currentIndex; }
    bool navigatingForward() const { return m_navigatingForward; }
    bool hasCurrent() const { return m_currentIndex >= 0 && m_currentIndex < m_count; }
    bool canGoBack() const { return m_currentIndex >= 1; }
    bool canGoForward() const { return m_currentIndex < m_count - 1; }
    // "Card 2 of 10".
    QString counterText() const;

    // One page on, unless the last page is shown.
    Q_INVOKABLE void next();
    // One page back, unless the first page is shown.
    Q_INVOKABLE void previous();
    // The arrow keys page: right is next, left is previous. Both count as handled even at the
    // ends, so they never move focus elsewhere; any other key is left alone.
    Q_INVOKABLE bool handleKey(int key);

signals:
    void countChanged();
    void startIndexChanged();
    void currentIndexChanged();

private:
    void moveTo(int index, bool forward);

    int m_count = 0;
    int m_startIndex = 0;
    int m_currentIndex = 0;
    bool m_navigatingForward = true;
};
