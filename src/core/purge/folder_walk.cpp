#include "core/purge/folder_walk.h"

#include "core/purge/purge_engine.h"
#include "platform/path_text.h"

namespace quellix {

namespace {

// Opens the folder that holds child's folder and checks that it is the one expected.
std::optional<platform::Directory> ParentIfSame(const platform::Directory& child,
                                                const platform::EntryInfo& expected) {
    auto parent = child.OpenParent();
    if (!parent) {
        return std::nullopt;
    }
    const auto info = parent->StatSelf();
    if (!info || !info->SameEntryAs(expected)) {
        return std::nullopt;
    }
    return parent;
}

}  // namespace

FolderWalk::FolderWalk(platform::Directory root, const platform::EntryInfo& rootInfo,
                       std::string rootPath, const PurgeEngine& engine)
    : path_(std::move(rootPath)), rootPathLength_(path_.size()), engine_(engine) {
    WalkLevel level;
    level.self = rootInfo;
    level.folder = std::move(root);
    level.pathLength = path_.size();
    levels_.push_back(std::move(level));
}

void FolderWalk::Run(WalkVisitor& visitor) {
    visitor.VisitFolder(levels_.back());
    while (!engine_.StopRequested() && !visitor.Finished()) {
        WalkLevel& top = levels_.back();
        if (top.lost || top.next >= top.subfolders.size()) {
            if (levels_.size() == 1) {
                return;
            }
            Pop(visitor);
            continue;
        }
        const std::string name = top.subfolders[top.next++];
        const platform::Directory* folder = FolderAt(levels_.size() - 1);
        if (folder == nullptr) {
            top.lost = true;
            continue;
        }
        auto child = folder->OpenChild(name);
        const auto info = child ? child->StatSelf() : std::nullopt;
        if (!info || !visitor.Enter(top, name, *info)) {
            continue;
        }
        Push(name, *info, std::move(*child));
        visitor.VisitFolder(levels_.back());
    }
}

void FolderWalk::Push(std::string name, const platform::EntryInfo& info,
                      platform::Directory folder) {
    WalkLevel level;
    level.pathLength = path_.size();
    path_ += name;
    path_ += platform::kPathSeparator;
    level.name = std::move(name);
    level.self = info;
    level.folder = std::move(folder);
    levels_.push_back(std::move(level));
    CloseBeyondBudget(levels_.size() - 1);
}

void FolderWalk::CloseBeyondBudget(std::size_t depth) {
    // The root (depth 0) stays open: it is where a folder lost on the way is looked for again.
    if (BeyondBudget(depth)) {
        WalkLevel& far = levels_[depth - *budget_];
        far.folder.reset();
        far.mirror.reset();
    }
}

bool FolderWalk::BeyondBudget(std::size_t levels) {
    // Most trees are shallower than the least budget: the limit is asked only for deeper ones.
    if (levels <= platform::kLeastFolderHandles) {
        return false;
    }
    if (!budget_) {
        budget_ = platform::FolderHandleBudget();
    }
    return levels > *budget_;
}

void FolderWalk::Pop(WalkVisitor& visitor) {
    WalkLevel child = std::move(levels_.back());
    levels_.pop_back();
    path_.resize(child.pathLength);
    WalkLevel& parent = levels_.back();
    // Back up through "..", a step that costs one descriptor whatever the depth; a folder moved
    // meanwhile is found again from the levels above, or given up.
    if (!parent.folder && child.folder) {
        parent.folder = ParentIfSame(*child.folder, parent.self);
    }
    if (!parent.mirror && parent.mirrorSelf && child.mirror) {
        parent.mirror = ParentIfSame(*child.mirror, *parent.mirrorSelf);
    }
    if (FolderAt(levels_.size() - 1) == nullptr) {
        parent.lost = true;
        return;
    }
    if (!parent.lost) {
        visitor.Left(parent, child);
    }
}

const platform::Directory* FolderWalk::FolderAt(std::size_t depth) {
    if (levels_[depth].folder) {
        return &*levels_[depth].folder;
    }
    std::size_t open = depth;
    while (!levels_[open].folder) {
        --open;
    }
    std::optional<platform::Directory> current = levels_[open].folder->Duplicate();
    for (std::size_t level = open + 1; current && level <= depth; ++level) {
        current = current->OpenChild(levels_[level].name);
        const auto info = current ? current->StatSelf() : std::nullopt;
        if (!info || !info->SameEntryAs(levels_[level].self)) {
            return nullptr;
        }
    }
    if (!current) {
        return nullptr;
    }
    levels_[depth].folder = std::move(current);
    return &*levels_[depth].folder;
}

const platform::Directory* FolderWalk::Mirror(std::size_t depth,
                                              const platform::Directory& destination) {
    if (levels_[depth].mirror) {
        return &*levels_[depth].mirror;
    }
    if (depth == 0) {
        return &destination;
    }
    // The nearest level above whose mirror is at hand; the ones below it are opened or made in
    // turn, keeping only what the budget allows.
    std::size_t open = depth - 1;
    while (open > 0 && !levels_[open].mirror) {
        --open;
    }
    const platform::Directory* above =
        open == 0 && !levels_[0].mirror ? &destination : &*levels_[open].mirror;
    for (std::size_t level = open + 1; level <= depth; ++level) {
        WalkLevel& current = levels_[level];
        current.mirror = above->OpenOrMakeChildLike(current.name, current.self);
        const auto info = current.mirror ? current.mirror->StatSelf() : std::nullopt;
        if (!info || (current.mirrorSelf && !info->SameEntryAs(*current.mirrorSelf))) {
            current.mirror.reset();
            return nullptr;
        }
        current.mirrorSelf = info;
        if (level - 1 > 0 && BeyondBudget(depth - (level - 1))) {
            levels_[level - 1].mirror.reset();
        }
        above = &*current.mirror;
    }
    return &*levels_[depth].mirror;
}

}  // namespace quellix
