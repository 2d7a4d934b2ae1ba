#include "AdaptiveColumns.h"

#include <algorithm>
#include <cmath>

AdaptiveColumns::Fit AdaptiveColumns::fit(double availableWidth, double minimum, double maximum, double spacing)
{
    Fit result;
    if (minimum <= 0)
        return result;
    // A hair of tolerance, so that columns that fit exactly are not lost to rounding.
    result.count = std::max(1, int(std::floor((availableWidth + spacing) / (minimum + spacing) + 1e-9)));
    const double shared = (availableWidth - (result.count - 1) * spacing) / result.count;
    result.columnWidth = std::clamp(shared, minimum, std::max(minimum, maximum));
    result.contentWidth = result.count * result.columnWidth + (result.count - 1) * spacing;
    return result;
}

void AdaptiveColumns::set(double &field, double value)
{
    if (field == value)
        return;
    field = value;
    m_fit = fit(m_available, m_minimum, m_maximum, m_spacing);
    emit changed();
}
