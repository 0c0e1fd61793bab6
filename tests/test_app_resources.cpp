// What every application built with zul_add_application carries: the version
// "ZULLIB 7.0" that Windows shows in the file's properties, and a manifest
// declaring the program DPI-aware.
#include <gtest/gtest.h>

#include <string>

#include "test_support.h"

namespace {

// Programs beside the tests' own folder.
const wchar_t* const kApplications[] = {L"..\\lenti.exe", L"..\\examples\\hello\\hello.exe"};

std::wstring ProductName(const wchar_t* path) {
  DWORD handle = 0;
  DWORD size = GetFileVersionInfoSizeW(path, &handle);
  if (size == 0) return L"(no version resource)";
  std::string block(size, '\0');
  if (!GetFileVersionInfoW(path, 0, size, &block[0])) return L"(unreadable)";
  wchar_t* value = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(&block[0], L"\\StringFileInfo\\040904B0\\ProductName",
                      reinterpret_cast<void**>(&value), &length)) {
    return L"(no product name)";
  }
  return std::wstring(value);
}

std::string Manifest(const wchar_t* path) {
  HMODULE module = LoadLibraryExW(path, nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (module == nullptr) return "(cannot open)";
  std::string text = "(no manifest)";
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
  HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
  if (loaded != nullptr) {
    text.assign(static_cast<const char*>(LockResource(loaded)), SizeofResource(module, found));
  }
  FreeLibrary(module);
  return text;
}

}  // namespace

TEST(ApplicationResources, VersionAndDpiAwareManifest) {
  for (const wchar_t* path : kApplications) {
    EXPECT_EQ(ProductName(path), L"ZULLIB 7.0") << path;
    std::string manifest = Manifest(path);
    size_t at = manifest.find("<dpiAware");
    ASSERT_NE(at, std::string::npos) << manifest;
    EXPECT_EQ(manifest.compare(manifest.find('>', at) + 1, 4, "true"), 0) << manifest;
  }
}
