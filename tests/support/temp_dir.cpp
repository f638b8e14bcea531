#include "support/temp_dir.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

namespace quellix::test {

namespace fs = std::filesystem;

std::vector<std::string> NamesIn(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

namespace {

// QUELLIX_TEST_SEED makes the names the same on every run, so that pictures showing them can be
// compared from one build to the next.
std::mt19937_64 NameRandom() {
    if (const char* seed = std::getenv("QUELLIX_TEST_SEED")) {
        return std::mt19937_64{std::strtoull(seed, nullptr, 10)};
    }
    return std::mt19937_64{std::random_device{}()};
}

}  // namespace

TempDir::TempDir() {
    // mkdtemp's rule, without mkdtemp (Windows has none): a new random name, made exclusively.
    static constexpr char kLetters[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    static std::mt19937_64 random = NameRandom();
    const fs::path base = fs::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = "quellix-test-";
        for (int i = 0; i < 6; ++i) {
            name += kLetters[random() % (sizeof(kLetters) - 1)];
        }
        std::error_code error;
        if (fs::create_directory(base / name, error)) {
            fs::permissions(base / name, fs::perms::owner_all, fs::perm_options::replace, error);
            path_ = (base / name).generic_string();
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary folder");
}

TempDir::~TempDir() {
    std::error_code ignored;
    // Folders made read-only by a test must not survive it, nor read-only files where the
    // flag forbids their removal (Windows).
    for (auto it = fs::recursive_directory_iterator(path_, ignored);
         it != fs::recursive_directory_iterator(); it.increment(ignored)) {
        if (it->is_symlink(ignored)) {
            continue;
        }
        const fs::perms wanted =
            it->is_directory(ignored) ? fs::perms::owner_all : fs::perms::owner_write;
        fs::permissions(it->path(), wanted, fs::perm_options::add, ignored);
    }
    fs::remove_all(path_, ignored);
}

std::string TempDir::File(const std::string& name) const {
    return path_ + "/" + name;
}

std::string TempDir::Write(const std::string& name, const std::string& content) const {
    const fs::path file = File(name);
    fs::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << content;
    return file.string();
}

std::string TempDir::Read(const std::string& name) const {
    std::ifstream in(File(name), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool TempDir::Exists(const std::string& name) const {
    std::error_code ignored;
    return fs::exists(fs::symlink_status(File(name), ignored));
}

}  // namespace quellix::test
