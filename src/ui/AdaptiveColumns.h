#pragma once

#include <QObject>
#include <QtQml/qqmlregistration.h>

// Columns that adapt to the width: as many as fit at their minimum width with the spacing
// between them, then widened to share the width, but never past the maximum (the columns are
// then centred in the width). A width narrower than one column still gets one column at its
// minimum.
class AdaptiveColumns : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(double availableWidth READ availableWidth WRITE setAvailableWidth NOTIFY changed)
    Q_PROPERTY(double minimum READ minimum WRITE setMinimum NOTIFY changed)
    Q_PROPERTY(double maximum READ maximum WRITE setMaximum NOTIFY changed)
    Q_PROPERTY(double spacing READ spacing WRITE setSpacing NOTIFY changed)
    Q_PROPERTY(int count READ count NOTIFY changed)
    Q_PROPERTY(double columnWidth READ columnWidth NOTIFY changed)
    // The columns with the spacing between them, no wider than the width unless one column is.
    Q_PROPERTY(double contentWidth READ contentWidth NOTIFY changed)

public:
    struct Fit
    {
        int count = 1;
        double columnWidth = 0;
        double contentWidth = 0;
    };
    static Fit fit(double availableWidth, double minimum, double maximum, double spacing);

    explicit AdaptiveColumns(QObject *parent = nullptr) : QObject(parent) {}

    double availableWidth() const { return m_available; }
    void setAvailableWidth(double width) { set(m_available, width); }
    double minimum() const { return m_minimum; }
    void setMinimum(double minimum) { set(m_minimum, minimum); }
    double maximum() const { return m_maximum; }
    void setMaximum(double maximum) { set(m_maximum, maximum); }
    double spacing() const { return m_spacing; }
    void setSpacing(double spacing) { set(m_spacing, spacing); }

    int count() const { return m_fit.count; }
    double columnWidth() const { return m_fit.columnWidth; }
    double contentWidth() const { return m_fit.contentWidth; }

signals:
    void changed();

private:
    void set(double &field, double value);

    double m_available = 0;
    double m_minimum = 0;
    double m_maximum = 0;
    double m_spacing = 0;
    Fit m_fit;
};
