#include "LineOrder.h"

#include "storage/SecondThread.h"

#include "storage/Cp1252.h"

#include <algorithm>
#include <array>
#include <condition_variable>
#include <cstdint>
#include <cstring>
#include <deque>
#include <mutex>
#include <system_error>
#include <thread>

namespace rf {

QString ListEntry::text() const
{
    return Cp1252::decode(line);
}

namespace {

// Lines sorted on the second core at a time: large enough that merging the blocks costs little,
// small enough that the last one is sorted soon after the archive has been read.
constexpr std::size_t BlockLines = 16384;

using FoldTable = std::array<unsigned char, 256>;

// Windows-1252 bytes with their capital letters made small: the lines' order letter case aside.
const FoldTable& caseFold()
{
    return Cp1252::caseFold();
}

// Windows-1252 bytes as an Italian reader orders them: letter case aside, and every accented
// letter beside its plain one ("àlberto" among the a, "È1" among the e).
const FoldTable& plainFold()
{
    static const FoldTable table = [] {
        FoldTable folded = caseFold();
        const auto plain = [&folded](const char* letters, char to) {
            for (const char* c = letters; *c; ++c)
                folded[std::size_t((unsigned char)*c)] = (unsigned char)to;
        };
        // The Windows-1252 codes of the accented letters, capital and small, of each plain letter.
        plain("\xC0\xC1\xC2\xC3\xC4\xC5\xC6\xE0\xE1\xE2\xE3\xE4\xE5\xE6", 'a');
        plain("\xC7\xE7", 'c');
        plain("\xD0\xF0", 'd');
        plain("\xC8\xC9\xCA\xCB\xE8\xE9\xEA\xEB", 'e');
        plain("\xCC\xCD\xCE\xCF\xEC\xED\xEE\xEF", 'i');
        plain("\xD1\xF1", 'n');
        plain("\x8C\x9C\xD2\xD3\xD4\xD5\xD6\xD8\xF2\xF3\xF4\xF5\xF6\xF8", 'o');
        plain("\x8A\x9A\xDF", 's');
        plain("\xDE\xFE", 't');
        plain("\xD9\xDA\xDB\xDC\xF9\xFA\xFB\xFC", 'u');
        plain("\x9F\xDD\xFD\xFF", 'y');
        plain("\x8E\x9E", 'z');
        folded[0xA0] = ' '; // a non-breaking blank is a blank
        return folded;
    }();
    return table;
}

// Compares two lines folded, from byte from on (the bytes before it are known to fold alike).
int compareFolded(const FoldTable& fold, const QByteArray& a, const QByteArray& b, qsizetype from = 0)
{
    const qsizetype n = std::min(a.size(), b.size());
    const auto* x = reinterpret_cast<const unsigned char*>(a.constData());
    const auto* y = reinterpret_cast<const unsigned char*>(b.constData());
    for (qsizetype i = from; i < n; ++i) {
        const unsigned char fx = fold[x[i]];
        const unsigned char fy = fold[y[i]];
        if (fx != fy)
            return fx < fy ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

// A line to be ordered: its start folded, held in the sort array itself so that most comparisons
// are settled there without reaching for the lines scattered in memory, and the order it came in.
struct SortKey {
    // A customer's columns and the vehicle's after them: a customer who comes back often leaves
    // lines that differ only there.
    std::array<unsigned char, 96> start;
    std::uint32_t order;
    const QByteArray* line;
};

SortKey sortKey(const QByteArray& line, std::uint32_t order)
{
    const FoldTable& fold = plainFold();
    SortKey key{{}, order, &line};
    const qsizetype n = std::min<qsizetype>(line.size(), qsizetype(key.start.size()));
    for (qsizetype i = 0; i < n; ++i)
        key.start[std::size_t(i)] = fold[(unsigned char)line.at(i)];
    return key;
}

// The order itself; total, since the order handed over settles equal lines.
bool before(const SortKey& a, const SortKey& b)
{
    if (const int byStart = std::memcmp(a.start.data(), b.start.data(), a.start.size()))
        return byStart < 0;
    const QByteArray& x = *a.line;
    const QByteArray& y = *b.line;
    // Repeated lines (a customer who rents again) are common: equal bytes keep their order.
    if (x.size() == y.size() && std::memcmp(x.constData(), y.constData(), std::size_t(x.size())) == 0)
        return a.order < b.order;
    // Both starts folded alike, so the folded comparison goes on after them.
    const qsizetype known = std::min<qsizetype>({x.size(), y.size(), qsizetype(a.start.size())});
    if (const int byText = compareFolded(plainFold(), x, y, known))
        return byText < 0;
    // Lines that read alike: the plain letter before the accented, then small before capital.
    if (const int byAccent = compareFolded(caseFold(), x, y))
        return byAccent < 0;
    if (x != y)
        return x > y;
    return a.order < b.order;
}

} // namespace

// Lines in order, each key pointing at the line beside it.
struct SortedRun {
    std::vector<ListEntry> entries;
    std::vector<SortKey> keys;
};

namespace {

using Run = SortedRun;

std::unique_ptr<Run> sortBlock(std::uint32_t first, std::vector<ListEntry> block)
{
    std::vector<SortKey> keys;
    keys.reserve(block.size());
    for (std::size_t i = 0; i < block.size(); ++i)
        keys.push_back(sortKey(block[i].line, first + std::uint32_t(i)));
    std::sort(keys.begin(), keys.end(), before);
    auto run = std::make_unique<Run>();
    run->entries.reserve(block.size());
    for (SortKey& key : keys) {
        run->entries.push_back(std::move(block[key.order - first]));
        key.line = &run->entries.back().line;
    }
    run->keys = std::move(keys);
    return run;
}

// Merges a[ai, ae) and b[bi, be) into out from at on; out is already as long as both runs.
void mergeInto(Run& a, std::size_t ai, std::size_t ae, Run& b, std::size_t bi, std::size_t be, Run& out,
               std::size_t at)
{
    const auto take = [&out, &at](Run& from, std::size_t& i) {
        out.entries[at] = std::move(from.entries[i]);
        out.keys[at] = from.keys[i];
        out.keys[at].line = &out.entries[at].line;
        ++at;
        ++i;
    };
    while (ai < ae && bi < be) {
        if (before(b.keys[bi], a.keys[ai]))
            take(b, bi);
        else
            take(a, ai);
    }
    while (ai < ae)
        take(a, ai);
    while (bi < be)
        take(b, bi);
}

// One run of two. With twoCores a long merge is cut in two where the middle line of the longer run
// falls in the other, and the halves are merged on two cores.
std::unique_ptr<Run> merge(Run& a, Run& b, bool twoCores)
{
    auto run = std::make_unique<Run>();
    const std::size_t total = a.entries.size() + b.entries.size();
    run->entries.resize(total); // never reallocated: the keys point into it
    run->keys.resize(total);
    constexpr std::size_t SplitFrom = 16384;
    if (twoCores && total >= SplitFrom) {
        Run& longer = a.keys.size() >= b.keys.size() ? a : b;
        Run& shorter = &longer == &a ? b : a;
        const std::size_t middle = longer.keys.size() / 2;
        // Where the middle line of the longer run goes among the lines of the shorter: after
        // those that come before it. Both halves keep the order of the whole.
        const std::size_t cut = std::size_t(
            std::lower_bound(shorter.keys.begin(), shorter.keys.end(), longer.keys[middle], before) -
            shorter.keys.begin());
        SecondThread second;
        if (second.start([&] {
                mergeInto(longer, middle, longer.keys.size(), shorter, cut, shorter.keys.size(), *run,
                          middle + cut);
            })) {
            mergeInto(longer, 0, middle, shorter, 0, cut, *run, 0);
            second.join();
            return run;
        }
        // No second thread to be had: the whole merge on this one.
    }
    mergeInto(a, 0, a.keys.size(), b, 0, b.keys.size(), *run, 0);
    return run;
}

// Merges the runs into one, the last two (the shortest) first.
std::unique_ptr<Run> mergeAll(std::vector<std::unique_ptr<Run>> runs)
{
    while (runs.size() > 1) {
        std::unique_ptr<Run> later = std::move(runs.back());
        runs.pop_back();
        runs.back() = merge(*runs.back(), *later, true);
    }
    return runs.empty() ? std::make_unique<Run>() : std::move(runs.front());
}

} // namespace

// The second core's part: it sorts each full block handed to it and, while the scan goes on,
// merges runs of equal length, so that at most one run of each length is left for the end.
class LineSorter::Worker {
public:
    ~Worker()
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_closing = true;
            m_queue.clear();
        }
        m_wake.notify_one();
        m_thread.join();
    }

