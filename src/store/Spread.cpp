#include "Spread.h"

#include "Clock.h"

Spread::Spread(QObject *parent) : Record(parent), m_created(Clock::now())
{}
