#pragma once
#include <string>
#include <vector>

namespace wt {

// Registers shellrecorder.exe (built beside the tests) as what the shell opens a file
// type (".hlp") or a URL scheme ("mailto") with, for as long as the object lives, and
// reads back the command lines it was started with.
class ShellRecorder {
public:
    explicit ShellRecorder(std::vector<std::string> extensionsAndSchemes);
    ~ShellRecorder();
    ShellRecorder(const ShellRecorder&) = delete;
    ShellRecorder& operator=(const ShellRecorder&) = delete;

    // Command lines recorded so far, oldest first (arguments as the shell passed them).
    std::vector<std::string> Records() const;
    // Waits until at least `count` records exist; false after the timeout.
    bool WaitForRecords(size_t count, unsigned timeoutMs = 5000) const;
    void Clear() const;

private:
    std::vector<std::string> m_keys;
};

}  // namespace wt
