// Reading and writing settings files the way the Windows profile calls do.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <stdexcept>
#include <string>

#include "TestFiles.h"
#include "store/SettingsFile.h"
#include "store/SoundLevels.h"

namespace fs = std::filesystem;
using store::SettingsFile;
using store::WriteError;
using store_test::Listing;
using store_test::ReadBytes;
using store_test::WriteBytes;

namespace {

class SettingsFileTest : public store_test::StoreTest {
protected:
    fs::path Put(const std::string& bytes, const std::string& name = "test.ini")
    {
        const fs::path path = profile_ / name;
        WriteBytes(path, bytes);
        return path;
    }
};

// As a Windows program leaves it: byte-order mark, CRLF, spaces around "=",
// other letter case, comments, blank lines and no newline at the very end.
const std::string WindowsFile =
    "\xEF\xBB\xBF; saved by the old program\r\n"
    "[Settings]\r\n"
    "  SoundRoot = Cherry  \r\n"
    "\tAboutName\t=\tCherry Bomb Slots\r\n"
    "\r\n"
    "# another comment\r\n"
    "[ currentgame ]\r\n"
    "credits = 0x10\r\n"
    "Borrowed=  -250\r\n"
    "GameName =   \r\n"
    "no equals sign here\r\n"
    "Spins=12";

TEST_F(SettingsFileTest, ReadsAFileAsAWindowsProgramWritesIt)
{
    Put(WindowsFile);
    SettingsFile file("test.ini");
    EXPECT_EQ(file.ReadString("Settings", "SoundRoot", "Plum"), "Cherry");
    EXPECT_EQ(file.ReadString("SETTINGS", "aboutname", ""), "Cherry Bomb Slots");
    EXPECT_EQ(file.ReadInteger("CurrentGame", "Credits", 1000), 16);
    EXPECT_EQ(file.ReadInteger("CurrentGame", "Borrowed", 1000), -250);
    EXPECT_EQ(file.ReadInteger("CurrentGame", "Spins", 0), 12);  // the last line, no newline
    // Present but empty is empty, not the default.
    EXPECT_EQ(file.ReadString("CurrentGame", "GameName", "CurrentGame"), "");
    // Absent: the default.
    EXPECT_EQ(file.ReadString("Settings", "WebPageName", "plumfizz"), "plumfizz");
    EXPECT_EQ(file.ReadString("Nowhere", "SoundRoot", "Plum"), "Plum");
    EXPECT_EQ(file.ReadInteger("CurrentGame", "TotalBets", 0), 0);
    // A line without "=" and comments are no keys.
    EXPECT_EQ(file.ReadString("CurrentGame", "no equals sign here", "d"), "d");
    EXPECT_EQ(file.ReadString("Settings", "# another comment", "d"), "d");
    // The names asked for are trimmed like the names in the file.
    EXPECT_EQ(file.ReadString(" Settings ", " SoundRoot ", ""), "Cherry");
}

TEST_F(SettingsFileTest, FirstMatchingSectionAndKeyWin)
{
    Put("[A]\nk=1\nk=2\n[B]\nk=3\n[a]\nk=4\nonly=5\n");
    SettingsFile file("test.ini");
    EXPECT_EQ(file.ReadString("A", "k", ""), "1");
    EXPECT_EQ(file.ReadString("B", "K", ""), "3");
    // Only the first copy of a section counts: a key it lacks is absent,
    // whatever a later copy holds.
    EXPECT_EQ(file.ReadString("A", "only", "none"), "none");
    EXPECT_EQ(file.ReadInteger("a", "only", -1), -1);
}

TEST_F(SettingsFileTest, KeysOutsideSectionsAndUnderBrokenHeadersAreNotRead)
{
    Put("Credits=1\n[A]\nCredits=2\n[B\nSpins=3\n[C]x\nBonusPts=4\n");
    SettingsFile file("test.ini");
    EXPECT_EQ(file.ReadInteger("", "Credits", -1), -1);
    EXPECT_EQ(file.ReadInteger("A", "Credits", -1), 2);
    // "[B" closes section A without opening B.
    EXPECT_EQ(file.ReadInteger("A", "Spins", -1), -1);
    EXPECT_EQ(file.ReadInteger("B", "Spins", -1), -1);
    // Text after the closing bracket is ignored.
    EXPECT_EQ(file.ReadInteger("C", "BonusPts", -1), 4);
}

TEST_F(SettingsFileTest, SectionNameEndsAtTheLastBracket)
{
    SettingsFile file("test.ini");
    file.WriteString("Plum]Fizz Slots", "Ver", "2.0");
    EXPECT_EQ(ReadBytes(file.Path()), "[Plum]Fizz Slots]\nVer=2.0\n");
    EXPECT_EQ(file.ReadString("plum]fizz slots", "Ver", ""), "2.0");
}

TEST_F(SettingsFileTest, TextIsReadUpTo2047Characters)
{
    const std::string ascii(3000, 'a');
    std::string wide;
    for (int i = 0; i < 3000; ++i) wide += "\xE2\x82\xAC";  // "€", three bytes
    Put("[S]\nascii=" + ascii + "\nwide=" + wide + "\nexact=" + std::string(2047, 'b') + "\n");
    SettingsFile file("test.ini");
    EXPECT_EQ(file.ReadString("S", "ascii", ""), std::string(2047, 'a'));
    EXPECT_EQ(file.ReadString("S", "wide", ""), wide.substr(0, 2047 * 3));
    EXPECT_EQ(file.ReadString("S", "exact", ""), std::string(2047, 'b'));
    const auto values = file.ReadValues("S", {"ascii", "exact"});
    EXPECT_TRUE(values[0].cut);
    EXPECT_FALSE(values[1].cut);
}

TEST_F(SettingsFileTest, ReadValuesAnswersLikeSingleReads)
{
    Put(WindowsFile);
    SettingsFile file("test.ini");
    const auto values = file.ReadValues("currentGAME", {"Spins", "Credits", "Missing", "credits", ""});
    ASSERT_EQ(values.size(), 5u);
    EXPECT_EQ(values[0].AsInteger(0), 12);
    EXPECT_EQ(values[1].AsInteger(1000), 16);
    EXPECT_FALSE(values[2].found);
    EXPECT_EQ(values[2].AsString("x"), "x");
    EXPECT_EQ(values[3].AsInteger(1000), 16);
    EXPECT_FALSE(values[4].found);
}

TEST_F(SettingsFileTest, FirstWriteCreatesDirectoryAndFile)
{
    ASSERT_FALSE(fs::exists(profile_));
    SettingsFile file("thupdate.ini");
    file.WriteString("Plumfizz Slots", "Ver", "2.0");
    file.WriteString("Plumfizz Slots", "Update", "03/06/2027");
    EXPECT_EQ(ReadBytes(profile_ / "thupdate.ini"), "[Plumfizz Slots]\nVer=2.0\nUpdate=03/06/2027\n");
    EXPECT_EQ(fs::status(profile_).permissions() & fs::perms::all, fs::perms::owner_all);
    EXPECT_EQ(Listing(profile_), "thupdate.ini\n");
}

TEST_F(SettingsFileTest, ReplacingAValueKeepsEveryOtherByte)
{
    const fs::path path = Put(WindowsFile);
    SettingsFile file("test.ini");
    file.WriteInteger("CURRENTGAME", "CREDITS", 1250);
    std::string expected = WindowsFile;
    expected.replace(expected.find("credits = 0x10"), 14, "credits=1250");
    EXPECT_EQ(ReadBytes(path), expected);
    EXPECT_EQ(file.ReadInteger("CurrentGame", "Credits", 0), 1250);
}

TEST_F(SettingsFileTest, NewKeyGoesAfterTheLastKeyOfItsSection)
{
    const fs::path path = Put(WindowsFile);
    SettingsFile file("test.ini");
    // Before the blank line and the comment that lead into the next section,
    // in the file's own line ends, the byte-order mark kept.
    file.WriteString("Settings", "WebPageName", "cherry");
    std::string expected = WindowsFile;
    expected.insert(expected.find("\r\n\r\n# another") + 2, "WebPageName=cherry\r\n");
    EXPECT_EQ(ReadBytes(path), expected);
    // After a last line that has no newline.
    file.WriteInteger("CurrentGame", "TotalBets", 120);
    expected += "\r\nTotalBets=120\r\n";
    EXPECT_EQ(ReadBytes(path), expected);
}

TEST_F(SettingsFileTest, NewSectionGoesAtTheEnd)
{
    const fs::path path = Put("[A]\nx=1");
    SettingsFile file("test.ini");
    file.WriteString("B", "y", "2");
    EXPECT_EQ(ReadBytes(path), "[A]\nx=1\n\n[B]\ny=2\n");
    file.WriteString("C", "z", "3");
    EXPECT_EQ(ReadBytes(path), "[A]\nx=1\n\n[B]\ny=2\n\n[C]\nz=3\n");
    // An empty section gets its key right after the header.
    WriteBytes(path, "[A]\n\n; note\n[B]\nq=0\n");
    file.WriteString("A", "k", "v");
    EXPECT_EQ(ReadBytes(path), "[A]\nk=v\n\n; note\n[B]\nq=0\n");
}

TEST_F(SettingsFileTest, WriteGoesWhereTheReadFoundIt)
{
    const fs::path path = Put("[A]\nk=1\n[A]\nonly=5\nk=9\n");
    SettingsFile file("test.ini");
    file.WriteString("A", "only", "6");  // absent from the first copy: added there
    file.WriteString("A", "k", "2");
    file.WriteString("A", "new", "7");
    EXPECT_EQ(ReadBytes(path), "[A]\nk=2\nonly=6\nnew=7\n[A]\nonly=5\nk=9\n");
    EXPECT_EQ(file.ReadString("A", "only", ""), "6");
}

TEST_F(SettingsFileTest, BatchWriteEqualsOneWriteAfterAnother)
{
    const std::string start = "; top\n[S]\nb=old\nforeign=keep\n\n[T]\nx=1\n";
    const fs::path one = Put(start, "one.ini");
    const fs::path batch = Put(start, "batch.ini");
    SettingsFile single("one.ini");
    single.WriteString("S", "a", "1");
    single.WriteString("S", "b", "2");
    single.WriteString("S", "c", "3");
    single.WriteString("S", "A", "4");
    single.WriteString("U", "d", "5");
    single.WriteString("U", "e", "6");
    SettingsFile many("batch.ini");
    many.WriteStrings("S", {{"a", "1"}, {"b", "2"}, {"c", "3"}, {"A", "4"}});
    many.WriteStrings("U", {{"d", "5"}, {"e", "6"}});
    EXPECT_EQ(ReadBytes(batch), ReadBytes(one));
    EXPECT_EQ(ReadBytes(one), "; top\n[S]\nb=2\nforeign=keep\na=4\nc=3\n\n[T]\nx=1\n\n[U]\nd=5\ne=6\n");
}

TEST_F(SettingsFileTest, ValueCannotBreakOutOfItsLine)
{
    const fs::path path = Put("[GameNo1]\nCredits=5\n");
    SettingsFile file("test.ini");
    file.WriteString("GameNo2", "GameName", "Bob\n[GameNo1]\r\nCredits=999999");
    EXPECT_EQ(file.ReadInteger("GameNo1", "Credits", 0), 5);
    EXPECT_EQ(file.ReadString("GameNo2", "GameName", ""), "Bob [GameNo1]  Credits=999999");
}

TEST_F(SettingsFileTest, NamesThatCannotBeWrittenAreRefused)
{
    const fs::path path = Put("[S]\nk=1\n");
    SettingsFile file("test.ini");
    for (const char* key : {"", "   ", "a=b", "[x]", ";x", "#x", "a\nb"})
        EXPECT_THROW(file.WriteString("S", key, "v"), WriteError) << key;
    EXPECT_THROW(file.WriteString("S\n[T]", "k", "v"), WriteError);
    EXPECT_THROW(file.WriteString(std::string(5000, 's'), "k", "v"), WriteError);
    EXPECT_EQ(ReadBytes(path), "[S]\nk=1\n");
}

TEST_F(SettingsFileTest, PermissionsAndSymbolicLinksSurviveAWrite)
{
    const fs::path real = Put("[S]\nk=1\n", "real.ini");
    fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink(real, profile_ / "link.ini");
    SettingsFile file("link.ini");
    file.WriteString("S", "k", "2");
    EXPECT_TRUE(fs::is_symlink(profile_ / "link.ini"));
    EXPECT_EQ(ReadBytes(real), "[S]\nk=2\n");
    EXPECT_EQ(fs::status(real).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(Listing(profile_), "link.ini\nreal.ini\n");
}

// --- Writes that cannot be done -------------------------------------------

TEST_F(SettingsFileTest, NameThatIsADirectory)
{
    fs::create_directories(profile_ / "test.ini");
    SettingsFile file("test.ini");
    EXPECT_EQ(file.ReadString("S", "k", "default"), "default");
    try {
        file.WriteString("S", "k", "v");
        FAIL() << "no error";
    } catch (const WriteError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "Unable to write to " + (profile_ / "test.ini").string() + ": not a regular file");
    }
    EXPECT_EQ(Listing(profile_), "test.ini\n");
}

TEST_F(SettingsFileTest, DirectoryThatCannotBeMade)
{
    WriteBytes(root_ / "blocker", "a file where a directory should be");
    SettingsFile file((root_ / "blocker" / "sub" / "x.ini").string());
    EXPECT_EQ(file.ReadInteger("S", "k", 7), 7);
    EXPECT_THROW(file.WriteInteger("S", "k", 1), WriteError);
    EXPECT_EQ(ReadBytes(root_ / "blocker"), "a file where a directory should be");
}

TEST_F(SettingsFileTest, DirectoryNotWritable)
{
    if (geteuid() == 0) GTEST_SKIP() << "permissions do not stop the superuser";
    const fs::path path = Put("[S]\nk=1\n");
    fs::permissions(profile_, fs::perms::owner_read | fs::perms::owner_exec);
    SettingsFile file("test.ini");
    EXPECT_THROW(file.WriteInteger("S", "k", 2), WriteError);
    EXPECT_EQ(file.ReadInteger("S", "k", 0), 1);
}

TEST_F(SettingsFileTest, UnreadableFileIsNeitherReadNorOverwritten)
{
    if (geteuid() == 0) GTEST_SKIP() << "permissions do not stop the superuser";
    const fs::path path = Put("[S]\nk=1\n[GameNo1]\nCredits=5\n");
    fs::permissions(path, fs::perms::none);
    SettingsFile file("test.ini");
    EXPECT_EQ(file.ReadInteger("S", "k", 9), 9);
    // Rewriting it would lose every other slot.
    EXPECT_THROW(file.WriteInteger("S", "k", 2), WriteError);
    fs::permissions(path, fs::perms::owner_read);
    EXPECT_EQ(ReadBytes(path), "[S]\nk=1\n[GameNo1]\nCredits=5\n");
}

TEST_F(SettingsFileTest, DiskFullLeavesTheOldFile)
{
    // A file-size limit fails the write() calls the way a full disk does.
    const std::string original = "[S]\nk=1\n" + std::string(100000, ';') + "\n";
    const fs::path path = Put(original);
    struct sigaction ignore {
    }, previous{};
    ignore.sa_handler = SIG_IGN;
    ASSERT_EQ(sigaction(SIGXFSZ, &ignore, &previous), 0);
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit limit = saved;
    limit.rlim_cur = 50000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
    SettingsFile file("test.ini");
    EXPECT_THROW(file.WriteInteger("S", "k", 2), WriteError);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &saved), 0);
    sigaction(SIGXFSZ, &previous, nullptr);
    EXPECT_EQ(ReadBytes(path), original);
    EXPECT_EQ(Listing(profile_), "test.ini\n");
}

