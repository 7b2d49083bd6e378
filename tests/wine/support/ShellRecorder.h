#pragma once
#include <optional>
#include <string>
#include <vector>

namespace wt {

// Registers shellrecorder.exe (built beside the tests) as what the shell opens a file
// type (".hlp") or a URL scheme ("mailto") with, for as long as the object lives, and
// reads back the command lines it was started with. What the prefix associated with
// them before is put back afterwards.
class ShellRecorder {
public:
    explicit ShellRecorder(std::vector<std::string> extensionsAndSchemes);
    ~ShellRecorder();
    ShellRecorder(const ShellRecorder&) = delete;
    ShellRecorder& operator=(const ShellRecorder&) = delete;

    // Command lines recorded so far, oldest first (arguments as the shell passed them),
    // in UTF-8.
    std::vector<std::string> Records() const;
    // Waits until at least `count` records exist; false after the timeout.
    bool WaitForRecords(size_t count, unsigned timeoutMs = 5000) const;
    void Clear() const;

private:
    // A value of an existing key that the recorder replaced, and what it held.
    struct Replaced {
        std::string key;
        std::optional<std::string> previous;
    };
    void Override(const std::string& key, const std::string& value);

    std::vector<std::string> m_ownKeys;   // made by the recorder: deleted afterwards
    std::vector<Replaced> m_replaced;     // the prefix's own: put back afterwards
};

}  // namespace wt
