// selenoscope-cli batch: births in CSV in, the same rows with their readings out, on
// every core, in input order.
#include "cli/BatchPipeline.h"
#include "cli/BatchRows.h"
#include "cli/CommandSupport.h"
#include "cli/Commands.h"
#include "cli/PlaceAccess.h"
#include "cli/PreciseAccess.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace cli {
namespace {

// About 3,500 rows: long enough to keep a worker busy, short enough to keep memory small.
constexpr std::size_t kBlockBytes = 256 << 10;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string SystemError(const std::string& what)
{
    return what + ": " + std::strerror(errno);
}

/// A file the batch reads or writes: opened by name, or a standard stream for "-".
class BatchFile
{
public:
    BatchFile(const BatchFile&) = delete;
    BatchFile& operator=(const BatchFile&) = delete;
    ~BatchFile()
    {
        if (owned_)
            ::close(fd_);
    }

    static std::unique_ptr<BatchFile> Open(const std::string& name, bool forWriting,
                                           std::string& error)
    {
        if (name == "-")
            return std::unique_ptr<BatchFile>(new BatchFile(forWriting ? 1 : 0, false));
        const int fd = forWriting
                           ? ::open(name.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666)
                           : ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            error = SystemError("Cannot open " + name);
            return nullptr;
        }
        return std::unique_ptr<BatchFile>(new BatchFile(fd, true));
    }

    [[nodiscard]] int Fd() const { return fd_; }

    /// The size of a regular file, or 0 when it cannot be known (a pipe, a terminal).
    [[nodiscard]] std::uint64_t Size() const
    {
        struct stat status
        {
        };
        if (::fstat(fd_, &status) != 0 || !S_ISREG(status.st_mode))
            return 0;
        return static_cast<std::uint64_t>(status.st_size);
    }

    /// Whether a file of that name is this one.
    [[nodiscard]] bool Is(const std::string& name) const
    {
        struct stat mine
        {
        };
        struct stat other
        {
        };
        return name != "-" && ::fstat(fd_, &mine) == 0 && ::stat(name.c_str(), &other) == 0 &&
               mine.st_dev == other.st_dev && mine.st_ino == other.st_ino;
    }

    /// Writes all of data; false, with the reason kept for Failure(), when it cannot.
    bool Write(std::string_view data)
    {
        while (!data.empty()) {
            const ssize_t written = ::write(fd_, data.data(), data.size());
            if (written < 0 && errno == EINTR)
                continue;
            if (written <= 0) {
                failure_ = SystemError("Cannot write the output");
                return false;
            }
            data.remove_prefix(static_cast<std::size_t>(written));
        }
        return true;
    }

    /// Closes a file the tool opened; false when the system reports a late write error.
    bool Close()
    {
        if (owned_ && ::close(fd_) != 0)
            failure_ = SystemError("Cannot write the output");
        owned_ = false;
        return failure_.empty();
    }

    /// Why writing failed.
    [[nodiscard]] const std::string& Failure() const { return failure_; }

private:
    BatchFile(int fd, bool owned) : fd_(fd), owned_(owned) {}

    int fd_;
    bool owned_;
    std::string failure_;
};

/// The progress line on standard error: rows, rows per second and, when the input's
/// size is known, the percentage read. Shown only on a terminal.
class ProgressLine
{
public:
    ProgressLine(bool shown, std::uint64_t inputBytes) : shown_(shown), inputBytes_(inputBytes) {}

    void Update(std::uint64_t rows, std::uint64_t bytesRead)
    {
        if (!shown_)
            return;
        const auto now = Clock::now();
        if (now - lastShown_ < std::chrono::milliseconds(200))
            return;
        lastShown_ = now;
        const double seconds = std::chrono::duration<double>(now - start_).count();
        std::fprintf(stderr, "\r%llu rows, %.0f rows/s", static_cast<unsigned long long>(rows),
                     seconds > 0 ? static_cast<double>(rows) / seconds : 0.0);
        if (inputBytes_ > 0)
            std::fprintf(stderr, ", %.0f%%",
                         100.0 * static_cast<double>(bytesRead) / static_cast<double>(inputBytes_));
        std::fputs("\x1b[K", stderr); // the rest of an earlier, longer line erased
        std::fflush(stderr);
    }

    void Finish()
    {
        if (shown_)
            std::fputs("\r\x1b[K", stderr);
    }

private:
    using Clock = std::chrono::steady_clock;
    bool shown_;
    std::uint64_t inputBytes_;
    Clock::time_point start_ = Clock::now();
    Clock::time_point lastShown_ = start_;
};

void ComputeBlock(RowComputer& computer, Block& block)
{
    // A row grows by its four readings, about 80 bytes. Reused blocks keep their
    // capacity: after the first few, no row allocates here.
    block.output.reserve(3 * block.input.size());
    std::size_t begin = 0;
    for (const std::size_t end : block.recordEnds) {
        const std::string_view record(block.input.data() + begin, end - begin);
        switch (computer.Process(record, block.output)) {
        case RowComputer::Outcome::Refused:
            ++block.refused;
            ++block.rows;
            break;
        case RowComputer::Outcome::WithoutPrecise:
            ++block.withoutPrecise;
            [[fallthrough]];
        case RowComputer::Outcome::Computed:
            ++block.rows;
            break;
        case RowComputer::Outcome::Blank:
            break;
        }
        begin = end;
    }
}