// --- A save broken off between writing and renaming ------------------------

TEST_F(SettingsFileTest, FailureBeforeRenameLeavesTheOldFile)
{
    const fs::path path = Put(WindowsFile);
    fs::path seen;
    SettingsFile::SetBeforeRenameHook([&](const fs::path& temporary) {
        seen = temporary;
        EXPECT_EQ(temporary.parent_path(), profile_);  // same directory: the rename is atomic
        throw std::runtime_error("simulated failure");
    });
    SettingsFile file("test.ini");
    EXPECT_THROW(file.WriteInteger("CurrentGame", "Credits", 1), WriteError);
    EXPECT_FALSE(seen.empty());
    EXPECT_EQ(ReadBytes(path), WindowsFile);
    EXPECT_EQ(Listing(profile_), "test.ini\n");

    SettingsFile::SetBeforeRenameHook({});
    file.WriteInteger("CurrentGame", "Credits", 1);
    EXPECT_EQ(file.ReadInteger("CurrentGame", "Credits", 0), 1);
}

TEST_F(SettingsFileTest, CrashBeforeRenameLeavesTheOldFile)
{
    const fs::path path = Put("[S]\nk=1\n");
    SettingsFile file("test.ini");
    SettingsFile::SetBeforeRenameHook([](const fs::path&) { _exit(3); });
    EXPECT_EXIT(file.WriteInteger("S", "k", 2), ::testing::ExitedWithCode(3), "");
    SettingsFile::SetBeforeRenameHook({});
    EXPECT_EQ(ReadBytes(path), "[S]\nk=1\n");
    // The new file was whole before the rename; it is left behind, unused.
    bool sawTemporary = false;
    for (const auto& entry : fs::directory_iterator(profile_)) {
        if (entry.path() == path) continue;
        sawTemporary = true;
        EXPECT_EQ(ReadBytes(entry.path()), "[S]\nk=2\n");
    }
    EXPECT_TRUE(sawTemporary);
    // The next write is not disturbed by it.
    file.WriteInteger("S", "k", 4);
    EXPECT_EQ(ReadBytes(path), "[S]\nk=4\n");
}

}  // namespace

