#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

namespace rf {

// One line of a list window, held in Windows-1252 like the records it is made from, and the
// record it was made from.
struct ListEntry {
    QByteArray line;
    qint64 position;
    QString text() const;
};

struct SortedRun; // lines in order, a step of the sort

// Puts list lines in the order an Italian reader expects: letter case aside, accented letters
// beside their plain ones, the plain before the accented and small before capital, and equal lines
// in the order they were handed over. Lines are handed over one by one while the archive is read;
// every full block of them is sorted on a second core meanwhile, and finish() merges the blocks.
// The order is exactly that of one sort of all the lines.
class LineSorter {
public:
    LineSorter();
    ~LineSorter();
    LineSorter(const LineSorter&) = delete;
    LineSorter& operator=(const LineSorter&) = delete;

    void add(ListEntry entry);
    // The lines in order; the sorter is empty afterwards.
    std::vector<ListEntry> finish();

    // The lines in order, all at once.
    static std::vector<ListEntry> sorted(std::vector<ListEntry> entries);

private:
    class Worker;

    std::vector<ListEntry> m_block;   // lines not yet handed over as a block
    std::uint32_t m_handed = 0;       // lines handed over in blocks so far; the next line's place
    std::unique_ptr<Worker> m_worker; // the second core, once a first block is full
    std::vector<std::unique_ptr<SortedRun>> m_inline; // blocks sorted here, with no second core
};

} // namespace rf
