#include "cli/parallel_batch.h"

#include <condition_variable>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "batch/block_computer.h"
#include "batch/input_output_error.h"
#include "batch/record_block.h"
#include "cli/encoding_choice.h"
#include "cli/system_error.h"

namespace orvanto::cli {
namespace {

using batch::BlockComputer;

// What one thread writes for every row stands on cache lines of its own: two threads writing the
// same line would pass it to and fro between their cores at every row.
constexpr std::size_t kCacheLine = 64;

// A block on its way: cut, computed, written, then cut into again.
struct alignas(kCacheLine) Slot {
    explicit Slot(const batch::RowFormat& format) : computed(format) {}
    batch::RecordBlock records;
    batch::ComputedBlock computed;
    std::exception_ptr failure;  // what stopped its computing
    bool done = false;
};

// The computing threads and the queue of blocks they take from. Stopped and joined when destroyed,
// whatever the run's state, so that no thread outlives the slots it works on.
class Workers {
  public:
    Workers(const batch::RowFormat& format, ThreadEncodings encodings, unsigned count) {
        // Made here, so that a codec that cannot be opened fails the run on this thread.
        for (unsigned i = 0; i < count; ++i) {
            computers_.push_back(std::make_unique<Computer>(format, encodings));
        }
        try {
            for (const auto& computer : computers_) {
                threads_.emplace_back([this, &computer = computer->computer] { work(computer); });
            }
        } catch (const std::system_error& error) {
            stop();
            throw batch::InputOutputError("无法启动第 " + std::to_string(threads_.size() + 1) +
                                          " 个计算线程：" + systemErrorText(error.code().value()) +
                                          "；请用较小的 --jobs 再试");
        }
    }
    ~Workers() { stop(); }
    Workers(const Workers&) = delete;
    Workers& operator=(const Workers&) = delete;

    void compute(Slot& slot) {
        {
            const std::lock_guard lock{mutex_};
            slot.done = false;
            slot.failure = nullptr;
            queue_.push_back(&slot);
        }
        queued_.notify_one();
    }

    void waitFor(const Slot& slot) {
        std::unique_lock lock{mutex_};
        computed_.wait(lock, [&] { return slot.done; });
    }

  private:
    void stop() {
        {
            const std::lock_guard lock{mutex_};
            stopping_ = true;
        }
        queued_.notify_all();
        for (std::thread& thread : threads_) {
            thread.join();
        }
    }

    void work(BlockComputer& computer) {
        for (;;) {
            Slot* slot = nullptr;
            {
                std::unique_lock lock{mutex_};
                queued_.wait(lock, [&] { return stopping_ || !queue_.empty(); });
                if (stopping_) {
                    return;
                }
                slot = queue_.front();
                queue_.pop_front();
            }
            try {
                computer.compute(slot->records, slot->computed);
            } catch (...) {
                slot->failure = std::current_exception();
            }
            {
                const std::lock_guard lock{mutex_};
                slot->done = true;
            }
            computed_.notify_all();
        }
    }

    // A thread's codecs and computer.
    struct alignas(kCacheLine) Computer {
        Computer(const batch::RowFormat& format, ThreadEncodings encodings)
            : computer(format,
                       {.input = codecs[encodings.input], .output = codecs[encodings.output]}) {}
        Codecs codecs;
        BlockComputer computer;
    };

    std::vector<std::unique_ptr<Computer>> computers_;
    std::mutex mutex_;
    std::condition_variable queued_;
    std::condition_variable computed_;
    std::deque<Slot*> queue_;
    bool stopping_ = false;
    std::vector<std::thread> threads_;
};

}  // namespace

batch::BatchCounts runOnThreads(batch::BatchRun& run, batch::ByteSink& sink,
                                const batch::BatchOutput& output, ThreadEncodings encodings,
                                unsigned jobs, const std::function<void(std::uint64_t)>& rowsDone) {
    run.begin(sink, output);
    std::deque<Slot> slots;  // a deque, so that the slots never move
    std::vector<Slot*> idle;
    for (unsigned i = 0; i < 2 * jobs; ++i) {
        idle.push_back(&slots.emplace_back(run.rowFormat()));
    }
    std::deque<Slot*> inFlight;  // in the order cut
    std::exception_ptr cutFailure;
    bool ended = false;
    Workers workers{run.rowFormat(), encodings, jobs};
    for (;;) {
        // The input's failure waits until every block cut before it is written.
        while (!ended && !cutFailure && !idle.empty()) {
            Slot& slot = *idle.back();
            try {
                ended = !run.cutBlock(slot.records);
            } catch (...) {
                cutFailure = std::current_exception();
            }
            if (!ended && !cutFailure) {
                idle.pop_back();
                inFlight.push_back(&slot);
                workers.compute(slot);
            }
        }
        if (inFlight.empty()) {
            break;
        }
        Slot& next = *inFlight.front();
        inFlight.pop_front();
        workers.waitFor(next);
        if (next.failure) {
            std::rethrow_exception(next.failure);
        }
        rowsDone(run.writeBlock(next.computed).rows);
        idle.push_back(&next);
    }
    if (cutFailure) {
        std::rethrow_exception(cutFailure);
    }
    return run.finish();
}

}  // namespace orvanto::cli
