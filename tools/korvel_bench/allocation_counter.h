#pragma once

// Every allocation made through operator new in this program is counted, so the play mode can
// tell how many the frame loop makes per frame.
namespace allocations {

long count();

// Those made on the calling thread alone: the frame loop's, without the saver's or a driver's.
long countOnThisThread();

// While on, the call stack of every allocation is printed to standard error, to find them.
void trace(bool on);

} // namespace allocations
