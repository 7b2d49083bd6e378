#include "framework/FolderWatch.h"
#include "framework/WideText.h"

namespace {

void CloseChangeNotification(HANDLE h) { ::FindCloseChangeNotification(h); }
// Failure is INVALID_HANDLE_VALUE, as with CreateFile.
struct ChangeNotification : UniqueHandle<HANDLE, CloseChangeNotification> {
    explicit ChangeNotification(HANDLE h) : UniqueHandle(h == INVALID_HANDLE_VALUE ? nullptr : h) {}
};

constexpr DWORD kChanges = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_LAST_WRITE | FILE_NOTIFY_CHANGE_SIZE;

}  // namespace

bool FolderWatch::Start(const std::string& folder, HWND receiver, UINT message)
{
    Stop();
    ChangeNotification changes(::FindFirstChangeNotificationW(Wide(folder).c_str(), FALSE, kChanges));
    m_stop.reset(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!changes || !m_stop)
        return false;
    // On a thread of its own: the program's thread waits for messages, not for the disk.
    m_thread = std::thread([changes = std::move(changes), stop = m_stop.get(), receiver, message]() {
        const HANDLE waits[] = {stop, changes.get()};
        while (::WaitForMultipleObjects(2, waits, FALSE, INFINITE) == WAIT_OBJECT_0 + 1) {
            ::PostMessageW(receiver, message, 0, 0);
            if (!::FindNextChangeNotification(changes.get()))
                return;
        }
    });
    return true;
}

void FolderWatch::Stop()
{
    if (m_stop)
        ::SetEvent(m_stop.get());
    if (m_thread.joinable())
        m_thread.join();
    m_stop.reset();
}
