#pragma once

// Every allocation made through operator new in this program is counted, so the play mode can
// tell how many the frame loop makes per frame.
namespace allocations {

long count();

// While on, the call stack of every allocation is printed to standard error, to find them.
void trace(bool on);

} // namespace allocations
