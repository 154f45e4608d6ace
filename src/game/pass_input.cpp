#include "game/pass_input.h"

namespace {

// More events than a player makes in one pass; beyond it the list grows once and keeps that.
constexpr std::size_t reservedEventsPerPass = 64;

} // namespace

PassInputs::PassInputs(InputSource& source) : source(source)
{
    pass.events.reserve(reservedEventsPerPass);
}

void PassInputs::begin()
{
    source.beginPass();
    pass.drawSample = 0.0;
    pass.updateSample = 0.0;
    pass.events.clear();
    pass.cursorRead = false;
    pass.cursorX = 0;
    pass.cursorY = 0;
}

double PassInputs::drawSample()
{
    pass.drawSample = source.sampleClock();
    return pass.drawSample;
}

double PassInputs::updateSample()
{
    pass.updateSample = source.sampleClock();
    return pass.updateSample;
}

const std::vector<InputEvent>& PassInputs::events(float frameTime)
{
    source.pollEvents(pass.events, frameTime);
    return pass.events;
}

CursorPosition PassInputs::cursor()
{
    const CursorPosition position = source.readCursor();
    pass.cursorRead = true;
    pass.cursorX = position.x;
    pass.cursorY = position.y;
    return position;
}
