#pragma once

#include <QAbstractListModel>
#include <QList>
#include <QtQml/qqmlregistration.h>

class CardDataStore;
class CardMatcher;

// The cards a few typed characters may mean, best first, for a field where a card is picked
// by typing: the current row moves with the arrows and is the one Return takes.
class CardChoices : public QAbstractListModel
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QString query READ query WRITE setQuery NOTIFY queryChanged)
    Q_PROPERTY(int count READ count NOTIFY countChanged)
    Q_PROPERTY(int currentRow READ currentRow WRITE setCurrentRow NOTIFY currentRowChanged)
    Q_PROPERTY(QString currentCardId READ currentCardId NOTIFY currentRowChanged)
    // How many rows the list shows at most; the rest wait for more letters.
    Q_PROPERTY(int shownLimit READ shownLimit CONSTANT)

public:
    enum Roles { CardIdRole = Qt::UserRole + 1, NameRole, DetailRole };

    explicit CardChoices(QObject *parent = nullptr);
    // For C++: matches over `cards`, which must outlive the list.
    explicit CardChoices(const CardDataStore &cards, QObject *parent = nullptr);
    ~CardChoices() override;

    QString query() const { return m_query; }
    void setQuery(const QString &query);
    int count() const { return int(m_rows.size()); }
    int currentRow() const { return m_currentRow; }
    void setCurrentRow(int row);
    QString currentCardId() const;
    static constexpr int shownLimit() { return 8; }

    // Moves the current row by `delta`, staying inside the list.
    Q_INVOKABLE void moveCurrent(int delta);
    Q_INVOKABLE QString cardIdAt(int row) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

signals:
    void queryChanged();
    void countChanged();
    void currentRowChanged();

private:
    const CardDataStore &cards() const;
    const CardMatcher &matcher() const;

    const CardDataStore *m_cards = nullptr;
    QString m_query;
    QList<int> m_rows; // indexes into the catalogue's cards
    int m_currentRow = -1;
};
