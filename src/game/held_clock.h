#pragma once

// A clock that stands still while held: what it shows is the time it was given less every
// stretch it spent held, so after a pause an animation goes on from where it stood instead of
// jumping ahead. Never held, it shows the given time exactly.
class HeldClock {
  public:
    // The time to show for now; held says no time passed since the last call.
    double shown(double now, bool held)
    {
        if (held && started) {
            heldFor += now - last;
        }
        started = true;
        last = now;
        return now - heldFor;
    }

  private:
    double heldFor = 0.0;
    double last = 0.0;
    bool started = false;
};
