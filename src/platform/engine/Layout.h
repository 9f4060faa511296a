#pragma once
// Fills a report's sections with its rows and lays them out into pages in
// one forward pass: group breaks by one row of look-behind, totals as they
// go, "Page N of M" left as tokens that the outputs fill in.

#include "platform/engine/Document.h"
#include "platform/engine/Report.h"

#include <memory>

namespace pelmar::engine {

class LayoutJob {
public:
    LayoutJob(FilledReport report, std::shared_ptr<Document> doc);
    ~LayoutJob();
    // Lays out at least maxPages more pages (or to the end); true when done.
    bool step(int maxPages);
    void runAll();
    std::shared_ptr<Document> document() const;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

// Fill and lay out in one go.
std::shared_ptr<Document> layoutAll(const FilledReport& report);

} // namespace pelmar::engine
