// The version block of each shipped file, read as Explorer's Properties read it:
// GetFileVersionInfoA and VerQueryValueA of Wine's real version.dll. The expected
// number is the build's own project version (TARNWICK_VERSION), so a version block
// or manifest that missed a change of the number fails here.
#include "tests/wine/support/TestSupport.h"
#include <windows.h>
#include <gtest/gtest.h>
#include <cstdio>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

using namespace wt;

namespace {

struct VersionNumbers {
    unsigned major = 0, minor = 0, patch = 0;
};

VersionNumbers ProjectVersion()
{
    VersionNumbers v;
    std::sscanf(TARNWICK_VERSION, "%u.%u.%u", &v.major, &v.minor, &v.patch);
    return v;
}

class VersionBlock {
public:
    explicit VersionBlock(const std::string& file)
    {
        DWORD ignored = 0;
        const DWORD size = ::GetFileVersionInfoSizeA(file.c_str(), &ignored);
        if (size == 0)
            return;
        m_bytes.resize(size);
        if (!::GetFileVersionInfoA(file.c_str(), 0, size, m_bytes.data()))
            m_bytes.clear();
    }

    bool Present() const { return !m_bytes.empty(); }

    const VS_FIXEDFILEINFO* Fixed() const
    {
        UINT length = 0;
        void* value = Query("\\", &length);
        return length >= sizeof(VS_FIXEDFILEINFO) ? static_cast<const VS_FIXEDFILEINFO*>(value) : nullptr;
    }

    // A string of the block's first translation, as Explorer shows it.
    std::string Text(const std::string& name) const
    {
        UINT length = 0;
        auto* translation = static_cast<const WORD*>(Query("\\VarFileInfo\\Translation", &length));
        if (!translation || length < 2 * sizeof(WORD))
            return "(no translation)";
        char path[64];
        std::snprintf(path, sizeof(path), "\\StringFileInfo\\%04x%04x\\", translation[0], translation[1]);
        auto* text = static_cast<const char*>(Query(path + name, &length));
        return text && length > 0 ? std::string(text, length - 1) : "(missing)";
    }

private:
    void* Query(const std::string& path, UINT* length) const
    {
        void* value = nullptr;
        if (!Present() || !::VerQueryValueA(m_bytes.data(), path.c_str(), &value, length))
            return nullptr;
        return value;
    }

    std::vector<char> m_bytes;
};

// The embedded application manifest (resource 1 of type 24), as text.
std::string Manifest(const std::string& file)
{
    std::unique_ptr<std::remove_pointer_t<HMODULE>, decltype(&::FreeLibrary)> module(
        ::LoadLibraryExA(file.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE), &::FreeLibrary);
    if (!module)
        return {};
    HRSRC resource = ::FindResourceA(module.get(), MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    HGLOBAL loaded = resource ? ::LoadResource(module.get(), resource) : nullptr;
    if (!loaded)
        return {};
    return std::string(static_cast<const char*>(::LockResource(loaded)), ::SizeofResource(module.get(), resource));
}

TEST(VersionResource, EachShippedFileCarriesTheProjectVersionAndNames)
{
    const struct {
        const char* file;
        DWORD fileType;
    } cases[] = {
        {"Tarnwick.exe", VFT_APP},
        {"ntlauncher.exe", VFT_APP},
        {"keyhook.dll", VFT_DLL},
    };
    const VersionNumbers version = ProjectVersion();
    const DWORD mostSignificant = MAKELONG(version.minor, version.major);
    const DWORD leastSignificant = MAKELONG(0, version.patch);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const VersionBlock block(BuildFolder() + "\\" + c.file);
        ASSERT_TRUE(block.Present()) << "no version block";
        const VS_FIXEDFILEINFO* fixed = block.Fixed();
        ASSERT_NE(fixed, nullptr);
        EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
        EXPECT_EQ(fixed->dwFileVersionMS, mostSignificant);
        EXPECT_EQ(fixed->dwFileVersionLS, leastSignificant);
        EXPECT_EQ(fixed->dwProductVersionMS, mostSignificant);
        EXPECT_EQ(fixed->dwProductVersionLS, leastSignificant);
        EXPECT_EQ(fixed->dwFileType, c.fileType);

        EXPECT_EQ(block.Text("FileVersion"), TARNWICK_VERSION);
        EXPECT_EQ(block.Text("ProductVersion"), TARNWICK_VERSION);
        EXPECT_EQ(block.Text("ProductName"), "Tarnwick");
        EXPECT_EQ(block.Text("OriginalFilename"), c.file);
        EXPECT_EQ(block.Text("CompanyName"), "The Tarnwick developers");
        EXPECT_EQ(block.Text("LegalCopyright"), "Copyright (C) 2026 The Tarnwick developers");
        const std::string description = block.Text("FileDescription");
        EXPECT_EQ(description.rfind("Tarnwick", 0), 0u) << description;
    }
}

// Also what the manifest declares for Windows: paths longer than MAX_PATH.
TEST(VersionResource, TheManifestsAssemblyVersionIsTheProjectVersion)
{
    const VersionNumbers version = ProjectVersion();
    const std::string identity = "name=\"Tarnwick\" version=\"" + std::to_string(version.major) + "." +
                                 std::to_string(version.minor) + "." + std::to_string(version.patch) + ".0\"";
    for (const char* file : {"Tarnwick.exe", "ntlauncher.exe"}) {
        SCOPED_TRACE(file);
        const std::string manifest = Manifest(BuildFolder() + "\\" + file);
        ASSERT_FALSE(manifest.empty()) << "no manifest";
        EXPECT_NE(manifest.find(identity), std::string::npos) << manifest;
        EXPECT_NE(manifest.find("<longPathAware xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">true"),
                  std::string::npos)
            << manifest;
    }
}

}  // namespace
