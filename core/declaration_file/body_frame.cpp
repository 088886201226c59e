// Opening and closing what a declaration body reads.
#include "core/declaration_file/body_frame.h"

namespace core {

void BodyFrame::openBodySources() {
    Sources sources = bodySources();
    // Index creation needs the tables unread, so the walks are prepared before anything opens.
    for (GroupedWalk* walk : sources.walks) walk->prepare(tblResult.databaseName());
    sources_.emplace(std::move(sources.datasets));
    for (GroupedWalk* walk : sources.walks) sources_->adopt(walk->query());
}

}  // namespace core
