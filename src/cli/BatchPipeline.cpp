#include "cli/BatchPipeline.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace cli {
namespace {

constexpr std::size_t kReadBytes = 1 << 16;

} // namespace

BlockReader::BlockReader(int fd, std::size_t blockBytes) : fd_(fd), blockBytes_(blockBytes) {}

bool BlockReader::ReadMore(std::string& into)
{
    const std::size_t had = into.size();
    into.resize(had + kReadBytes);
    ssize_t got = 0;
    do {
        got = ::read(fd_, into.data() + had, kReadBytes);
    } while (got < 0 && errno == EINTR);
    if (got < 0) {
        problem_ = std::string("Cannot read the input: ") + std::strerror(errno);
        got = 0;
    }
    into.resize(had + static_cast<std::size_t>(got));
    bytesRead_ += static_cast<std::uint64_t>(got);
    return got > 0;
}

bool BlockReader::Fill(Block& block)
{
    block.input.swap(carry_);
    carry_.clear();
    block.recordEnds.clear();
    block.output.clear();
    block.rows = block.refused = block.withoutPrecise = 0;
    if (!problem_.empty())
        return false;

    // The carried bytes begin a record: scan them again from its start.
    scanner_.Reset();
    std::size_t scanned = 0;
    std::size_t complete = 0; // bytes of whole records
    for (;;) {
        scanner_.Scan(block.input, scanned, block.recordEnds);
        scanned = block.input.size();
        complete = block.recordEnds.empty() ? 0 : block.recordEnds.back();
        if (complete >= blockBytes_ || atEnd_)
            break;
        if (scanned - complete > kLongestRecord) {
            problem_ = "Row " + std::to_string(records_ + block.recordEnds.size() + 1) +
                       " runs on past 1 MiB, the most a row may hold, " +
                       (scanner_.InsideQuotes() ? "inside a quoted field still open there"
                                                : "with no line end") +
                       ": the rest of the input is not read";
        } else if (!ReadMore(block.input)) {
            atEnd_ = true;
        }
        if (!problem_.empty()) {
            // The whole records before the trouble still count.
            block.input.resize(complete);
            break;
        }
    }
    if (atEnd_ && complete < block.input.size()) {
        // The last record has no line end.
        block.recordEnds.push_back(block.input.size());
        complete = block.input.size();
    }
    carry_.assign(block.input, complete);
    block.input.resize(complete);
    records_ += block.recordEnds.size();
    return !block.recordEnds.empty();
}

OrderedWorkers::OrderedWorkers(std::size_t threads, Work work) : work_(std::move(work))
{
    threads_.reserve(threads);
    for (std::size_t i = 0; i < threads; ++i)
        threads_.emplace_back([this, i] { RunWorker(i); });
}

OrderedWorkers::~OrderedWorkers()
{
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    workWaiting_.notify_all();
    for (std::thread& thread : threads_)
        thread.join();
}

void OrderedWorkers::Submit(std::unique_ptr<Block> block)
{
    {
        const std::lock_guard lock(mutex_);
        inOrder_.push_back(Slot{std::move(block), false, nullptr});
        waiting_.push_back(&inOrder_.back());
    }
    workWaiting_.notify_one();
}

std::unique_ptr<Block> OrderedWorkers::TakeOldest()
{
    std::unique_lock lock(mutex_);
    workDone_.wait(lock, [this] { return inOrder_.front().done; });
    Slot oldest = std::move(inOrder_.front());
    inOrder_.pop_front();
    lock.unlock();
    if (oldest.failure)
        std::rethrow_exception(oldest.failure);
    return std::move(oldest.block);
}

std::size_t OrderedWorkers::InFlight() const
{
    const std::lock_guard lock(mutex_);
    return inOrder_.size();
}

void OrderedWorkers::RunWorker(std::size_t worker)
{
    for (;;) {
        Slot* slot = nullptr;
        {
            std::unique_lock lock(mutex_);
            workWaiting_.wait(lock, [this] { return stopping_ || !waiting_.empty(); });
            if (waiting_.empty())
                return;
            slot = waiting_.front();
            waiting_.pop_front();
        }
        std::exception_ptr failure;
        try {
            work_(*slot->block, worker);
        } catch (...) {
            failure = std::current_exception();
        }
        {
            const std::lock_guard lock(mutex_);
            slot->done = true;
            slot->failure = failure;
        }
        workDone_.notify_all();
    }
}

} // namespace cli