/// Takes the header's record off the front of the first block.
void DropFirstRecord(Block& block)
{
    const std::size_t bytes = block.recordEnds.front();
    block.input.erase(0, bytes);
    block.recordEnds.erase(block.recordEnds.begin());
    for (std::size_t& end : block.recordEnds)
        end -= bytes;
}

} // namespace

int RunBatch(const BatchOptions& options)
{
    std::string error;
    const std::unique_ptr<BatchFile> input = BatchFile::Open(options.input, false, error);
    if (!input) {
        Complain(error);
        return kRefused;
    }
    if (input->Is(options.output)) {
        Complain("The output would overwrite the input " + options.input);
        return kUsageError;
    }

    BlockReader reader(input->Fd(), kBlockBytes);
    auto first = std::make_unique<Block>();
    if (!reader.Fill(*first)) {
        Complain(reader.Problem().empty()
                     ? "The input is empty: it needs a header row naming the columns"
                     : reader.Problem());
        return kRefused;
    }
    std::string_view headerRecord(first->input.data(), first->recordEnds.front());
    const bool byteOrderMark = headerRecord.starts_with(kByteOrderMark);
    if (byteOrderMark)
        headerRecord.remove_prefix(kByteOrderMark.size());
    // The output keeps the header's line end, so the program that wrote the file reads it.
    const std::string_view lineEnd = headerRecord.ends_with("\r\n") ? "\r\n"
                                     : headerRecord.ends_with('\r') ? "\r"
                                                                    : "\n";
    const std::string_view headerText = csv::WithoutLineEnd(headerRecord);
    csv::Record header;
    csv::SplitRecord(headerText, header);
    if (header.problem != csv::Problem::None) {
        Complain("The header row is not valid CSV");
        return kRefused;
    }
    auto read = ReadHeader(header.fields, HasAtlas());
    if (const auto* refusal = std::get_if<std::string>(&read)) {
        Complain(*refusal);
        return kRefused;
    }
    const BatchColumns columns = std::get<BatchColumns>(read);

    const std::unique_ptr<BatchFile> output = BatchFile::Open(options.output, true, error);
    if (!output) {
        Complain(error);
        return kRefused;
    }
    const std::unique_ptr<const report::PlaceLocator> places =
        columns.place ? OpenAtlas(options.atlas) : nullptr;
    std::vector<RowComputer> computers(
        options.threads, RowComputer(columns, places.get(), lineEnd,
                                     options.precise ? &PreciseForReadings : nullptr));

    std::string outputHeader(byteOrderMark ? kByteOrderMark : "");
    outputHeader.append(headerText);
    for (const std::string_view name : computers.front().AppendedColumns())
        outputHeader.append(",").append(name);
    outputHeader.append(lineEnd);
    bool written = output->Write(outputHeader);
    DropFirstRecord(*first);

    std::uint64_t rows = 0;
    std::uint64_t refused = 0;
    std::uint64_t withoutPrecise = 0;
    ProgressLine progress(::isatty(STDERR_FILENO) != 0, input->Size());
    {
        OrderedWorkers workers(options.threads, [&computers](Block& block, std::size_t worker) {
            ComputeBlock(computers[worker], block);
        });
        std::vector<std::unique_ptr<Block>> spare;
        const auto writeOldest = [&] {
            std::unique_ptr<Block> done = workers.TakeOldest();
            rows += done->rows;
            refused += done->refused;
            withoutPrecise += done->withoutPrecise;
            written = written && output->Write(done->output);
            progress.Update(rows, reader.BytesRead());
            spare.push_back(std::move(done));
        };
        // Enough blocks in flight to keep every worker busy while the oldest is written.
        const std::size_t mostInFlight = 2 * options.threads + 2;
        workers.Submit(std::move(first));
        while (written) {
            if (workers.InFlight() >= mostInFlight)
                writeOldest();
            std::unique_ptr<Block> next;
            if (spare.empty()) {
                next = std::make_unique<Block>();
            } else {
                next = std::move(spare.back());
                spare.pop_back();
            }
            if (!reader.Fill(*next))
                break;
            workers.Submit(std::move(next));
        }
        while (workers.InFlight() > 0)
            writeOldest();
    }
    progress.Finish();

    if (!output->Close() || !written) {
        Complain(output->Failure());
        return kRefused;
    }
    if (!reader.Problem().empty()) {
        Complain(reader.Problem());
        return kRefused;
    }
    if (rows == 0)
        Complain("The input has a header row but no rows");
    if (refused > 0)
        Complain(std::to_string(refused) + " of " + std::to_string(rows) +
                 " rows refused: their error column says why");
    if (withoutPrecise > 0)
        Complain(std::to_string(withoutPrecise) + " of " + std::to_string(rows) +
                 " rows have no precise Moon: their error column says why");
    return refused > 0 || withoutPrecise > 0 ? kRefused : kSucceeded;
}

} // namespace cli
