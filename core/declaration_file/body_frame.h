// The frame of a declaration body that reads its work tables through grouped walks.
#pragma once

#include <optional>
#include <vector>

#include "core/declaration_file/grouped_walk.h"
#include "core/declaration_file/open_datasets.h"
#include "core/declaration_frame.h"

namespace core {

// A declaration frame whose body reads grouped walks and datasets, all held open while the body
// is written and closed again however the writing ends.
class BodyFrame : public DeclarationFrame {
protected:
    using DeclarationFrame::DeclarationFrame;

    // What the body reads: the walks over the work tables and the datasets opened, in order.
    struct Sources {
        std::vector<GroupedWalk*> walks;
        std::vector<host::LocalDataSet*> datasets;
    };
    virtual Sources bodySources() = 0;

    void openBodySources() final;
    void closeBodySources() noexcept final {
        sources_.reset();
        lists_.reset();
    }

private:
    std::optional<OpenDatasets> lists_;    // the datasets that hold their rows
    std::optional<OpenDatasets> sources_;  // the streaming ones and the walks' reads
};

// A form's frame class: the shared frame it is one of, made with the form's profile and its
// description of the differences.
template <class Frame, const FormProfile& Profile, const auto& Form>
class FormFrame final : public Frame {
public:
    static constexpr const FormProfile& kProfile = Profile;

    FormFrame() : Frame(Profile, Form) {}
};

}  // namespace core
