// JSON Lines on several threads. The calling thread reads and cuts the input into blocks of
// whole lines; each job settles a block at a time with its own settler; one more thread writes
// the blocks' answers in input order. At most two blocks a job are held, so memory does not
// grow with the input.

#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "cli/json_lines.h"

namespace quorvel::cli {

namespace {

struct Block {
    struct Line {
        std::size_t offset;
        std::size_t size;
        bool overlong;
        bool startsInput;
    };

    std::string text;  // the lines, one after another, without line breaks
    std::vector<Line> lines;
    bool flush = false;  // write the answers at once: the input had nothing more at hand
    bool settled = false;
    std::string answers;

    void clear() {
        text.clear();
        lines.clear();
        flush = false;
        settled = false;
        answers.clear();
    }
};

class Pipeline {
  public:
    Pipeline(const WriteAll& write, const JsonLinesOptions& options)
        : write_(write), options_(options), maxBlocks_(2 * std::size_t{options.jobs}) {}

    JsonLinesOutcome run(std::span<const JsonInput> inputs);

  private:
    void read(std::span<const JsonInput> inputs);
    bool submit(bool flush);
    void settle();
    void writeAnswers();
    bool writeOut(std::string& pending);

    const WriteAll& write_;
    const JsonLinesOptions& options_;
    const std::size_t maxBlocks_;

    std::unique_ptr<Block> filling_;  // the block the reader is filling

    std::mutex mutex_;
    std::condition_variable workReady_;         // a block to settle, or the end
    std::condition_variable frontReady_;        // the oldest block is settled, or the end
    std::condition_variable roomReady_;         // a block was written, or the end
    std::deque<std::unique_ptr<Block>> queue_;  // in input order, until written
    std::size_t unsettled_ = 0;                 // index in queue_ of the first block not taken
    std::vector<std::unique_ptr<Block>> spare_;
    bool inputEnded_ = false;
    bool stopped_ = false;  // the answers cannot be written: nothing more is read or settled
    JsonLinesOutcome outcome_;
};

JsonLinesOutcome Pipeline::run(std::span<const JsonInput> inputs) {
    std::vector<std::thread> jobs;
    for (unsigned i = 0; i < options_.jobs; ++i) {
        jobs.emplace_back([this] { settle(); });
    }
    std::thread writer([this] { writeAnswers(); });
    read(inputs);
    {
        const std::lock_guard lock(mutex_);
        inputEnded_ = true;
    }
    workReady_.notify_all();
    frontReady_.notify_all();
    for (std::thread& job : jobs) {
        job.join();
    }
    writer.join();
    return outcome_;
}

void Pipeline::read(std::span<const JsonInput> inputs) {
    filling_ = std::make_unique<Block>();
    const auto onLine = [&](const InputLine& line) {
        filling_->lines.push_back(
            {filling_->text.size(), line.text.size(), line.overlong, line.startsInput});
        filling_->text.append(line.text);
        // Lines count too, so a block of blank lines ends as well.
        return filling_->text.size() + filling_->lines.size() < options_.blockBytes ||
               submit(false);
    };
    ReadOutcome read =
        readLines(inputs, options_.blockBytes, onLine, [this] { return submit(true); });
    if (read.end == ReadEnd::Failed) {
        const std::lock_guard lock(mutex_);
        if (outcome_.end == JsonLinesEnd::Finished) {
            outcome_.end = JsonLinesEnd::ReadFailed;
            outcome_.error = std::move(read.error);
        }
    }
}

// Hands the block being filled to the jobs and starts another; false once nothing more is wanted.
bool Pipeline::submit(bool flush) {
    std::unique_lock lock(mutex_);
    roomReady_.wait(lock, [&] { return queue_.size() < maxBlocks_ || stopped_; });
    if (stopped_) {
        return false;
    }
    filling_->flush = flush;
    queue_.push_back(std::move(filling_));
    if (spare_.empty()) {
        filling_ = std::make_unique<Block>();
    } else {
        filling_ = std::move(spare_.back());
        spare_.pop_back();
    }
    lock.unlock();
    workReady_.notify_one();
    return true;
}

void Pipeline::settle() {
    JsonLinesSettler settler(options_.explain);
    for (;;) {
        Block* block = nullptr;
        {
            std::unique_lock lock(mutex_);
            workReady_.wait(lock,
                            [&] { return unsettled_ < queue_.size() || inputEnded_ || stopped_; });
            if (stopped_ || unsettled_ == queue_.size()) {
                break;
            }
            block = queue_[unsettled_++].get();
        }
        for (const Block::Line& line : block->lines) {
            InputLine input;
            input.text = std::string_view(block->text).substr(line.offset, line.size);
            input.overlong = line.overlong;
            input.startsInput = line.startsInput;
            settler.answer(input, block->answers);
        }
        {
            const std::lock_guard lock(mutex_);
            block->settled = true;
        }
        frontReady_.notify_one();
    }
    const std::lock_guard lock(mutex_);
    outcome_.anyInvalid = outcome_.anyInvalid || settler.anyInvalid();
}

void Pipeline::writeAnswers() {
    std::string pending;
    for (;;) {
        std::unique_ptr<Block> block;
        {
            std::unique_lock lock(mutex_);
            frontReady_.wait(lock, [&] {
                return (!queue_.empty() && queue_.front()->settled) ||
                       (inputEnded_ && queue_.empty());
            });
            if (queue_.empty()) {
                break;
            }
            block = std::move(queue_.front());
            queue_.pop_front();
            --unsettled_;
        }
        roomReady_.notify_one();
        pending += block->answers;
        const bool flush = block->flush;
        block->clear();
        {
            const std::lock_guard lock(mutex_);
            spare_.push_back(std::move(block));
        }
        if ((flush || pending.size() >= options_.blockBytes) && !writeOut(pending)) {
            return;
        }
    }
    writeOut(pending);
}

// Writes and empties `pending`; on failure stops the reader and the jobs.
bool Pipeline::writeOut(std::string& pending) {
    if (pending.empty()) {
        return true;
    }
    const WriteResult written = write_(pending);
    pending.clear();
    if (written == WriteResult::Written) {
        return true;
    }
    const std::string error = std::string("cannot write the results: ") + std::strerror(errno);
    {
        const std::lock_guard lock(mutex_);
        stopped_ = true;
        if (written == WriteResult::Closed) {
            outcome_.end = JsonLinesEnd::OutputClosed;
        } else {
            outcome_.end = JsonLinesEnd::WriteFailed;
            outcome_.error = error;
        }
    }
    workReady_.notify_all();
    roomReady_.notify_all();
    return false;
}

}  // namespace

JsonLinesOutcome settleJsonLinesInParallel(std::span<const JsonInput> inputs, const WriteAll& write,
                                           const JsonLinesOptions& options) {
    return Pipeline(write, options).run(inputs);
}

}  // namespace quorvel::cli