    // Starts the thread; false when no second thread is to be had.
    bool start()
    {
        return m_thread.start([this] { work(); });
    }

    void hand(std::uint32_t first, std::vector<ListEntry> block)
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_queue.emplace_back(first, std::move(block));
        }
        m_wake.notify_one();
    }

    // Waits for the blocks handed over; their runs.
    std::vector<std::unique_ptr<Run>> finish()
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_closing = true;
        }
        m_wake.notify_one();
        m_thread.join();
        return std::move(m_runs);
    }

private:
    void work()
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        for (;;) {
            m_wake.wait(lock, [this] { return m_closing || !m_queue.empty(); });
            if (m_queue.empty())
                return; // closing, nothing left
            auto [first, block] = std::move(m_queue.front());
            m_queue.pop_front();
            lock.unlock();
            // The runs are this thread's alone until finish() has joined it.
            m_runs.push_back(sortBlock(first, std::move(block)));
            while (m_runs.size() >= 2 &&
                   m_runs[m_runs.size() - 2]->keys.size() == m_runs.back()->keys.size()) {
                std::unique_ptr<Run> later = std::move(m_runs.back());
                m_runs.pop_back();
                m_runs.back() = merge(*m_runs.back(), *later, false);
            }
            lock.lock();
        }
    }

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<std::pair<std::uint32_t, std::vector<ListEntry>>> m_queue;
    bool m_closing = false;
    std::vector<std::unique_ptr<Run>> m_runs;
    SecondThread m_thread;
};

