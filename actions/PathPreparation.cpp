#include "actions/PathPreparation.h"

#include "store/KeyText.h"

#include <algorithm>
#include <string_view>

namespace {

const std::string_view kFtpPrefix = "ftp:";

} // namespace

std::string PreparePath(const std::string& payload)
{
    std::string path = TrimLeft(payload);
    if (EqualsNoCase(std::string_view(path).substr(0, kFtpPrefix.size()), kFtpPrefix))
        std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

bool IsMailAddress(const std::string& path)
{
    constexpr std::string_view kMailto = "mailto:";
    return EqualsNoCase(std::string_view(path).substr(0, kMailto.size()), kMailto);
}

bool HasScheme(const std::string& path)
{
    const std::size_t colon = path.find(':');
    // A scheme is a letter and then letters, digits, "+", "-" or "."; one letter is a drive.
    if (colon == std::string::npos || colon < 2) return false;
    const auto isLetter = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
    if (!isLetter(path[0])) return false;
    for (std::size_t i = 1; i < colon; ++i) {
        const char c = path[i];
        if (!isLetter(c) && !(c >= '0' && c <= '9') && c != '+' && c != '-' && c != '.') return false;
    }
    return true;
}

FolderAndName SplitFolderAndName(const std::string& path)
{
    const std::size_t separator = path.find_last_of("\\/");
    if (separator == std::string::npos) return {{}, path};
    return {path.substr(0, separator + 1), path.substr(separator + 1)};
}

std::string FolderOf(const std::string& path)
{
    const std::string folder = SplitFolderAndName(path).folder;
    return folder.empty() ? path : folder;
}
