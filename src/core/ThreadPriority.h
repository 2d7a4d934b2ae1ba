#pragma once

// Background work runs at a lower priority (a higher nice value) than the threads that draw,
// so that where the scene is drawn on the processor, a frame does not wait behind it. A nice
// value rather than the idle class, which would starve that work whenever any other program
// keeps the processor busy.
namespace ThreadPriority {

constexpr int backgroundNice = 10;

// Lowers the calling thread.
void lowerCurrentThread();

// Lowers every thread of this process that one of Qt's thread pools runs, found by the name Qt
// gives them ("Thread (pooled)"). Qt spreads large image conversions and scalings over a pool
// of its own, whose threads start at the priority of whichever thread first needed them (often
// the GUI thread) and cannot be reached otherwise. Returns how many threads it lowered.
int lowerPooledThreads();

} // namespace ThreadPriority