LineSorter::LineSorter() = default;

LineSorter::~LineSorter() = default;

void LineSorter::add(ListEntry entry)
{
    if (m_block.empty())
        m_block.reserve(BlockLines);
    m_block.push_back(std::move(entry));
    if (m_block.size() < BlockLines)
        return;
    const std::uint32_t first = m_handed;
    m_handed += std::uint32_t(m_block.size());
    if (!m_worker) {
        m_worker = std::make_unique<Worker>();
        if (!m_worker->start())
            m_worker.reset();
    }
    if (m_worker)
        m_worker->hand(first, std::exchange(m_block, {}));
    else // no second thread to be had: the block is sorted here and now
        m_inline.push_back(sortBlock(first, std::exchange(m_block, {})));
}

std::vector<ListEntry> LineSorter::finish()
{
    // The last, partial block is sorted here while the second core finishes the full ones.
    std::vector<std::unique_ptr<Run>> runs = std::exchange(m_inline, {});
    std::unique_ptr<Run> last;
    if (!m_block.empty())
        last = sortBlock(m_handed, std::exchange(m_block, {}));
    if (m_worker) {
        for (std::unique_ptr<Run>& run : m_worker->finish())
            runs.push_back(std::move(run));
        m_worker.reset();
    }
    if (last)
        runs.push_back(std::move(last));
    m_handed = 0;
    return std::move(mergeAll(std::move(runs))->entries);
}

std::vector<ListEntry> LineSorter::sorted(std::vector<ListEntry> entries)
{
    LineSorter sorter;
    for (ListEntry& entry : entries)
        sorter.add(std::move(entry));
    return sorter.finish();
}

} // namespace rf
