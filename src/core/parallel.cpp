// The helper threads and the hand-out of pieces.
#include "core/parallel.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace zul {
namespace {

constexpr int kMostHelpers = 15;

// One job at a time: its work, the next piece to hand out, and how many
// threads are still on it.
struct Job {
  void (*work)(void*, int, int);
  void* context;
  int count;
  int piece;
  std::atomic<int> next;
  std::atomic<int> busy;
};

struct Helpers {
  std::mutex lock;
  std::condition_variable wake;
  std::condition_variable finished;
  Job* job = nullptr;
  unsigned generation = 0;  // counts jobs, so a helper takes each once
  int count = 0;
  std::mutex one_job;  // callers take turns
};

Helpers& TheHelpers() {
  static Helpers helpers;
  return helpers;
}

void TakePieces(Job* job) {
  for (;;) {
    int first = job->next.fetch_add(job->piece);
    if (first >= job->count) return;
    int end = first + job->piece < job->count ? first + job->piece : job->count;
    job->work(job->context, first, end);
  }
}

void HelperLoop(Helpers* h) {
  unsigned seen = 0;
  for (;;) {
    Job* job;
    {
      std::unique_lock<std::mutex> guard(h->lock);
      h->wake.wait(guard, [&] { return h->generation != seen; });
      seen = h->generation;
      job = h->job;
    }
    TakePieces(job);
    std::lock_guard<std::mutex> guard(h->lock);
    if (--job->busy == 0) h->finished.notify_all();
  }
}

// Starts the helpers once: one fewer than the cores.
void StartHelpers(Helpers* h) {
  static std::once_flag started;
  std::call_once(started, [h] {
    unsigned cores = std::thread::hardware_concurrency();
    int helpers = cores > 1 ? static_cast<int>(cores) - 1 : 0;
    if (helpers > kMostHelpers) helpers = kMostHelpers;
    for (int i = 0; i < helpers; ++i) std::thread(HelperLoop, h).detach();
    h->count = helpers;
  });
}

}  // namespace

int WorkingThreads() {
  Helpers& h = TheHelpers();
  StartHelpers(&h);
  return h.count + 1;
}

void ForEachPiece(int count, int piece, void (*work)(void* context, int first, int end),
                  void* context) {
  if (count <= 0) return;
  if (piece < 1) piece = 1;
  Helpers& h = TheHelpers();
  StartHelpers(&h);
  if (h.count == 0 || count <= piece) {
    work(context, 0, count);
    return;
  }
  std::lock_guard<std::mutex> turn(h.one_job);
  Job job;
  job.work = work;
  job.context = context;
  job.count = count;
  job.piece = piece;
  job.next = 0;
  job.busy = h.count + 1;
  {
    std::lock_guard<std::mutex> guard(h.lock);
    h.job = &job;
    ++h.generation;
  }
  h.wake.notify_all();
  TakePieces(&job);
  std::unique_lock<std::mutex> guard(h.lock);
  if (--job.busy > 0) h.finished.wait(guard, [&] { return job.busy == 0; });
}

}  // namespace zul
