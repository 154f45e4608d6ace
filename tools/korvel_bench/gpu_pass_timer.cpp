#include "gpu_pass_timer.h"

GpuPassTimer::GpuPassTimer(std::size_t expectedFrames)
{
    for (auto& pass : times) {
        pass.reserve(expectedFrames);
    }
    for (auto& frame : queries) {
        glGenQueries(static_cast<GLsizei>(frame.size()), frame.data());
    }
}

GpuPassTimer::~GpuPassTimer()
{
    for (auto& frame : queries) {
        glDeleteQueries(static_cast<GLsizei>(frame.size()), frame.data());
        frame.fill(0);
    }
}

void GpuPassTimer::collect(std::size_t frame)
{
    if (!pending[frame]) {
        return;
    }
    pending[frame] = false;
    for (std::size_t pass = 0; pass < drawPassCount; ++pass) {
        GLuint64 nanoseconds = 0;
        glGetQueryObjectui64v(queries[frame][pass], GL_QUERY_RESULT, &nanoseconds);
        times[pass].push_back(static_cast<double>(nanoseconds) * 1e-6);
    }
}

void GpuPassTimer::collectAll()
{
    for (std::size_t frame = 0; frame < frameSlots; ++frame) {
        collect((slot + 1 + frame) % frameSlots);
    }
}

void GpuPassTimer::passStarts(DrawPass pass)
{
    if (running) {
        glEndQuery(GL_TIME_ELAPSED);
        running = false;
    }
    if (pass == DrawPass::Scene) {
        // A new frame takes the oldest slot; that frame's results have long been ready.
        slot = (slot + 1) % frameSlots;
        collect(slot);
    }
    if (pass == DrawPass::Done) {
        if (recording) {
            pending[slot] = true;
        }
        return;
    }
    glBeginQuery(GL_TIME_ELAPSED, queries[slot][static_cast<std::size_t>(pass)]);
    running = true;
}
