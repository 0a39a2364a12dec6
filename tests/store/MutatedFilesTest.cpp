// Thousands of saved-games files mutated at random from well-formed ones: each
// read gives what can be read and defaults for the rest, and never crashes.
#include "HostileFilesFixture.h"

#include <random>

namespace {

using namespace hostile;

std::string WellFormedFile(std::mt19937& random)
{
    const bool crlf = random() % 2 == 0;
    const std::string eol = crlf ? "\r\n" : "\n";
    std::string text = random() % 4 == 0 ? "\xEF\xBB\xBF; games" + eol : "";
    const int sections = static_cast<int>(random() % 6);
    for (int i = 0; i < sections; ++i) {
        text += "[" + GameStore::SectionName(static_cast<int>(random() % SlotCount)) + "]" + eol;
        for (const char* key :
             {"GameName", "GameDate", "Credits", "Borrowed", "Spins", "TotalBets", "BonusWon", "BonusPts", "Extra"}) {
            if (random() % 5 != 0)
                text += std::string(key) + (random() % 3 == 0 ? " = " : "=") +
                        std::to_string(static_cast<int32_t>(random())) + eol;
        }
        if (random() % 2 == 0) text += eol;
    }
    return text;
}

void Mutate(std::string& text, std::mt19937& random)
{
    static const std::vector<std::string> tokens = {"[",
                                                    "]",
                                                    "=",
                                                    "\n",
                                                    "\r\n",
                                                    "\r",
                                                    ";",
                                                    "#",
                                                    std::string(1, '\0'),
                                                    " ",
                                                    "\t",
                                                    "\xEF\xBB\xBF",
                                                    "[GameNo3]\n",
                                                    "[currentgame]\n",
                                                    "[GameNo1",
                                                    "Credits=0x10\n",
                                                    "GameName=",
                                                    "\xC3",
                                                    "\xE2\x82\xAC",
                                                    "0x",
                                                    "$",
                                                    "-",
                                                    "99999999999",
                                                    "BonusPts=12\n",
                                                    "[GameNo8]\r\nGameName=eight\r\n"};
    auto at = [&](std::size_t extra) { return static_cast<std::size_t>(random() % (text.size() + extra)); };
    switch (random() % 7) {
    case 0:
        if (!text.empty()) text[at(0)] = static_cast<char>(random());
        break;
    case 1:
    case 2: text.insert(at(1), tokens[random() % tokens.size()]); break;
    case 3:
        if (!text.empty()) text.erase(at(0), random() % 20);
        break;
    case 4:
        if (!text.empty()) {
            const std::string piece = text.substr(at(0), random() % 64);
            text.insert(at(1), piece);
        }
        break;
    case 5:
        if (random() % 4 == 0) text.resize(at(1));
        break;
    case 6:
        // Now and then a run long enough to pass the limits on names and values.
        if (random() % 20 == 0) text.insert(at(1), std::string(4000 + random() % 6000, "a9 =[\xE2"[random() % 6]));
        break;
    }
}

std::string RandomName(std::mt19937& random)
{
    static const std::vector<std::string> pieces = {
        "a", "Z", "7", " ", "=", "[", "]", ";", "#", "$", "0x", "\xC3\xA9", "\xE2\x82\xAC", "\xF0\x9F\x8D\x87", "-"};
    std::string name;
    const int length = static_cast<int>(random() % 31);
    for (int i = 0; i < length; ++i) name += pieces[random() % pieces.size()];
    name = store::CutToCharacters(name, 30);
    // Names are trimmed when read, as the profile calls do.
    while (!name.empty() && name.front() == ' ') name.erase(0, 1);
    while (!name.empty() && name.back() == ' ') name.pop_back();
    return name;
}

int32_t RandomAmount(std::mt19937& random)
{
    switch (random() % 4) {
    case 0: return static_cast<int32_t>(random() % 3000);
    case 1: return static_cast<int32_t>(random());
    case 2: return random() % 2 == 0 ? INT32_MIN : INT32_MAX;
    default: return -static_cast<int32_t>(random() % 100);
    }
}

// A scratch directory in memory when the system has one: this test is about
// what the reader and writer do with the bytes, and thousands of flushes to a
// disk would only make it slow.
class MemoryDirectory {
public:
    MemoryDirectory()
    {
        std::string pattern = "/dev/shm/store-test-XXXXXX";
        if (access("/dev/shm", W_OK) == 0 && mkdtemp(pattern.data()) != nullptr) path_ = pattern;
    }
    ~MemoryDirectory()
    {
        std::error_code error;
        if (!path_.empty()) fs::remove_all(path_, error);
    }
    const fs::path& Path() const { return path_; }

private:
    fs::path path_;
};

TEST_F(HostileFilesTest, ThousandsOfMutatedFiles)
{
    MemoryDirectory memory;
    if (!memory.Path().empty()) {
        setenv("XDG_CONFIG_HOME", memory.Path().c_str(), 1);
        profile_ = memory.Path() / "tallyho";
        store_ = GameStore("plumfizz", [] { return std::string("12/06/26"); });
        ASSERT_EQ(store_.File().Path(), FilePath());
    }
    std::mt19937 random(20260612);
    for (int round = 0; round < 3000; ++round) {
        std::string text = WellFormedFile(random);
        const int mutations = 1 + static_cast<int>(random() % 8);
        for (int i = 0; i < mutations; ++i) Mutate(text, random);
        WriteBytes(FilePath(), text);

        const AllSlots first = LoadAll();
        const AllSlots again = LoadAll();
        for (int slot = 0; slot < SlotCount; ++slot)
            ASSERT_TRUE(SameSavedFields(first[slot], again[slot])) << "round " << round;

        GameState game;
        game.Credits = RandomAmount(random);
        game.Borrowed = RandomAmount(random);
        game.Spins = RandomAmount(random);
        game.TotalBets = RandomAmount(random);
        game.BonusWon = RandomAmount(random);
        game.BonusPts = RandomAmount(random);
        const int slot = static_cast<int>(random() % SlotCount);
        SCOPED_TRACE("round " + std::to_string(round) + ", slot " + std::to_string(slot) + ", file " +
                     ::testing::PrintToString(text.size() < 2000 ? text : text.substr(0, 2000)));
        ExpectSaveKeepsTheOthers(game, slot, RandomName(random));
        if (HasFailure()) break;
    }
}

}  // namespace
