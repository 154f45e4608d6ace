#include "allocation_counter.h"

#include <atomic>

#include <execinfo.h>
#include <unistd.h>

#include <cstdlib>
#include <new>

namespace {

std::atomic<long> allocationCount{0};
thread_local long threadAllocationCount = 0;
std::atomic<bool> tracing{false};
thread_local bool printing = false; // backtrace allocates itself the first time

void printCallStack()
{
    if (printing) {
        return;
    }
    printing = true;
    void* frames[24];
    const int depth = backtrace(frames, 24);
    backtrace_symbols_fd(frames, depth, STDERR_FILENO);
    write(STDERR_FILENO, "--\n", 3);
    printing = false;
}

} // namespace

long allocations::count()
{
    return allocationCount.load();
}

long allocations::countOnThisThread()
{
    return threadAllocationCount;
}

void allocations::trace(bool on)
{
    tracing = on;
}

void* operator new(std::size_t size)
{
    allocationCount.fetch_add(1, std::memory_order_relaxed);
    ++threadAllocationCount;
    if (tracing.load(std::memory_order_relaxed)) {
        printCallStack();
    }
    if (void* block = std::malloc(size == 0 ? 1 : size)) {
        return block;
    }
    throw std::bad_alloc();
}
void* operator new[](std::size_t size)
{
    return operator new(size);
}
void operator delete(void* block) noexcept
{
    std::free(block);
}
void operator delete[](void* block) noexcept
{
    std::free(block);
}
void operator delete(void* block, std::size_t) noexcept
{
    std::free(block);
}
void operator delete[](void* block, std::size_t) noexcept
{
    std::free(block);
}
