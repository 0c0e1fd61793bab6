// What every application built with zul_add_application carries: the version
// "ZULLIB 7.0" shown in the file's properties and a DPI-aware manifest.
#include "test_support.h"

TEST(ApplicationResources, VersionAndDpiAwareManifest) {
  for (const wchar_t* path : {L"..\\lenti.exe", L"..\\examples\\hello\\hello.exe"}) {
    std::string block(GetFileVersionInfoSizeW(path, nullptr) + 1, '\0');
    wchar_t* product = nullptr;
    UINT length = 0;
    ASSERT_TRUE(GetFileVersionInfoW(path, 0, static_cast<DWORD>(block.size()), &block[0]) &&
                VerQueryValueW(&block[0], L"\\StringFileInfo\\040904B0\\ProductName",
                               reinterpret_cast<void**>(&product), &length))
        << path;
    EXPECT_STREQ(product, L"ZULLIB 7.0") << path;

    HMODULE module = LoadLibraryExW(path, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));  // manifest
    ASSERT_NE(found, nullptr) << path;
    std::string manifest(static_cast<const char*>(LockResource(LoadResource(module, found))),
                         SizeofResource(module, found));
    FreeLibrary(module);
    size_t at = manifest.find("<dpiAware");
    ASSERT_NE(at, std::string::npos) << manifest;
    EXPECT_EQ(manifest.compare(manifest.find('>', at) + 1, 4, "true"), 0) << manifest;
  }
}
