// Files the game did not write: nothing in them may crash the game, hang it
// or lose a saved game. What cannot be read takes its default; what can, is.
#include "HostileFilesFixture.h"

namespace {

using namespace hostile;

template <std::size_t N>
std::string Bytes(const char (&text)[N])
{
    return std::string(text, N - 1);
}

// Whether `after` is `before` with `inserted` put in at one place.
bool IsOneInsertion(const std::string& before, const std::string& after, const std::string& inserted)
{
    if (after.size() != before.size() + inserted.size()) return false;
    std::size_t common = 0;
    while (common < before.size() && before[common] == after[common]) ++common;
    for (std::size_t at = common + 1; at-- > 0;) {
        if (after.compare(0, at, before, 0, at) == 0 && after.compare(at, inserted.size(), inserted) == 0 &&
            after.compare(at + inserted.size(), std::string::npos, before, at, std::string::npos) == 0)
            return true;
        if (common - at > inserted.size()) break;
    }
    return false;
}

TEST_F(HostileFilesTest, BinaryGarbageAroundAReadableSlot)
{
    std::mt19937 random(7);
    std::string garbage(64 * 1024, '\0');
    for (char& c : garbage) c = static_cast<char>(random());
    const std::string slot = "\n[GameNo2]\nCredits=42\nSpins=6\n[GameNo2";  // the last header is broken
    const std::string original = garbage.substr(0, 30000) + slot + garbage.substr(30000);
    WriteBytes(FilePath(), original);

    const GameState second = Load(1);
    EXPECT_EQ(second.GameName, "GameNo2");
    EXPECT_EQ(second.Credits, 42);
    EXPECT_EQ(second.Spins, 6);
    EXPECT_EQ(Load(store::CurrentGameSlot).Credits, 1000);

    // Saving changes the two lines it replaces and adds the six keys missing
    // after the slot's last key; every byte of garbage stays.
    store_.SaveGameSlot(Sample(), 1, "Saved");
    std::string replaced = original;
    replaced.replace(replaced.find("Credits=42"), 10, "Credits=4321");
    replaced.replace(replaced.find("Spins=6"), 7, "Spins=99");
    // New lines end as the file's first line does.
    const std::size_t firstEnd = original.find('\n');
    const std::string eol = firstEnd > 0 && original[firstEnd - 1] == '\r' ? "\r\n" : "\n";
    EXPECT_TRUE(IsOneInsertion(replaced, ReadBytes(FilePath()),
                               "GameName=Saved" + eol + "GameDate=12/06/26" + eol + "Borrowed=3000" + eol +
                                   "TotalBets=250" + eol + "BonusWon=75" + eol + "BonusPts=11" + eol));
    ExpectSaveKeepsTheOthers(Sample(), 6, "Seventh");
}

TEST_F(HostileFilesTest, NulBytes)
{
    const std::string original = Bytes(
        "[GameNo1]\nCredits=5\0"
        "6\nBorrowed=7\nGameName=a\0b\n\0\0\0\n"
        "[Game\0No2]\nSpins=3\n[GameNo3]\n\0Spins=4\nBonusPts=\0\n");
    WriteBytes(FilePath(), original);
    const GameState first = Load(0);
    EXPECT_EQ(first.Credits, 1000);  // "5\0" "6" is no number
    EXPECT_EQ(first.Borrowed, 7);
    EXPECT_EQ(first.GameName, std::string("a\0b", 3));
    EXPECT_EQ(Load(1).Spins, 0);  // "[Game\0No2]" is another section
    EXPECT_EQ(Load(2).Spins, 0);  // "\0Spins" is another key
    EXPECT_EQ(Load(2).BonusPts, 0);

    store_.SaveGameSlot(Load(0), 0, std::string("a\0b", 3));
    EXPECT_TRUE(SameSavedFields(Load(0), [&] {
        GameState expected = first;
        expected.GameDate = "12/06/26";
        return expected;
    }()));
    // The line of NULs counts as a line of the section: the new keys follow it.
    const std::string after = ReadBytes(FilePath());
    EXPECT_NE(after.find(Bytes("GameName=a\0b\n\0\0\0\nGameDate=")), std::string::npos);
    const std::string rest = original.substr(original.find(Bytes("[Game\0No2]")));
    EXPECT_EQ(after.substr(after.size() - rest.size()), rest);
    ExpectSaveKeepsTheOthers(Sample(), 2, "Third");
}

TEST_F(HostileFilesTest, TenMegabyteLines)
{
    const std::size_t big = 10 * 1024 * 1024;
    std::string text = "[GameNo1]\n";
    text += "Credits=" + std::string(big, '7') + "\n";
    text += "GameName=" + std::string(big, 'x') + "\n";
    text += std::string(big, 'g') + "\n";                    // no "=" at all
    text += std::string(big, 'k') + "=1\n";                  // a key no one asks for
    text += "Borrowed=" + std::string(big, ' ') + "77\n";    // white space before the value
    text += "TotalBets" + std::string(big, '\t') + "= 8\n";  // white space after the key
    text += "BonusWon=9" + std::string(big, ' ') + "\r\n";   // white space after the value
    text += "Spins=5\n";
    text += "[" + std::string(big, 'h') + "]\nBonusPts=3\n";  // a section no one asks for
    text += "[GameNo2" + std::string(big, ' ') + "\nBonusPts=4\n";
    text += "[GameNo3]\nCredits=3\n";
    WriteBytes(FilePath(), text);

    const GameState first = Load(0);
    EXPECT_EQ(first.Credits, 1000);
    EXPECT_EQ(first.GameName, std::string(30, 'x'));
    EXPECT_EQ(first.Borrowed, 77);
    EXPECT_EQ(first.TotalBets, 8);
    EXPECT_EQ(first.BonusWon, 9);
    EXPECT_EQ(first.Spins, 5);
    EXPECT_EQ(first.BonusPts, 0);
    EXPECT_EQ(Load(1).BonusPts, 0);
    EXPECT_EQ(Load(2).Credits, 3);
    EXPECT_EQ(store_.File().ReadString("GameNo1", std::string(big, 'k'), "d"), "d");

    ExpectSaveKeepsTheOthers(Sample(), 0, "First");
    const std::string after = ReadBytes(FilePath());
    EXPECT_NE(after.find(std::string(big, 'g') + "\n"), std::string::npos);
    EXPECT_NE(after.find("[" + std::string(big, 'h') + "]\nBonusPts=3\n"), std::string::npos);
}

TEST_F(HostileFilesTest, HundredMegabyteFileInBoundedMemory)
{
    // Built piece by piece so that making it costs no memory either.
    const std::string head = "\xEF\xBB\xBF[GameNo1]\r\nCredits=11\r\n";
    const std::string tail = "[GameNo2]\r\nCredits=22\r\nBorrowed=33\r\n";
    {
        fs::create_directories(profile_);
        std::ofstream out(FilePath(), std::ios::binary);
        out << head;
        std::string block;
        for (int i = 0; i < 1000; ++i)
            block += (i % 3 == 0   ? "; comment "
                      : i % 3 == 1 ? "Junk" + std::to_string(i) + "="
                                   : "[Junk]") +
                     std::string(90, 'j') + "\r\n";
        for (uint64_t written = 0; written < 100u * 1024 * 1024; written += block.size()) out << block;
        out << tail;
        ASSERT_TRUE(out.good());
    }
    const uint64_t sizeBefore = fs::file_size(FilePath());
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const long peakBefore = usage.ru_maxrss;

    EXPECT_EQ(Load(0).Credits, 11);
    const GameState second = Load(1);
    EXPECT_EQ(second.Credits, 22);
    EXPECT_EQ(second.Borrowed, 33);

    store_.SaveGameSlot(Sample(), 1, "Second");
    const std::string added =
        "GameName=Second\r\nGameDate=12/06/26\r\nSpins=99\r\nTotalBets=250\r\nBonusWon=75\r\n"
        "BonusPts=11\r\n";
    EXPECT_EQ(fs::file_size(FilePath()), sizeBefore + added.size() + 2 + 2);  // "22"->"4321", "33"->"3000"
    EXPECT_EQ(Load(0).Credits, 11);
    EXPECT_TRUE(SameSavedFields(Load(1), [&] {
        GameState expected = Sample();
        expected.GameName = "Second";
        expected.GameDate = "12/06/26";
        return expected;
    }()));

    getrusage(RUSAGE_SELF, &usage);
    EXPECT_LT(usage.ru_maxrss - peakBefore, 32 * 1024) << "kilobytes more at the peak";

    // Everything before the slot is byte for byte the same.
    std::ifstream in(FilePath(), std::ios::binary);
    std::string start(head.size(), '\0');
    in.read(start.data(), static_cast<std::streamsize>(start.size()));
    EXPECT_EQ(start, head);
    in.seekg(static_cast<std::streamoff>(sizeBefore - tail.size()));
    std::string end((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(end, "[GameNo2]\r\nCredits=4321\r\nBorrowed=3000\r\n" + added);
}

TEST_F(HostileFilesTest, LineEndsAcrossReadChunks)
{
    // The file is read 64 KiB at a time; put "\r\n" on every side of that boundary.
    for (int shift = -3; shift <= 3; ++shift) {
        const std::string line = "[S]\r\nk=1\r\n";
        const std::size_t boundary = 64 * 1024;
        // The "\r" after "k=1" lands at boundary - 1 + shift.
        const std::string padding = "; " + std::string(boundary - 13 + shift, 'p') + "\r\n";
        const std::string original = padding + line + "[T]\r\nx=2";
        WriteBytes(FilePath(), original);
        store::SettingsFile file("plumfizz.ini");
        EXPECT_EQ(file.ReadInteger("S", "k", 0), 1);
        file.WriteInteger("S", "k", 3);
        file.WriteInteger("T", "y", 4);
        EXPECT_EQ(ReadBytes(FilePath()), padding + "[S]\r\nk=3\r\n[T]\r\nx=2\r\ny=4\r\n") << "shift " << shift;
    }
}

TEST_F(HostileFilesTest, FivethousandDigitValues)
{
    WriteBytes(FilePath(), "[GameNo1]\nCredits=" + std::string(5000, '1') + "\nBorrowed=" + std::string(4999, '0') +
                               "7\nGameName=" + std::string(5000, '3') + "\nSpins=0x" + std::string(5000, 'F') +
                               "\nTotalBets=" + std::string(3000, '0') + "\n");
    const GameState first = Load(0);
    EXPECT_EQ(first.Credits, 1000);
    EXPECT_EQ(first.Borrowed, 1000);  // its digits are not all read, so it is no number
    EXPECT_EQ(first.GameName, std::string(30, '3'));
    EXPECT_EQ(first.Spins, 0);
    EXPECT_EQ(first.TotalBets, 0);
    ExpectSaveKeepsTheOthers(Sample(), 0, "First");
}

TEST_F(HostileFilesTest, OddlyShapedFiles)
{
    const std::vector<std::string> files = {
        "",
        "\xEF\xBB\xBF",
        "\xEF\xBB",
        "[",
        "]",
        "=",
        "[]",
        "[]\n=5\n",
        "\n\n\n",
        "   \t  ",
        "Credits=5\nGameName=outside\n[GameNo1]\nSpins=2\n",  // keys before any section
        "[GameNo1\nCredits=5\n",                              // header without its bracket
        "[GameNo1]\rCredits=5\rSpins=2\r",                    // old Macintosh line ends
        Bytes("\xFF\xFE[\0G\0a\0m\0e\0N\0o\0"
              "1\0]\0\r\0\n\0"),  // UTF-16
        "[GameNo1]\n[GameNo1]\n[GameNo1]Credits=6\n",
        "[GameNo1]\nCredits\nCredits 5\n=Credits\n",
        "[ GameNo1 ]\n  Credits  =  0X1f  \n",
        "[GameNo1]]\nCredits=8\n",
        "[[GameNo1]\nCredits=8\n",
    };
    for (std::size_t i = 0; i < files.size(); ++i) {
        SCOPED_TRACE("file " + std::to_string(i));
        WriteBytes(FilePath(), files[i]);
        const GameState first = Load(0);
        if (i == 10) {
            EXPECT_EQ(first.Credits, 1000);
            EXPECT_EQ(first.Spins, 2);
            EXPECT_EQ(first.GameName, "GameNo1");
        } else if (i == 11) {
            EXPECT_EQ(first.Credits, 1000);
        } else if (i == 16) {
            EXPECT_EQ(first.Credits, 31);
        } else if (i == 17) {
            EXPECT_EQ(first.Credits, 1000);  // the section is "GameNo1]"
        }
        ExpectSaveKeepsTheOthers(Sample(), 0, "First");
        ExpectSaveKeepsTheOthers(Sample(), 8, "CurrentGame");
    }
}

TEST_F(HostileFilesTest, NamesThatAreNoRegularFile)
{
    // A directory, a pipe (would block a reader) and an endless device.
    fs::create_directories(profile_);
    std::vector<std::string> kinds = {"directory", "fifo", "device"};
    for (const std::string& kind : kinds) {
        SCOPED_TRACE(kind);
        fs::remove_all(FilePath());
        if (kind == "directory")
            fs::create_directory(FilePath());
        else if (kind == "fifo")
            ASSERT_EQ(mkfifo(FilePath().c_str(), 0600), 0);
        else
            fs::create_symlink("/dev/zero", FilePath());
        const GameState state = Load(store::CurrentGameSlot);
        EXPECT_EQ(state.Credits, 1000);
        EXPECT_EQ(state.GameName, "CurrentGame");
        EXPECT_THROW(store_.SaveGameSlot(Sample(), store::CurrentGameSlot, "CurrentGame"), store::WriteError);
        EXPECT_EQ(store_test::Listing(profile_), "plumfizz.ini\n");
    }
}

// --- Thousands of mutated files ---------------------------------------------

}  // namespace
