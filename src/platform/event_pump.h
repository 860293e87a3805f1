#pragma once

namespace veltrix {

// Lets the user interface process pending events from inside long work (a run, printing).
class EventPump {
public:
    virtual ~EventPump() = default;
    virtual void processEvents() = 0;
};

}  // namespace veltrix
