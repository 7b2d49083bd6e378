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
