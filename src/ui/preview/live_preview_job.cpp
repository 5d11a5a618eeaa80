#include "ui/preview/live_preview_job.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <exception>
#include <limits>

#include "codegen/built_menu.h"
#include "model/errors.h"
#include "platform/text_codec.h"
#include "ui/preview/live_preview_stage.h"
#include "ui/preview/live_preview_swap.h"

namespace zarvex::ui {

std::unique_ptr<PreviewSnapshot> PreviewSnapshot::Of(const TkavoAppletAgent& agent) {
    SnapshotTaker taker(agent);
    while (!taker.CopyMore(agent, std::numeric_limits<int>::max())) {
    }
    return taker.Take(agent);
}

SnapshotTaker::SnapshotTaker(const TkavoAppletAgent& agent)
    : snapshot_(std::make_unique<PreviewSnapshot>()), itemCount_(agent.Items.size()) {
    if (!agent.Tree())
        throw BuildError("Cannot build the menu: no design tree is attached.");
    TkavoAppletAgent& copy = snapshot_->agent;
    copy.MenuParameters = agent.MenuParameters;
    copy.LinkedFiles = agent.LinkedFiles;
    copy.StagedFiles = agent.StagedFiles;
    copy.WebPage = agent.WebPage;
    copy.SetFolders(agent.Folders());
    copy.SetProjectFolder(agent.ProjectFolder());
    copy.Items.reserve(itemCount_);
}

bool SnapshotTaker::CopyMore(const TkavoAppletAgent& agent, int budgetMs) {
    TItemArray& items = snapshot_->agent.Items;
    if (agent.Items.size() != itemCount_) {
        items.clear();
        itemCount_ = agent.Items.size();
    }
    // Slices small enough that looking at the clock costs nothing beside them.
    constexpr std::size_t kSlice = 2048;
    QElapsedTimer clock;
    clock.start();
    while (items.size() < itemCount_) {
        const auto from = agent.Items.begin() + static_cast<std::ptrdiff_t>(items.size());
        items.insert(
            items.end(), from,
            from + static_cast<std::ptrdiff_t>(std::min(kSlice, itemCount_ - items.size())));
        if (clock.elapsed() >= budgetMs)
            break;
    }
    return items.size() == itemCount_;
}

std::unique_ptr<PreviewSnapshot> SnapshotTaker::Take(const TkavoAppletAgent& agent) {
    const IDesignTree* tree = agent.Tree();
    if (!tree)
        throw BuildError("Cannot build the menu: no design tree is attached.");
    std::vector<int> levels(static_cast<std::size_t>(std::max(0, tree->NodeCount() - 1)));
    for (std::size_t i = 0; i < levels.size(); ++i)
        levels[i] = tree->NodeLevel(static_cast<int>(i) + 1);
    snapshot_->tree.AppendNodes(levels, {});
    snapshot_->agent.AttachTree(&snapshot_->tree);
    return std::move(snapshot_);
}

PreviewResult BuildPreview(const PreviewSnapshot& snapshot, LivePreviewStage& stage,
                           const std::string& loadedSignature) {
    QElapsedTimer clock;
    clock.start();
    PreviewResult result;
    try {
        const BuiltMenu built = BuildMenuInMemory(snapshot.agent);
        stage.Write(built, snapshot.agent);
        result.signature = PageSignature(built);
        if (!loadedSignature.empty() && result.signature == loadedSignature)
            result.swap = SwapScript(built, QFileInfo(stage.PagePath()).fileName());
        result.empty = snapshot.agent.Items.empty();
    } catch (const std::exception& e) {
        result.error = platform::DecodeFieldText(e.what());
    }
    result.milliseconds = clock.elapsed();
    return result;
}

}  // namespace zarvex::ui
