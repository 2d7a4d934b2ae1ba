#pragma once

#include <QAnimationDriver>
#include <QCoreApplication>

// Drives Qt's animations (the springs, the toolkit's own transitions) by hand: animation time
// moves only when a test calls advanceBy(), so nothing waits on the wall clock. Installed for
// its lifetime.
class ManualAnimationDriver : public QAnimationDriver
{
public:
    ManualAnimationDriver() { install(); }
    ~ManualAnimationDriver() override { uninstall(); }

    // Moves animation time forward in frames of `frameMs`, as a display would.
    void advanceBy(qint64 ms, qint64 frameMs = 16)
    {
        for (qint64 done = 0; done < ms; done += frameMs) {
            // Animations ask for the driver to start through a queued call; let it arrive.
            QCoreApplication::processEvents();
            m_elapsed += qMin(frameMs, ms - done);
            advance();
        }
        QCoreApplication::processEvents();
    }
    qint64 elapsed() const override { return m_elapsed; }

private:
    qint64 m_elapsed = 0;
};
