#pragma once

#include <QString>

namespace modal {

// A progress window while it is open; it closes when destroyed.
class Progress
{
public:
    virtual ~Progress() = default;

    // Shows how far the work has got and lets the user's events through, a press of the stop button among them.
    virtual void step(const QString& text) = 0;
    // Whether the user has asked to stop.
    virtual bool cancelled() const = 0;
};

} // namespace modal
