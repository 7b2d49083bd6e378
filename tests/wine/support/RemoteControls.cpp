#include "tests/wine/support/RemoteControls.h"
#include "tests/wine/support/Utf8.h"
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

constexpr size_t kTextCapacity = 4096;   // characters

std::string ListText(HWND listView, const RemoteBuffer& buffer, int row, int column)
{
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = reinterpret_cast<wchar_t*>(buffer.address() + sizeof(LVITEMW));
    item.cchTextMax = static_cast<int>(kTextCapacity);
    buffer.Write(0, &item, sizeof(item));
    const LRESULT length = ::SendMessageW(listView, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(buffer.address()));
    std::wstring text(static_cast<size_t>(length), L'\0');
    buffer.Read(sizeof(LVITEMW), text.data(), text.size() * sizeof(wchar_t));
    return Utf8(text);
}

}  // namespace

std::vector<ListRow> ListRows(HWND listView)
{
    RemoteBuffer buffer(listView, sizeof(LVITEMW) + kTextCapacity * sizeof(wchar_t));
    std::vector<ListRow> rows;
    int count = static_cast<int>(::SendMessageW(listView, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < count; ++row)
        rows.push_back({ListText(listView, buffer, row, kKeyColumn), ListText(listView, buffer, row, kShortcutColumn)});
    return rows;
}

std::vector<std::string> ListColumn(HWND listView, int column)
{
    RemoteBuffer buffer(listView, sizeof(LVITEMW) + kTextCapacity * sizeof(wchar_t));
    std::vector<std::string> texts;
    int count = static_cast<int>(::SendMessageW(listView, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < count; ++row)
        texts.push_back(ListText(listView, buffer, row, column));
    return texts;
}

int SelectedListRow(HWND listView)
{
    return static_cast<int>(::SendMessageW(listView, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

RECT ListRowScreenRect(HWND listView, int row)
{
    RemoteBuffer buffer(listView, sizeof(RECT));
    RECT bounds{};
    bounds.left = LVIR_BOUNDS;
    buffer.Write(0, &bounds, sizeof(bounds));
    ::SendMessageW(listView, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(buffer.address()));
    buffer.Read(0, &bounds, sizeof(bounds));
    ::MapWindowPoints(listView, nullptr, reinterpret_cast<POINT*>(&bounds), 2);
    return bounds;
}

RECT ListCellScreenRect(HWND listView, int row, int column)
{
    RemoteBuffer buffer(listView, sizeof(RECT));
    RECT cell{};
    cell.top = column;
    cell.left = LVIR_LABEL;
    buffer.Write(0, &cell, sizeof(cell));
    ::SendMessageW(listView, LVM_GETSUBITEMRECT, row, reinterpret_cast<LPARAM>(buffer.address()));
    buffer.Read(0, &cell, sizeof(cell));
    ::MapWindowPoints(listView, nullptr, reinterpret_cast<POINT*>(&cell), 2);
    return cell;
}

std::vector<std::string> ListHeadings(HWND listView)
{
    HWND header = reinterpret_cast<HWND>(::SendMessageW(listView, LVM_GETHEADER, 0, 0));
    RemoteBuffer buffer(header, sizeof(HDITEMW) + kTextCapacity * sizeof(wchar_t));
    std::vector<std::string> headings;
    const int count = static_cast<int>(::SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
    for (int column = 0; column < count; ++column) {
        HDITEMW item{};
        item.mask = HDI_TEXT;
        item.pszText = reinterpret_cast<wchar_t*>(buffer.address() + sizeof(HDITEMW));
        item.cchTextMax = static_cast<int>(kTextCapacity);
        buffer.Write(0, &item, sizeof(item));
        // The text ends at its first zero; the buffer starts with one, for a heading without text.
        const wchar_t none = L'\0';
        buffer.Write(sizeof(HDITEMW), &none, sizeof(none));
        ::SendMessageW(header, HDM_GETITEMW, column, reinterpret_cast<LPARAM>(buffer.address()));
        std::wstring text(kTextCapacity, L'\0');
        buffer.Read(sizeof(HDITEMW), text.data(), text.size() * sizeof(wchar_t));
        text.resize(text.find(L'\0'));
        headings.push_back(Utf8(text));
    }
    return headings;
}

std::vector<int> ListColumnWidths(HWND listView)
{
    HWND header = reinterpret_cast<HWND>(::SendMessageW(listView, LVM_GETHEADER, 0, 0));
    std::vector<int> widths;
    const int count = static_cast<int>(::SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
    for (int column = 0; column < count; ++column)
        widths.push_back(static_cast<int>(::SendMessageW(listView, LVM_GETCOLUMNWIDTH, column, 0)));
    return widths;
}

namespace {
std::string ComboText(HWND combo, LRESULT index)
{
    // The length may count an ANSI combo's bytes, more than its characters.
    const LRESULT length = ::SendMessageW(combo, CB_GETLBTEXTLEN, index, 0);
    if (length == CB_ERR)
        return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    text.resize(static_cast<size_t>(std::max<LRESULT>(
        ::SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data())), 0)));
    return Utf8(text);
}
}

std::vector<std::string> ComboEntries(HWND combo)
{
    std::vector<std::string> entries;
    int count = static_cast<int>(::SendMessageW(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i)
        entries.push_back(ComboText(combo, i));
    return entries;
}

std::string ComboSelection(HWND combo)
{
    LRESULT index = ::SendMessageW(combo, CB_GETCURSEL, 0, 0);
    return index == CB_ERR ? std::string() : ComboText(combo, index);
}

bool SelectComboEntry(HWND combo, const std::string& entry)
{
    const std::vector<std::string> entries = ComboEntries(combo);
    const auto it = std::find(entries.begin(), entries.end(), entry);
    if (it == entries.end())
        return false;
    ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(it - entries.begin()), 0);
    return true;
}

HWND FocusedControl(HWND window)
{
    GUITHREADINFO gui{};
    gui.cbSize = sizeof(gui);
    if (!::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &gui))
        return nullptr;
    return gui.hwndFocus;
}

namespace {
// Static texts, pictures and frames take no input.
bool IsOperable(HWND control)
{
    if (!::IsWindowVisible(control) || !::IsWindowEnabled(control))
        return false;
    wchar_t className[64] = {};
    ::GetClassNameW(control, className, 64);
    const LONG style = ::GetWindowLongW(control, GWL_STYLE);
    if (_wcsicmp(className, L"Button") == 0) {
        const LONG type = style & BS_TYPEMASK;
        if (type == BS_GROUPBOX)
            return false;
        if (type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON)
            return ::SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
        return true;
    }
    return _wcsicmp(className, L"Edit") == 0 || _wcsicmp(className, L"ComboBox") == 0 ||
           _wcsicmp(className, L"SysListView32") == 0;
}

struct Placed {
    HWND control;
    RECT box;
};

bool OnOneRow(const RECT& a, const RECT& b)
{
    const LONG middleA = (a.top + a.bottom) / 2;
    const LONG middleB = (b.top + b.bottom) / 2;
    return (middleA >= b.top && middleA < b.bottom) || (middleB >= a.top && middleB < a.bottom);
}
}

std::vector<HWND> ControlsInReadingOrder(HWND dialog)
{
    std::vector<Placed> placed;
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (!IsOperable(child))
            continue;
        RECT box{};
        ::GetWindowRect(child, &box);
        placed.push_back({child, box});
    }
    std::sort(placed.begin(), placed.end(), [](const Placed& a, const Placed& b) { return a.box.top < b.box.top; });
    // Each row starts with its topmost control; the rest of the row is beside it.
    std::vector<HWND> order;
    for (size_t start = 0; start < placed.size();) {
        size_t end = start + 1;
        while (end < placed.size() && OnOneRow(placed[start].box, placed[end].box))
            ++end;
        std::sort(placed.begin() + static_cast<std::ptrdiff_t>(start), placed.begin() + static_cast<std::ptrdiff_t>(end),
                  [](const Placed& a, const Placed& b) { return a.box.left < b.box.left; });
        for (size_t i = start; i < end; ++i)
            order.push_back(placed[i].control);
        start = end;
    }
    return order;
}

std::string WindowText(HWND window)
{
    std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<size_t>(::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return Utf8(text);
}

std::string ControlText(HWND control)
{
    // The length may count an ANSI control's bytes, more than its characters.
    std::wstring text(static_cast<size_t>(::SendMessageW(control, WM_GETTEXTLENGTH, 0, 0)) + 1, L'\0');
    text.resize(static_cast<size_t>(
        ::SendMessageW(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
    return Utf8(text);
}

void SetControlText(HWND control, const std::string& text)
{
    ::SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Wide(text).c_str()));
}

}  // namespace wt