// --- Files as Windows saves them, and what killed writers leave -------------

namespace {

// UTF-16 code units of ASCII or Latin-1 text, in the given byte order.
std::string Utf16(const std::string& text, bool bigEndian)
{
    std::string units;
    for (const unsigned char c : text) {
        units += bigEndian ? '\0' : static_cast<char>(c);
        units += bigEndian ? static_cast<char>(c) : '\0';
    }
    return units;
}

TEST_F(SettingsFileTest, Utf16FilesAreReadAndWrittenBackInTheirOwnEncoding)
{
    for (const bool bigEndian : {false, true}) {
        SCOPED_TRACE(bigEndian ? "big-endian" : "little-endian");
        const std::string mark = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
        // "é" (U+00E9) is one unit; U+1F352 a surrogate pair; a lone high
        // surrogate as Notepad would keep it.
        const std::string pair = bigEndian ? "\xD8\x3C\xDF\x52" : "\x3C\xD8\x52\xDF";
        const std::string lone = bigEndian ? std::string("\xD8\x00", 2) : std::string("\x00\xD8", 2);
        const std::string original = mark + Utf16("; caf\xE9\r\n[Settings]\r\nAboutName=Fruit ", bigEndian) + pair +
                                     Utf16("\r\nx=", bigEndian) + lone + Utf16("\r\n", bigEndian);
        Put(original);
        SettingsFile file("test.ini");
        EXPECT_EQ(file.ReadString("Settings", "AboutName", ""), "Fruit \xF0\x9F\x8D\x92");
        file.WriteString("Settings", "SoundRoot", "Cherry");
        file.WriteString("Settings", "AboutName", "Caf\xC3\xA9");
        EXPECT_EQ(ReadBytes(profile_ / "test.ini"),
                  mark + Utf16("; caf\xE9\r\n[Settings]\r\nAboutName=Caf\xE9\r\nx=", bigEndian) + lone +
                      Utf16("\r\nSoundRoot=Cherry\r\n", bigEndian));
        EXPECT_EQ(file.ReadString("Settings", "SoundRoot", ""), "Cherry");
    }
}

TEST_F(SettingsFileTest, OldMacintoshLineEndsAreLineEnds)
{
    Put("[Settings]\rSoundRoot=Cherry\r\r[Other]\rSoundRoot=Grape\r");
    SettingsFile file("test.ini");
    EXPECT_EQ(file.ReadString("Settings", "SoundRoot", "Plum"), "Cherry");
    EXPECT_EQ(file.ReadString("Other", "SoundRoot", "Plum"), "Grape");
    file.WriteString("Settings", "AboutName", "Cherry Slots");
    file.WriteString("Settings", "SoundRoot", "Lemon");
    EXPECT_EQ(ReadBytes(profile_ / "test.ini"),
              "[Settings]\rSoundRoot=Lemon\rAboutName=Cherry Slots\r\r[Other]\rSoundRoot=Grape\r");
}

TEST_F(SettingsFileTest, TemporaryFilesOfKilledWritersAreRemoved)
{
    // A child that has ended stands for a writer killed before its rename.
    const pid_t gone = ::fork();
    if (gone == 0) ::_exit(0);
    ASSERT_GT(gone, 0);
    int status = 0;
    ::waitpid(gone, &status, 0);
    const std::string dead = ".test.ini.tmp-" + std::to_string(gone) + "-0";
    const std::string alive = ".test.ini.tmp-" + std::to_string(::getpid()) + "-3";
    Put("[S]\nk=1\n");
    Put("half a fi", dead);
    Put("being written", alive);
    Put("not ours", ".other.ini.tmp-" + std::to_string(gone) + "-0");

    EXPECT_EQ(SettingsFile("test.ini").RemoveStaleTemporaries(), 1);
    EXPECT_EQ(Listing(profile_), ".other.ini.tmp-" + std::to_string(gone) + "-0\n" + alive + "\ntest.ini\n");
}

}  // namespace

TEST_F(SettingsFileTest, SoundLevelsHaveASectionOfTheirOwnAndReadBackClamped)
{
    const std::string games = "[CurrentGame]\nCredits=994\n\n[Game3]\nGameName=Lucky three\n";
    const fs::path path = Put(games, "plumfizz.ini");
    SettingsFile file(path.string());
    EXPECT_EQ(store::ReadSoundLevels(file), store::SoundLevels{}) << "full by default";
    store::WriteSoundLevels(file, {35, 0});
    EXPECT_EQ(store::ReadSoundLevels(file), (store::SoundLevels{35, 0}));
    const std::string text = ReadBytes(path);
    EXPECT_EQ(text.substr(0, games.size()), games) << "the games' keys were disturbed";
    EXPECT_EQ(file.ReadString("CurrentGame", "Credits", ""), "994");

    Put("[Volume]\nEffects=250\nMusic=-3\n", "odd.ini");
    EXPECT_EQ(store::ReadSoundLevels(SettingsFile((profile_ / "odd.ini").string())), (store::SoundLevels{100, 0}));
}
