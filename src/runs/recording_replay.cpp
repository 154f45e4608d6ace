#include "runs/recording_replay.h"

#include "input/input_callbacks.h"
#include "game/key_input.h"
#include "physics/player.h"

#include <GLFW/glfw3.h>

#include <cstdio>
#include <iostream>

// The loop samples the clock once before the first pass, then once as it draws a pass and once
// as it updates it.
double RecordingReplay::sample()
{
    if (current < 0 || run.passes.empty()) {
        return run.startSample;
    }
    const RecordedPass& pass = run.passes[static_cast<std::size_t>(std::min(current, lastPass()))];
    return samplesInPass++ == 0 ? pass.drawSample : pass.updateSample;
}

void RecordingReplay::deliverEvents(GLFWwindow* window) const
{
    if (current > lastPass()) {
        return;
    }
    const RecordedPass& pass = run.passes[static_cast<std::size_t>(current)];
    for (std::uint32_t i = 0; i < pass.eventCount; ++i) {
        const RecordedEvent& event = run.events[pass.firstEvent + i];
        switch (event.kind) {
        case RecordedEvent::Kind::key:
            applyKeyEffects(window,
                            handleKeyEvent(event.key, event.action, std::cout, event.source));
            break;
        case RecordedEvent::Kind::button:
            handleMouseButtonEvent(event.button, event.action);
            break;
        case RecordedEvent::Kind::scroll:
            handleScrollEvent(event.scroll);
            break;
        }
    }
}

void RecordingReplay::drive(RunOptions& options)
{
    options.clock = [this] { return sample(); };
    options.beginPass = [this](GLFWwindow*) {
        ++current;
        samplesInPass = 0;
    };
    options.pollEvents = [this](GLFWwindow* window) {
        glfwPollEvents();
        deliverEvents(window);
    };
    options.cursor = [this](GLFWwindow*, int& x, int& y) {
        const bool recorded = current <= lastPass();
        x = recorded ? run.passes[static_cast<std::size_t>(current)].cursorX : 0;
        y = recorded ? run.passes[static_cast<std::size_t>(current)].cursorY : 0;
    };
}

long RecordingReplay::passAt(double seconds) const
{
    const auto first = static_cast<std::size_t>(run.attemptStart);
    const double start = first == 0 ? run.startSample : run.passes[first - 1].updateSample;
    for (std::size_t pass = first; pass < run.passes.size(); ++pass) {
        if (run.passes[pass].updateSample - start >= seconds) {
            return static_cast<long>(pass);
        }
    }
    return lastPass();
}

void RecordingReplay::checkFoot()
{
    if (differs < 0 && current <= lastPass() &&
        playerFoot() != run.passes[static_cast<std::size_t>(current)].foot) {
        differs = current;
    }
}

void printPlayerFoot(std::ostream& out)
{
    const glm::dvec3 foot = playerFoot();
    char line[128];
    std::snprintf(line, sizeof line, "foot: %.17g %.17g %.17g", foot.x, foot.y, foot.z);
    out << line << std::endl;
}
