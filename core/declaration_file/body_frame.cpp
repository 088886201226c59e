// Opening and closing what a declaration body reads.
#include "core/declaration_file/body_frame.h"

#include <future>

namespace core {

void BodyFrame::openBodySources() {
    Sources sources = bodySources();
    // The datasets that hold their rows are the reference block's lists, each a read of a whole
    // work table, as each walk's survey of its table is: they are read meanwhile, on a thread of
    // their own. Once open they have finished reading, so they then leave the walks free to
    // index their tables, which needs the tables unread; the datasets that stream open after.
    std::vector<host::LocalDataSet*> held;
    std::vector<host::LocalDataSet*> streaming;
    for (host::LocalDataSet* dataset : sources.datasets) (dataset->forwardOnly() ? streaming : held).push_back(dataset);
    std::future<void> listing = std::async(std::launch::async, [this, &held] { lists_.emplace(held); });
    try {
        for (GroupedWalk* walk : sources.walks) walk->prepare(tblResult.databaseName());
        listing.get();
        for (GroupedWalk* walk : sources.walks) walk->indexIfOutOfOrder();
    } catch (...) {
        if (listing.valid()) listing.wait();
        lists_.reset();
        throw;
    }
    try {
        sources_.emplace(std::move(streaming));
    } catch (...) {
        lists_.reset();
        throw;
    }
    for (GroupedWalk* walk : sources.walks)
        for (host::LocalDataSet* query : walk->queries()) sources_->adopt(*query);
}

}  // namespace core
