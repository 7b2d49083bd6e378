#include "framework/FileIO.h"
#include "framework/SystemError.h"
#include "framework/UniqueHandle.h"
#include "framework/WideText.h"
#include "store/KeyText.h"
#include <windows.h>

namespace {

FileError LastError() { return {::GetLastError()}; }

std::optional<FileError> WriteAll(HANDLE file, const std::string& bytes)
{
    const char* data = bytes.data();
    size_t left = bytes.size();
    while (left > 0) {
        const DWORD piece = left < (1u << 30) ? static_cast<DWORD>(left) : (1u << 30);
        DWORD written = 0;
        if (!::WriteFile(file, data, piece, &written, nullptr))
            return LastError();
        data += written;
        left -= written;
    }
    if (!::FlushFileBuffers(file))
        return LastError();
    return std::nullopt;
}

// The path a handle reaches in the end, without the "\\?\" that the system puts before it.
std::string FinalPath(HANDLE file)
{
    std::wstring path(MAX_PATH, L'\0');
    DWORD length = ::GetFinalPathNameByHandleW(file, path.data(), static_cast<DWORD>(path.size()), FILE_NAME_NORMALIZED);
    if (length >= path.size()) {
        path.resize(length + 1);
        length = ::GetFinalPathNameByHandleW(file, path.data(), static_cast<DWORD>(path.size()), FILE_NAME_NORMALIZED);
    }
    path.resize(length);
    const std::wstring_view longPrefix = L"\\\\?\\", uncPrefix = L"\\\\?\\UNC\\";
    if (path.compare(0, uncPrefix.size(), uncPrefix) == 0)
        return Utf8(L"\\\\" + path.substr(uncPrefix.size()));
    if (path.compare(0, longPrefix.size(), longPrefix) == 0)
        return Utf8(path.substr(longPrefix.size()));
    return Utf8(path);
}

}  // namespace

std::string FileError::Text() const { return SystemErrorText(code); }

FileRead ReadWholeFile(const std::string& path)
{
    FileRead read;
    FileHandle file(::CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        read.error = LastError();
        const bool missing = read.error.code == ERROR_FILE_NOT_FOUND || read.error.code == ERROR_PATH_NOT_FOUND;
        read.result = missing ? FileRead::Result::Missing : FileRead::Result::Unreadable;
        return read;
    }
    char buffer[64 * 1024];
    DWORD got = 0;
    while (::ReadFile(file.get(), buffer, sizeof(buffer), &got, nullptr)) {
        if (got == 0) {
            read.result = FileRead::Result::Read;
            return read;
        }
        read.bytes.append(buffer, got);
    }
    read.error = LastError();
    read.bytes.clear();
    read.result = FileRead::Result::Unreadable;
    return read;
}

FileShape ShapeOfFile(const std::string& path)
{
    FileShape shape;
    const std::wstring name = Wide(path);
    const DWORD attributes = ::GetFileAttributesW(name.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return shape;
    shape.exists = true;
    shape.isFolder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    shape.link = (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    shape.target = path;
    // Opened through any link, for the attributes of the file itself.
    FileHandle file(::CreateFileW(name.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION info{};
    if (file && ::GetFileInformationByHandle(file.get(), &info)) {
        shape.readOnly = (info.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0;
        shape.names = info.nNumberOfLinks;
        // Where the name leads in the end. Under Wine a link of the file system under it
        // shows as a plain file, and only its final path tells where the file lies.
        const std::string target = FinalPath(file.get());
        if (!target.empty()) {
            shape.link = shape.link || !EqualsNoCase(target, path);
            shape.target = target;
        }
    } else {
        shape.readOnly = (attributes & FILE_ATTRIBUTE_READONLY) != 0;
    }
    return shape;
}

std::optional<FileError> WriteNewFile(const std::string& path, const std::string& bytes)
{
    const std::wstring name = Wide(path);
    std::optional<FileError> failed;
    {
        FileHandle file(::CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file)
            return LastError();
        failed = WriteAll(file.get(), bytes);
    }
    // A file cut short by a full disk must not stay to pass for a whole one.
    if (failed)
        ::DeleteFileW(name.c_str());
    return failed;
}

std::optional<FileError> ReplaceWholeFile(const std::string& path, const std::string& bytes)
{
    const std::string newFile = path + ".new";
    const std::wstring newName = Wide(newFile);
    // Left by a save that was cut off (the machine went down): it is nobody's.
    ::DeleteFileW(newName.c_str());
    if (std::optional<FileError> failed = WriteNewFile(newFile, bytes))
        return failed;
    if (!::MoveFileExW(newName.c_str(), Wide(path).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const FileError error = LastError();
        ::DeleteFileW(newName.c_str());
        return error;
    }
    return std::nullopt;
}

std::optional<FileError> OverwriteFile(const std::string& path, const std::string& bytes)
{
    FileHandle file(::CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                  nullptr));
    if (!file)
        return LastError();
    if (std::optional<FileError> failed = WriteAll(file.get(), bytes))
        return failed;
    if (!::SetEndOfFile(file.get()))
        return LastError();
    if (!::FlushFileBuffers(file.get()))
        return LastError();
    return std::nullopt;
}

std::optional<FileError> CopyToNewFile(const std::string& from, const std::string& copy)
{
    // Written under a name of its own and renamed when whole: a copy cut short by a full
    // disk never stands under the copy's name.
    const std::string partial = copy + ".part";
    const std::wstring partialName = Wide(partial);
    ::DeleteFileW(partialName.c_str());
    if (!::CopyFileW(Wide(from).c_str(), partialName.c_str(), TRUE)) {
        const FileError error = LastError();
        ::DeleteFileW(partialName.c_str());
        return error;
    }
    {
        FileHandle written(::CreateFileW(partialName.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                         FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!written || !::FlushFileBuffers(written.get())) {
            const FileError error = LastError();
            written.reset();
            ::DeleteFileW(partialName.c_str());
            return error;
        }
    }
    if (!::MoveFileExW(partialName.c_str(), Wide(copy).c_str(), MOVEFILE_WRITE_THROUGH)) {
        const FileError error = LastError();
        ::DeleteFileW(partialName.c_str());
        return error;
    }
    return std::nullopt;
}
