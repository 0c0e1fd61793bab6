// Work split over every core: the calling thread and helper threads that are
// made once and kept for the process's life.
#pragma once

namespace zul {

// Calls work(context, first, end) for consecutive pieces [first, end) of
// [0, count), each `piece` long (the last may be shorter), on every core at
// once; returns when all are done. The pieces are taken in order as threads
// come free, so a core slowed by other work takes fewer. Calls from several
// threads at once take turns.
void ForEachPiece(int count, int piece, void (*work)(void* context, int first, int end),
                  void* context);
// The threads that share the work (1 on a single core).
int WorkingThreads();

}  // namespace zul
