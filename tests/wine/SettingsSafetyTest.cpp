// What is on disk after every save and every fault: keyset.ini held by another program
// at the start or through a save, read-only, a hard link, changed by another program
// while Tarnwick runs, and a row viewed read-only that the form could not hold. Whatever
// happens, the file is never written over unseen, and the user hears why.
#include "tests/wine/support/Clipboard.h"
#include "tests/wine/support/MainDialogDriver.h"
#include "tests/wine/support/Utf8.h"
#include <algorithm>
#include <cstdlib>
#include <iostream>

using namespace wt;

namespace {

const char kThreeShortcuts[] = "[paths]\r\nA=c:\\a\r\nB=c:\\b\r\n[contents]\r\nT=tee\r\n";

// Another program that opened the file and lets nobody else at it.
class HeldFile {
public:
    explicit HeldFile(const std::string& path)
        : m_handle(::CreateFileW(Wide(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr))
    {
    }
    ~HeldFile() { Release(); }
    HeldFile(const HeldFile&) = delete;
    HeldFile& operator=(const HeldFile&) = delete;
    bool Held() const { return m_handle != INVALID_HANDLE_VALUE; }
    void Release()
    {
        if (Held())
            ::CloseHandle(m_handle);
        m_handle = INVALID_HANDLE_VALUE;
    }

private:
    HANDLE m_handle;
};

class SettingsSafetyTest : public SaveAndEditTest {
protected:
    std::string SettingsPath() const { return m_install.Path("keyset.ini"); }
    bool Names(const std::optional<Question>& message, const std::string& path) const
    {
        return message && message->text.find("\"" + path + "\"") != std::string::npos;
    }
    bool NoCopies() const { return !m_install.ReadFile("keyset.ini.bak").has_value(); }
    // As another editor adds lines: at the end, in one write.
    void Append(const std::string& lines) const
    {
        HANDLE file = ::CreateFileW(Wide(SettingsPath()).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
        DWORD written = 0;
        ::WriteFile(file, lines.data(), static_cast<DWORD>(lines.size()), &written, nullptr);
        ::CloseHandle(file);
    }
    // The text shortcut's text on the clipboard, once the clipboard changed.
    std::optional<std::string> TextOfHotkey(WORD key)
    {
        if (!PutTextOnClipboard(kMarker))
            return std::nullopt;
        PressHotkey(key);
        WaitUntil([] { return ClipboardText() != std::optional<std::string>(kMarker); }, 3000);
        return ClipboardText();
    }
};

// An antivirus scan or a sync client holds the file at logon: the program says so, runs
// without shortcuts and writes nothing over it; once the file can be read, its
// shortcuts are listed with the one the user added meanwhile, and only OK saves them.
TEST_F(SettingsSafetyTest, AFileHeldAtTheStartIsNamedAndNeverWrittenOver)
{
    m_install.WriteFile("keyset.ini", kThreeShortcuts);
    HeldFile held(SettingsPath());
    ASSERT_TRUE(held.Held());
    ASSERT_NO_FATAL_FAILURE(RunProgram());
    HWND box = WaitForMessageBox(ProgramId());
    ASSERT_NE(box, nullptr) << "no word of the file that could not be read";
    const std::optional<Question> atStart = ReadMessageBox(box);
    CloseMessageBox(box, IDOK);
    EXPECT_TRUE(Names(atStart, SettingsPath())) << atStart->text;
    EXPECT_EQ(atStart->caption, "Tarnwick");
    ASSERT_TRUE(WaitUntil([&] { return Shown(); }));
    EXPECT_TRUE(Rows().empty());

    ASSERT_EQ(AcceptPath("K", "c:\\kept"), std::nullopt);
    const std::optional<Question> whileHeld = PressCloseBox();
    EXPECT_TRUE(Names(whileHeld, SettingsPath())) << (whileHeld ? whileHeld->text : "no word at all");
    EXPECT_TRUE(Shown()) << "the dialog went away over a save that was not made";
    held.Release();
    EXPECT_EQ(Settings(), kThreeShortcuts) << "written over while it could not be read";

    const std::optional<Question> readable = PressCloseBox();
    ASSERT_TRUE(readable.has_value()) << "no word that the file can be read now";
    EXPECT_EQ(RowKeys(), (std::vector<std::string>{"A", "B", "K", "T"}));
    EXPECT_EQ(Settings(), kThreeShortcuts) << "saved before the user said so";
    EXPECT_TRUE(Shown());

    EXPECT_EQ(PressSave(), std::nullopt);
    EXPECT_EQ(Settings(), "[paths]\r\nA=c:\\a\r\nB=c:\\b\r\nK=c:\\kept\r\n[contents]\r\nT=tee\r\n");
    EXPECT_TRUE(NoCopies());
}

TEST_F(SettingsSafetyTest, AFileHeldThroughTheSaveIsNotWritten)
{
    ASSERT_NO_FATAL_FAILURE(Start(kThreeShortcuts));
    ASSERT_EQ(AcceptPath("K", "c:\\kept"), std::nullopt);
    HeldFile held(SettingsPath());
    ASSERT_TRUE(held.Held());
    const std::optional<Question> refusal = PressSave();
    EXPECT_TRUE(Names(refusal, SettingsPath())) << (refusal ? refusal->text : "no word at all");
    EXPECT_TRUE(Shown());
    held.Release();
    EXPECT_EQ(Settings(), kThreeShortcuts);
    EXPECT_EQ(RowKeys(), (std::vector<std::string>{"A", "B", "K", "T"})) << "the new row was lost";
}

TEST_F(SettingsSafetyTest, AReadOnlyFileIsNotReplaced)
{
    ASSERT_NO_FATAL_FAILURE(Start(kThreeShortcuts));
    ASSERT_TRUE(::SetFileAttributesW(Wide(SettingsPath()).c_str(), FILE_ATTRIBUTE_READONLY));
    ASSERT_EQ(AcceptPath("K", "c:\\kept"), std::nullopt);
    const std::optional<Question> refusal = PressSave();
    ASSERT_TRUE(refusal.has_value()) << "saved over a read-only file";
    EXPECT_NE(refusal->text.find("read-only"), std::string::npos) << refusal->text;
    EXPECT_EQ(::GetFileAttributesW(Wide(SettingsPath()).c_str()) & FILE_ATTRIBUTE_READONLY,
              static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
    ::SetFileAttributesW(Wide(SettingsPath()).c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(Settings(), kThreeShortcuts);
    EXPECT_TRUE(NoCopies());
}

// A text longer than the box takes, written by hand, is shown read-only as it was
// loaded: OK saves it without a word about a box the user cannot edit.
TEST_F(SettingsSafetyTest, ARowViewedReadOnlyIsSavedAsItWasLoaded)
{
    const std::string settings = "[contents]\r\nT=" + std::string(201, 'x') + "\r\n";
    ASSERT_NO_FATAL_FAILURE(Start(settings));
    ASSERT_NO_FATAL_FAILURE(ClickRow(0));
    ASSERT_FALSE(IsEnabled(IDC_ACCEPT)) << "the row is not viewed";
    EXPECT_EQ(PressSave(), std::nullopt);
    EXPECT_FALSE(Shown());
    EXPECT_EQ(Settings(), settings);
}

// A package manager keeps a portable program's settings as a second name of the same
// file: after a save both names are still one file, holding the new text.
TEST_F(SettingsSafetyTest, AHardLinkStaysOneFileWithBothNames)
{
    m_install.WriteFile("kept.ini", kThreeShortcuts);
    ASSERT_TRUE(::CreateHardLinkW(Wide(SettingsPath()).c_str(), Wide(m_install.Path("kept.ini")).c_str(), nullptr));
    ASSERT_NO_FATAL_FAILURE(RunProgram());
    ASSERT_NO_FATAL_FAILURE(WaitUntilInTray());
    ASSERT_NO_FATAL_FAILURE(OpenFromTray());
    ASSERT_EQ(AcceptPath("K", "c:\\kept"), std::nullopt);
    EXPECT_EQ(PressSave(), std::nullopt);

    const auto identity = [](const std::string& path) {
        HANDLE file = ::CreateFileW(Wide(path).c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
        BY_HANDLE_FILE_INFORMATION info{};
        ::GetFileInformationByHandle(file, &info);
        ::CloseHandle(file);
        return std::make_pair((static_cast<unsigned long long>(info.nFileIndexHigh) << 32) | info.nFileIndexLow,
                              info.nNumberOfLinks);
    };
    EXPECT_EQ(identity(SettingsPath()), identity(m_install.Path("kept.ini")));
    EXPECT_EQ(identity(SettingsPath()).second, 2u);
    EXPECT_NE(m_install.ReadFile("kept.ini").value_or("").find("K=c:\\kept"), std::string::npos);
    EXPECT_TRUE(NoCopies()) << "the copy that stood in during the write was left behind";
}

// Another editor changes the file: with the dialog away the hotkeys follow it; with the
// dialog open, OK keeps the other editor's file as a copy and says where.
TEST_F(SettingsSafetyTest, AFileChangedOutsideIsFollowedAndNeverDroppedUnseen)
{
    ASSERT_NO_FATAL_FAILURE(StartProgram(kThreeShortcuts));
    ASSERT_NO_FATAL_FAILURE(WaitUntilInTray());
    Append("U=you\r\n");
    EXPECT_TRUE(WaitUntil([&] { return TextOfHotkey('U') == std::optional<std::string>("you"); }, 10000))
        << "the new shortcut does not work";
    ASSERT_TRUE(CloseAllPopups(ProgramId()));
    EXPECT_EQ(RowKeys(), (std::vector<std::string>{"A", "B", "T", "U"})) << "the list did not follow the file";

    ASSERT_NO_FATAL_FAILURE(OpenFromTray());
    ASSERT_EQ(AcceptPath("K", "c:\\kept"), std::nullopt);
    Append("V=vee\r\n");
    ASSERT_TRUE(WaitUntil([&] { return TextOfHotkey('V') == std::optional<std::string>("vee"); }, 10000));
    ASSERT_TRUE(CloseAllPopups(ProgramId()));
    const std::optional<Question> message = PressSave();
    ASSERT_TRUE(message.has_value()) << "the other editor's lines went without a word";
    EXPECT_TRUE(Names(message, SettingsPath() + ".bak")) << message->text;
    EXPECT_NE(m_install.ReadFile("keyset.ini.bak").value_or("").find("V=vee"), std::string::npos);
    EXPECT_NE(Settings().find("K=c:\\kept"), std::string::npos);
}

// File systems the tests cannot make from inside Wine: unix-file-conditions.sh prepares
// them, runs these cases there and looks at the result from outside.
class SettingsOnUnixTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        if (m_program)
            m_program->Terminate();
        EndAllInstances();
    }
    // The folder the script prepared, named by the variable; the test is skipped without it.
    static std::string PreparedFolder(const char* variable)
    {
        const char* folder = std::getenv(variable);
        return folder ? folder : "";
    }
    // ntlauncher.exe and keyhook.dll copied there and started: the dialog once it is up.
    HWND StartIn(const std::string& folder)
    {
        for (const char* file : {"ntlauncher.exe", "keyhook.dll"})
            EXPECT_TRUE(::CopyFileW(Wide(BuildFolder() + "\\" + file).c_str(), Wide(folder + "\\" + file).c_str(), FALSE));
        m_program = std::make_unique<Process>(folder + "\\ntlauncher.exe", folder);
        HWND dialog = FindMainDialog(m_program->Id());
        EXPECT_TRUE(WaitUntil([&] {
            return ::SendMessageW(::GetDlgItem(dialog, IDC_PATH_RADIO), BM_GETCHECK, 0, 0) == BST_CHECKED;
        })) << "the dialog did not set itself up";
        return dialog;
    }
    std::unique_ptr<Process> m_program;
};

// keyset.ini as a link to a file elsewhere (as a sync folder keeps it): the save puts the
// new text into the file the link leads to. Whether the link is still a link the script
// sees for itself. A file in the code page of old is saved in UTF-8: new bytes.
TEST_F(SettingsOnUnixTest, ASymbolicLinkStaysALink)
{
    const std::string folder = PreparedFolder("TARNWICK_LINKED_FOLDER");
    if (folder.empty())
        GTEST_SKIP() << "unix-file-conditions.sh runs this";
    HWND dialog = StartIn(folder);
    ASSERT_NE(dialog, nullptr);
    ::PostMessageW(dialog, WM_COMMAND, ID_TRAY_OPEN, 0);
    ASSERT_TRUE(WaitUntil([&] { return ::IsWindowVisible(dialog) != FALSE; }));
    std::optional<Question> message = RunAndAnswer(
        m_program->Id(), [&] { ::SendMessageW(::GetDlgItem(dialog, IDC_SAVE), BM_CLICK, 0, 0); }, IDOK);
    EXPECT_EQ(message.has_value(), false) << message->text;
    EXPECT_FALSE(::IsWindowVisible(dialog)) << "not saved";
}

// A disk that fills up: first during the copy kept before a lossy save, then during the
// save itself. No copy is left cut short, the file stays whole, and the message says why.
TEST_F(SettingsOnUnixTest, AFullDiskLeavesNoHalfCopyAndSaysWhy)
{
    const std::string folder = PreparedFolder("TARNWICK_SMALL_DISK");
    if (folder.empty())
        GTEST_SKIP() << "unix-file-conditions.sh runs this";
    // Long enough that the disk's blocks do not matter; an unclosed header makes the save
    // keep a copy first.
    std::string settings = "[contents]\r\n";
    for (int i = 0; i < 4000; ++i)
        settings += "T" + std::to_string(i) + "=a text of some length, number " + std::to_string(i) + "\r\n";
    settings += "[paths\r\n";
    HWND dialog = nullptr;
    {
        HANDLE file = ::CreateFileW(Wide(folder + "\\keyset.ini").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        ::WriteFile(file, settings.data(), static_cast<DWORD>(settings.size()), &written, nullptr);
        ::CloseHandle(file);
        dialog = StartIn(folder);
        ASSERT_NE(dialog, nullptr);
    }
    const std::wstring filler = Wide(folder + "\\filler");
    // Fills the disk but for `left` bytes.
    const auto leaveFree = [&](ULONGLONG left) {
        ::DeleteFileW(filler.c_str());
        ULARGE_INTEGER free{};
        ::GetDiskFreeSpaceExW(Wide(folder).c_str(), &free, nullptr, nullptr);
        ASSERT_GT(free.QuadPart, left);
        HANDLE file = ::CreateFileW(filler.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        const std::string block(64 * 1024, 'f');
        for (ULONGLONG size = free.QuadPart - left; size > 0;) {
            const DWORD piece = static_cast<DWORD>(std::min<ULONGLONG>(size, block.size()));
            DWORD written = 0;
            if (!::WriteFile(file, block.data(), piece, &written, nullptr) || written == 0)
                break;
            size -= written;
        }
        ::CloseHandle(file);
    };
    const auto save = [&] {
        return RunAndAnswer(m_program->Id(), [&] { ::SendMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }, IDOK);
    };
    const auto folderHolds = [&](const std::string& name) {
        return ::GetFileAttributesW(Wide(folder + "\\" + name).c_str()) != INVALID_FILE_ATTRIBUTES;
    };
    const auto settingsNow = [&] { return ReadFileBytes(folder + "\\keyset.ini").value_or("(none)"); };

    ASSERT_NO_FATAL_FAILURE(leaveFree(settings.size() / 2));
    std::optional<Question> message = save();
    ASSERT_TRUE(message.has_value()) << "no word of the full disk";
    EXPECT_EQ(message->text.find("Success"), std::string::npos) << message->text;
    EXPECT_NE(message->text.find("\"" + folder + "\\keyset.ini\""), std::string::npos) << message->text;
    EXPECT_FALSE(folderHolds("keyset.ini.bak")) << "a copy cut short is left to pass for a whole one";
    EXPECT_FALSE(folderHolds("keyset.ini.bak.part"));
    EXPECT_EQ(settingsNow(), settings);

    // Room for the copy, not for the new file as well.
    ASSERT_NO_FATAL_FAILURE(leaveFree(settings.size() + settings.size() / 2));
    message = save();
    ASSERT_TRUE(message.has_value()) << "no word of the full disk";
    EXPECT_EQ(message->text.find("Success"), std::string::npos) << message->text;
    EXPECT_FALSE(folderHolds("keyset.ini.new")) << "the new file cut short is left behind";
    EXPECT_EQ(settingsNow(), settings);
    std::cout << "[ message ] " << message->text << "\n";
    ::DeleteFileW(filler.c_str());
}

}  // namespace
