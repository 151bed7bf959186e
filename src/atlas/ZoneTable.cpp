#include "atlas/ZoneTable.h"

#include <algorithm>
#include <array>
#include <limits>
#include <string_view>

namespace atlas {

namespace {

constexpr std::array<unsigned char, 8> kMagic{'S', 'E', 'L', 'Z', 'O', 'N', 'E', 'S'};
constexpr unsigned char kVersion = 1;
constexpr UnixSeconds kSecondsPerDay = 86400;

// A table begins a month before its first year and ends a month after its last, so
// that every local time of its years, and the changes two days around it, lie inside.
UnixSeconds yearStart(int year)
{
    // Days from 1970 to 1 January of the year (Gregorian), by whole 400-year cycles.
    const std::int64_t y = std::int64_t{year} - 1;
    const std::int64_t days = y * 365 + y / 4 - y / 100 + y / 400 - 719162;
    return days * kSecondsPerDay;
}
UnixSeconds tableBegins(YearSpan years)
{
    return yearStart(years.first) - 31 * kSecondsPerDay;
}
UnixSeconds tableEnds(YearSpan years)
{
    return yearStart(years.last + 1) + 31 * kSecondsPerDay;
}

} // namespace

struct ZoneTable::Data
{
    struct History
    {
        std::vector<ZoneState> states;
        std::size_t initial = 0;
        std::vector<UnixSeconds> changes;     // ascending
        std::vector<std::uint32_t> stateFrom; // the state from each change on
    };

    YearSpan years{0, 0};
    std::vector<History> histories;
    std::vector<std::pair<std::string, std::size_t>> zones; // sorted by id
};

namespace {

/// One history of a table; keeps the table alive.
class TableZoneHistory final : public ZoneHistory
{
public:
    TableZoneHistory(std::shared_ptr<const ZoneTable::Data> data, std::size_t index)
        : data_(std::move(data)), history_(&data_->histories[index])
    {
    }

    [[nodiscard]] ZoneState stateAt(UnixSeconds instant) const override
    {
        const auto& changes = history_->changes;
        const auto next = std::upper_bound(changes.begin(), changes.end(), instant);
        if (next == changes.begin())
            return history_->states[history_->initial];
        return history_->states[history_->stateFrom[static_cast<std::size_t>(std::prev(next) -
                                                                             changes.begin())]];
    }

    [[nodiscard]] std::optional<UnixSeconds> nextChange(UnixSeconds instant) const override
    {
        const auto& changes = history_->changes;
        const auto next = std::upper_bound(changes.begin(), changes.end(), instant);
        if (next == changes.end())
            return std::nullopt;
        return *next;
    }

    [[nodiscard]] YearSpan years() const override { return data_->years; }

private:
    std::shared_ptr<const ZoneTable::Data> data_;
    const ZoneTable::Data::History* history_;
};

class Writer
{
public:
    void byte(unsigned char b) { bytes.push_back(b); }
    void number(std::uint64_t n)
    {
        do {
            const auto low = static_cast<unsigned char>(n & 0x7F);
            n >>= 7;
            byte(n != 0 ? (low | 0x80) : low);
        } while (n != 0);
    }
    void signedNumber(std::int64_t n)
    {
        number(n < 0 ? ((static_cast<std::uint64_t>(-(n + 1)) << 1) | 1)
                     : static_cast<std::uint64_t>(n) << 1);
    }
    void text(std::string_view t)
    {
        number(t.size());
        bytes.insert(bytes.end(), t.begin(), t.end());
    }

    std::vector<unsigned char> bytes;
};

class Reader
{
public:
    explicit Reader(std::span<const unsigned char> bytes) : bytes_(bytes) {}

    [[nodiscard]] bool failed() const { return failed_; }
    [[nodiscard]] bool atEnd() const { return position_ == bytes_.size(); }

