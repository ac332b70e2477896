// The resources inside the built DLL, read with the Win32 calls a host uses: the dialog
// description and the string table per language, byte for byte as in resources/lang, and
// the version resource.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "module_under_test.h"

namespace cross_test {
namespace {

WORD const english = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);  // 1033
WORD const japanese = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);   // 1041

// The resource's bytes, or an empty string with found false.
std::string resource_bytes(char const* name, WORD language, bool& found) {
    HMODULE module = loaded_module().handle;
    HRSRC info = module ? ::FindResourceExA(module, "TQUL", name, language) : nullptr;
    found = info != nullptr;
    if (!info) return {};
    HGLOBAL data = ::LoadResource(module, info);
    char const* bytes = static_cast<char const*>(::LockResource(data));
    return std::string(bytes, ::SizeofResource(module, info));
}

std::string file_bytes(std::string const& path) {
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in) << "cannot read " << path;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

struct resource_case {
    char const* name;
    WORD language;
    char const* file;  // below resources/lang
};

TEST(WindowsResources, EachTQULResourceIsItsXmlFileInItsLanguage) {
    ASSERT_NE(loaded_module().handle, nullptr);
    resource_case const cases[] = {
        {"DIALOG_ID", english, "en/mode_dialog_id.xml"},
        {"DIALOG_ID", japanese, "ja/mode_dialog_id.xml"},
        {"TEXT", english, "en/TEXT.xml"},
        {"TEXT", japanese, "ja/TEXT.xml"},
    };
    for (resource_case const& c : cases) {
        bool found = false;
        std::string bytes = resource_bytes(c.name, c.language, found);
        EXPECT_TRUE(found) << c.name << " in language " << c.language;
        EXPECT_EQ(bytes, file_bytes(std::string(VEXEL_TEST_SOURCE_DIR "/resources/lang/") + c.file))
            << c.name << " in language " << c.language;
    }
}

// A text of the version resource's Japanese, Unicode string block.
std::string version_text(std::vector<char>& info, char const* field) {
    std::string query = std::string("\\StringFileInfo\\041104b0\\") + field;
    char* value = nullptr;
    UINT length = 0;
    if (!::VerQueryValueA(info.data(), query.c_str(), reinterpret_cast<void**>(&value), &length) ||
        !value)
        return "<missing>";
    return std::string(value);
}

TEST(WindowsResources, VersionResourceNamesTheTesselPluginVersion2800InJapanese) {
    DWORD ignored = 0;
    DWORD size = ::GetFileVersionInfoSizeA(module_path(), &ignored);
    ASSERT_GT(size, 0u);
    std::vector<char> info(size);
    ASSERT_TRUE(::GetFileVersionInfoA(module_path(), 0, size, info.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(::VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00020008u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00020008u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0u);

    WORD* translation = nullptr;
    ASSERT_TRUE(::VerQueryValueA(info.data(), "\\VarFileInfo\\Translation",
                                 reinterpret_cast<void**>(&translation), &length));
    ASSERT_GE(length, 4u);
    EXPECT_EQ(translation[0], 0x0411);
    EXPECT_EQ(translation[1], 1200);

    for (char const* field : {"FileDescription", "InternalName", "ProductName"})
        EXPECT_EQ(version_text(info, field), "Tessel plugin") << field;
    for (char const* field : {"FileVersion", "ProductVersion"})
        EXPECT_EQ(version_text(info, field), "2, 8, 0, 0") << field;
}

}  // namespace
}  // namespace cross_test
