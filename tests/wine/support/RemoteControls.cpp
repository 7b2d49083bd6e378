#include "tests/wine/support/RemoteControls.h"
#include <commctrl.h>
#include <algorithm>

namespace wt {
namespace {

// A block of memory in the process that owns a window, freed with the object.
class RemoteBuffer {
public:
    RemoteBuffer(HWND window, size_t size) : m_size(size)
    {
        DWORD processId = 0;
        ::GetWindowThreadProcessId(window, &processId);
        m_process = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
        m_address = ::VirtualAllocEx(m_process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    }
    ~RemoteBuffer()
    {
        ::VirtualFreeEx(m_process, m_address, 0, MEM_RELEASE);
        ::CloseHandle(m_process);
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    char* address() const { return static_cast<char*>(m_address); }
    void Write(size_t offset, const void* data, size_t size) const
    {
        ::WriteProcessMemory(m_process, address() + offset, data, size, nullptr);
    }
    void Read(size_t offset, void* data, size_t size) const
    {
        ::ReadProcessMemory(m_process, address() + offset, data, size, nullptr);
    }

private:
    HANDLE m_process = nullptr;
    void* m_address = nullptr;
    size_t m_size;
};

constexpr size_t kTextCapacity = 4096;

std::string ListText(HWND listView, const RemoteBuffer& buffer, int row, int column)
{
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = buffer.address() + sizeof(LVITEMA);
    item.cchTextMax = static_cast<int>(kTextCapacity);
    buffer.Write(0, &item, sizeof(item));
    LRESULT length = ::SendMessageA(listView, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(buffer.address()));
    std::string text(static_cast<size_t>(length), '\0');
    buffer.Read(sizeof(LVITEMA), text.data(), text.size());
    return text;
}

}  // namespace

std::vector<ListRow> ListRows(HWND listView)
{
    RemoteBuffer buffer(listView, sizeof(LVITEMA) + kTextCapacity);
    std::vector<ListRow> rows;
    int count = static_cast<int>(::SendMessageA(listView, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < count; ++row)
        rows.push_back({ListText(listView, buffer, row, 0), ListText(listView, buffer, row, 1)});
    return rows;
}

int SelectedListRow(HWND listView)
{
    return static_cast<int>(::SendMessageA(listView, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

RECT ListRowScreenRect(HWND listView, int row)
{
    RemoteBuffer buffer(listView, sizeof(RECT));
    RECT bounds{};
    bounds.left = LVIR_BOUNDS;
    buffer.Write(0, &bounds, sizeof(bounds));
    ::SendMessageA(listView, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(buffer.address()));
    buffer.Read(0, &bounds, sizeof(bounds));
    ::MapWindowPoints(listView, nullptr, reinterpret_cast<POINT*>(&bounds), 2);
    return bounds;
}

namespace {
// Wine hands an ANSI combo text across processes in its wide form, so ask for that.
std::string ComboText(HWND combo, LRESULT index)
{
    wchar_t wide[256] = {};
    ::SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(wide));
    char text[256] = {};
    ::WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof(text), nullptr, nullptr);
    return text;
}
}

std::vector<std::string> ComboEntries(HWND combo)
{
    std::vector<std::string> entries;
    int count = static_cast<int>(::SendMessageA(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i)
        entries.push_back(ComboText(combo, i));
    return entries;
}

std::string ComboSelection(HWND combo)
{
    LRESULT index = ::SendMessageA(combo, CB_GETCURSEL, 0, 0);
    return index == CB_ERR ? std::string() : ComboText(combo, index);
}

bool SelectComboEntry(HWND combo, const std::string& entry)
{
    const std::vector<std::string> entries = ComboEntries(combo);
    const auto it = std::find(entries.begin(), entries.end(), entry);
    if (it == entries.end())
        return false;
    ::SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(it - entries.begin()), 0);
    return true;
}

std::string ControlText(HWND control)
{
    std::string text(static_cast<size_t>(::SendMessageA(control, WM_GETTEXTLENGTH, 0, 0)) + 1, '\0');
    text.resize(static_cast<size_t>(
        ::SendMessageA(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

void SetControlText(HWND control, const std::string& text)
{
    ::SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

}  // namespace wt