    unsigned char byte()
    {
        if (position_ >= bytes_.size())
            return fail(), 0;
        return bytes_[position_++];
    }
    std::uint64_t number()
    {
        std::uint64_t n = 0;
        for (int shift = 0; shift < 64; shift += 7) {
            const unsigned char b = byte();
            n |= static_cast<std::uint64_t>(b & 0x7F) << shift;
            if ((b & 0x80) == 0)
                return n;
        }
        return fail(), 0;
    }
    /// A number below limit, or a failure.
    std::uint64_t below(std::uint64_t limit)
    {
        const std::uint64_t n = number();
        return n < limit ? n : (fail(), 0);
    }
    std::int64_t signedNumber()
    {
        const std::uint64_t n = number();
        return (n & 1) != 0 ? -static_cast<std::int64_t>(n >> 1) - 1
                            : static_cast<std::int64_t>(n >> 1);
    }
    std::string text()
    {
        const std::uint64_t size = below(bytes_.size() - position_ + 1);
        if (failed_)
            return {};
        std::string t(bytes_.begin() + static_cast<std::ptrdiff_t>(position_),
                      bytes_.begin() + static_cast<std::ptrdiff_t>(position_ + size));
        position_ += size;
        return t;
    }
    void fail() { failed_ = true, position_ = bytes_.size(); }

private:
    std::span<const unsigned char> bytes_;
    std::size_t position_ = 0;
    bool failed_ = false;
};

// Bounds that no real table comes near; they keep a damaged file from asking for
// absurd amounts of memory.
constexpr std::uint64_t kMostStates = 256;
constexpr std::uint64_t kMostChanges = 1 << 16;
constexpr std::uint64_t kMostHistories = 1 << 12;
constexpr std::int64_t kMostOffset = 2 * kSecondsPerDay;

bool readHistory(Reader& in, YearSpan years, ZoneTable::Data::History& history)
{
    const std::uint64_t stateCount = in.below(kMostStates + 1);
    for (std::uint64_t i = 0; i < stateCount && !in.failed(); ++i) {
        const std::int64_t offset = in.signedNumber();
        if (offset < -kMostOffset || offset > kMostOffset)
            in.fail();
        history.states.push_back({static_cast<int>(offset), in.text()});
    }
    history.initial = in.below(stateCount);
    const std::uint64_t changeCount = in.below(kMostChanges + 1);
    UnixSeconds at = tableBegins(years);
    for (std::uint64_t i = 0; i < changeCount && !in.failed(); ++i) {
        const std::uint64_t step = in.below(static_cast<std::uint64_t>(tableEnds(years) - at));
        if (step == 0)
            in.fail(); // each change comes after the one before
        at += static_cast<UnixSeconds>(step);
        history.changes.push_back(at);
        history.stateFrom.push_back(static_cast<std::uint32_t>(in.below(stateCount)));
    }
    return !in.failed();
}

} // namespace

ZoneTable ZoneTable::read(std::span<const unsigned char> bytes, std::string& error)
{
    error.clear();
    Reader in(bytes);
    for (const unsigned char expected : kMagic)
        if (in.byte() != expected)
            in.fail();
    if (in.failed() || in.byte() != kVersion) {
        error = "not a time zone table of this version";
        return {};
    }
    auto data = std::make_shared<Data>();
    const auto first = static_cast<int>(in.below(10000));
    const auto last = static_cast<int>(in.below(10000));
    data->years = {first, last};
    if (first > last)
        in.fail();
    const std::uint64_t historyCount = in.below(kMostHistories + 1);
    data->histories.resize(in.failed() ? 0 : historyCount);
    for (Data::History& history : data->histories)
        if (!readHistory(in, data->years, history))
            break;
    const std::uint64_t zoneCount = in.below(kMostHistories * 4 + 1);
    for (std::uint64_t i = 0; i < zoneCount && !in.failed(); ++i) {
        std::string id = in.text();
        const std::uint64_t history = in.below(data->histories.size());
        if (!data->zones.empty() && !(data->zones.back().first < id))
            in.fail(); // the ids must be sorted and distinct
        data->zones.emplace_back(std::move(id), history);
    }
    if (in.failed() || !in.atEnd()) {
        error = "the time zone table is damaged";
        return {};
    }
    ZoneTable table;
    table.data_ = std::move(data);
    return table;
}

std::shared_ptr<const ZoneHistory> ZoneTable::find(const std::string& zoneId) const
{
    if (!data_)
        return nullptr;
    const auto& zones = data_->zones;
    const auto found = std::lower_bound(zones.begin(), zones.end(), zoneId,
                                        [](const std::pair<std::string, std::size_t>& zone,
                                           const std::string& id) { return zone.first < id; });
    if (found == zones.end() || found->first != zoneId)
        return nullptr;
    return std::make_shared<TableZoneHistory>(data_, found->second);
}

std::vector<std::string> ZoneTable::zoneIds() const
{
    std::vector<std::string> ids;
    if (data_)
        for (const auto& zone : data_->zones)
            ids.push_back(zone.first);
    return ids;
}

YearSpan ZoneTable::years() const
{
    return data_ ? data_->years : YearSpan{0, -1};
}

std::vector<unsigned char> writeZoneTable(const std::vector<std::string>& zoneIds, YearSpan years,
                                          const ZoneOpener& open, std::string& error)
{
    error.clear();
    const UnixSeconds begins = tableBegins(years);
    const UnixSeconds ends = tableEnds(years);
    std::vector<std::string> ids = zoneIds;
    std::sort(ids.begin(), ids.end());
    ids.erase(std::unique(ids.begin(), ids.end()), ids.end());

    // Zones that are links of one another have the same history: it is written once.
    std::vector<std::vector<unsigned char>> histories;
    std::vector<std::size_t> zoneHistory;
    for (const std::string& id : ids) {
        const std::shared_ptr<const ZoneHistory> zone = open(id);
        if (!zone) {
            error = "the time zone " + id + " is not in this computer's time zone data";
            return {};
        }
        // The states in the order they first appear; each change only where one differs.
        std::vector<ZoneState> states;
        auto stateNumber = [&](const ZoneState& state) {
            const auto found = std::find(states.begin(), states.end(), state);
            if (found != states.end())
                return static_cast<std::size_t>(found - states.begin());
            states.push_back(state);
            return states.size() - 1;
        };
        const std::size_t initial = stateNumber(zone->stateAt(begins));
        std::vector<std::pair<UnixSeconds, std::size_t>> changes;
        std::size_t current = initial;
        for (std::optional<UnixSeconds> at = zone->nextChange(begins); at && *at < ends;
             at = zone->nextChange(*at)) {
            const std::size_t state = stateNumber(zone->stateAt(*at));
            if (state != current)
                changes.emplace_back(*at, state);
            current = state;
        }
        Writer history;
        history.number(states.size());
        for (const ZoneState& state : states) {
            history.signedNumber(state.offsetSeconds);
            history.text(state.abbreviation);
        }
        history.number(initial);
        history.number(changes.size());
        UnixSeconds previous = begins;
        for (const auto& [at, state] : changes) {
            history.number(static_cast<std::uint64_t>(at - previous));
            history.number(state);
            previous = at;
        }
        const auto same = std::find(histories.begin(), histories.end(), history.bytes);
        zoneHistory.push_back(static_cast<std::size_t>(same - histories.begin()));
        if (same == histories.end())
            histories.push_back(std::move(history.bytes));
    }

    Writer out;
    for (const unsigned char b : kMagic)
        out.byte(b);
    out.byte(kVersion);
    out.number(static_cast<std::uint64_t>(years.first));
    out.number(static_cast<std::uint64_t>(years.last));
    out.number(histories.size());
    for (const std::vector<unsigned char>& history : histories)
        out.bytes.insert(out.bytes.end(), history.begin(), history.end());
    out.number(ids.size());
    for (std::size_t i = 0; i < ids.size(); ++i) {
        out.text(ids[i]);
        out.number(zoneHistory[i]);
    }
    return std::move(out.bytes);
}

} // namespace atlas
