#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/directory.h"

namespace quellix {

class PurgeEngine;

// One folder on the way from the walk's root to the folder being worked.
struct WalkLevel {
    std::string name;  // in the folder above; empty for the root
    platform::EntryInfo self;
    // Closed while the walk is deep below, so that no tree is too deep to walk; opened again,
    // and checked to be the same folder, when the walk comes back.
    std::optional<platform::Directory> folder;
    // The subfolder names to enter, in the order met, and how many were taken.
    std::vector<std::string> subfolders;
    std::size_t next = 0;
    // The folder that mirrors this one under a move destination, once it was needed.
    std::optional<platform::Directory> mirror;
    std::optional<platform::EntryInfo> mirrorSelf;
    std::size_t pathLength = 0;  // length of the path above this level
    bool lost = false;           // could not be found again: the rest of it is left
};

class WalkVisitor {
  public:
    virtual ~WalkVisitor() = default;
    // Works the deepest level's folder, listing into its subfolders the names to enter.
    virtual void VisitFolder(WalkLevel& level) = 0;
    // Whether to enter a listed subfolder; info is that of the folder opened.
    virtual bool Enter(const WalkLevel& parent, std::string_view name,
                       const platform::EntryInfo& info) = 0;
    // After a subfolder's whole tree was walked, with the folder that holds it open.
    virtual void Left(WalkLevel& parent, const WalkLevel& child) = 0;
    // True once the visitor has learnt what it walks for: the walk then ends.
    virtual bool Finished() const { return false; }
};

// A walk of a folder tree, parents before their subfolders, each folder's listing finished before
// its subfolders are entered. It keeps no more folders open than a share of the descriptor limit
// allows, however deep the tree, and it uses neither the call stack nor memory in the square of
// the depth.
class FolderWalk {
  public:
    FolderWalk(platform::Directory root, const platform::EntryInfo& rootInfo, std::string rootPath,
               const PurgeEngine& engine);

    void Run(WalkVisitor& visitor);

    // The deepest level's path, ending in "/".
    const std::string& Path() const { return path_; }
    std::size_t RootPathLength() const { return rootPathLength_; }
    std::size_t Depth() const { return levels_.size() - 1; }
    // The mirror of the level at depth under destination, made where missing like the source
    // folders; nullptr when it cannot be made.
    const platform::Directory* Mirror(std::size_t depth, const platform::Directory& destination);

  private:
    void Push(std::string name, const platform::EntryInfo& info, platform::Directory folder);
    void Pop(WalkVisitor& visitor);
    const platform::Directory* FolderAt(std::size_t depth);
    void CloseBeyondBudget(std::size_t depth);
    // More levels open than the descriptor budget allows.
    bool BeyondBudget(std::size_t levels);

    std::vector<WalkLevel> levels_;
    std::string path_;
    std::size_t rootPathLength_;
    // Asked when the walk first gets deeper than the least budget.
    std::optional<std::size_t> budget_;
    const PurgeEngine& engine_;
};

}  // namespace quellix
