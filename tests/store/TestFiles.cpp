// The store tests' temporary directories, with XDG_CONFIG_HOME and HOME pointed into them and
// put back afterwards, and raw reads and writes of files.
#include "TestFiles.h"

#include <stdlib.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <stdexcept>

#include "store/SettingsFile.h"

namespace fs = std::filesystem;

namespace store_test {

std::string ReadBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    EXPECT_TRUE(in.good()) << "cannot read " << path;
    std::string bytes(static_cast<std::size_t>(std::max<std::streamoff>(in.tellg(), 0)), '\0');
    in.seekg(0);
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return bytes;
}

void WriteBytes(const fs::path& path, const std::string& bytes)
{
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good()) << "cannot write " << path;
}

std::string Listing(const fs::path& directory)
{
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(directory)) names.insert(entry.path().filename().string());
    std::ostringstream text;
    for (const std::string& name : names) text << name << "\n";
    return text.str();
}

static void Remember(const char* name, std::string& value, bool& had)
{
    const char* current = getenv(name);
    had = current != nullptr;
    value = had ? current : "";
}

static void Restore(const char* name, const std::string& value, bool had)
{
    if (had)
        setenv(name, value.c_str(), 1);
    else
        unsetenv(name);
}

StoreTest::StoreTest()
{
    std::string pattern = (fs::temp_directory_path() / "store-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make a temporary directory");
    root_ = pattern;
    profile_ = root_ / "config" / "tallyho";
    Remember("XDG_CONFIG_HOME", savedConfig_, hadConfig_);
    Remember("HOME", savedHome_, hadHome_);
    setenv("XDG_CONFIG_HOME", (root_ / "config").c_str(), 1);
    setenv("HOME", (root_ / "home").c_str(), 1);
}

StoreTest::~StoreTest()
{
    store::SettingsFile::SetBeforeRenameHook({});
    Restore("XDG_CONFIG_HOME", savedConfig_, hadConfig_);
    Restore("HOME", savedHome_, hadHome_);
    std::error_code error;
    // Tests take permissions away; give them back so everything can go.
    for (auto it = fs::recursive_directory_iterator(root_, error); !error && it != fs::recursive_directory_iterator();
         it.increment(error))
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, error);
    fs::permissions(root_, fs::perms::owner_all, fs::perm_options::add, error);
    fs::remove_all(root_, error);
}

}  // namespace store_test
