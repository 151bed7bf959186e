// The batch's streaming: the input read in blocks of whole records, the blocks worked
// on by every core, and handed back in input order. Memory holds a bounded number of
// blocks whatever the size of the input.
#pragma once

#include "cli/Csv.h"

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace cli {

/// A stretch of the input holding whole records, and the output made from it.
struct Block
{
    std::string input;                   // whole records, line ends included
    std::vector<std::size_t> recordEnds; // the offset just past each record
    std::string output;
    std::uint64_t rows = 0;           // output rows written from it
    std::uint64_t refused = 0;        // of which refused
    std::uint64_t withoutPrecise = 0; // of which computed without the precise Moon asked for
};

/// Reads an input in blocks of whole records: a line break inside a quoted field
/// belongs to its field.
class BlockReader
{
public:
    /// The most one record may hold, line breaks in quoted fields included: a record
    /// that runs on past it stops the run (a quoted field left open, most often).
    /// --help and the README give it as 1 MiB.
    static constexpr std::size_t kLongestRecord = 1 << 20;

    /// Reads from a file descriptor; blocks end at the first record end past blockBytes.
    BlockReader(int fd, std::size_t blockBytes);

    /// Fills the block with the next records. False at the end of the input, or when it
    /// cannot be read further (Problem() says why). Input ending inside quotes gives its
    /// last record all the same: that row's own reading refuses it.
    bool Fill(Block& block);

    /// Why reading stopped before the end, or empty.
    [[nodiscard]] const std::string& Problem() const { return problem_; }

    /// Bytes read so far.
    [[nodiscard]] std::uint64_t BytesRead() const { return bytesRead_; }

private:
    /// Appends the next bytes of the input; false at its end or on an error.
    bool ReadMore(std::string& into);

    int fd_;
    std::size_t blockBytes_;
    std::string carry_; // the start of a record not yet ended
    bool atEnd_ = false;
    std::string problem_;
    std::uint64_t bytesRead_ = 0;
    std::uint64_t records_ = 0; // records handed out so far
    csv::RecordScanner scanner_;
};

/// Runs work on blocks in worker threads and gives the blocks back in the order they were
/// submitted, whichever finished first.
class OrderedWorkers
{
public:
    /// The work on one block by the worker numbered 0 to threads - 1.
    using Work = std::function<void(Block&, std::size_t worker)>;

    OrderedWorkers(std::size_t threads, Work work);
    ~OrderedWorkers();
    OrderedWorkers(const OrderedWorkers&) = delete;
    OrderedWorkers& operator=(const OrderedWorkers&) = delete;

    void Submit(std::unique_ptr<Block> block);

    /// The oldest block submitted and not yet taken, once its work is done. Rethrows what
    /// the work threw.
    std::unique_ptr<Block> TakeOldest();

    /// Blocks submitted and not yet taken.
    [[nodiscard]] std::size_t InFlight() const;

private:
    struct Slot
    {
        std::unique_ptr<Block> block;
        bool done = false;
        std::exception_ptr failure;
    };

    void RunWorker(std::size_t worker);

    Work work_;
    mutable std::mutex mutex_;
    std::condition_variable workWaiting_;
    std::condition_variable workDone_;
    std::deque<Slot> inOrder_;  // every block in flight, oldest first
    std::deque<Slot*> waiting_; // those no worker has taken yet
    bool stopping_ = false;
    std::vector<std::thread> threads_;
};

} // namespace cli
