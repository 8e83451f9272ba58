// The version-resource reader against real modules under Wine: the program's own executable
// and small resource-only DLLs built from fixtures/.
#include "versioninfo/version_info_win.h"

#include <windows.h>

#include <cstdint>
#include <iostream>
#include <string>

#include <gtest/gtest.h>

#include "base/error.h"
#include "base/files_win.h"
#include "base/text.h"
#include "base/win_error_win.h"
#include "resources/version.h"

namespace framora {
namespace {

constexpr std::uint32_t kNoFixedVersion = 0xFFFFFFFF;

std::wstring Fixture(const std::wstring& name) {
  return ProgramFolder() + L"\\versioninfo_" + name + L".dll";
}

// Compares field by field, so that a failure names the value that went wrong.
void ExpectRecord(const TEXEVersionData& actual, const TEXEVersionData& expected) {
  for (const auto& entry : kVersionStringFields) {
    EXPECT_EQ(Utf16ToUtf8(actual.*entry.field), Utf16ToUtf8(expected.*entry.field))
        << Utf16ToUtf8(entry.name);
  }
}

void SetMarkers() {
  AppCompanyName = L"company before";
  AppProductName = L"product before";
  ProductTitle = L"title before";
  ShortVersion = L"version before";
}

TEST(ExecutableVersion, ReadsTheProgramsOwnResource) {
  const std::wstring exe = ProgramFolder() + L"\\framora.exe";
  TEXEVersionData expected;
  expected.CompanyName = L"Brantlow";
  expected.FileDescription = L"Framora";
  expected.FileVersion = L"1.5.0.0";
  expected.InternalName = L"Framora";
  // The resource spells the name "OriginalFilename"; the lookup ignores case.
  expected.OriginalFileName = L"framora.exe";
  expected.ProductName = L"Framora";
  expected.ProductVersion = L"1.5.0.0";
  ExpectRecord(GetEXEVersionData(exe), expected);
  EXPECT_EQ(GetFixedFileVersion(exe), 0x00010005u);

  SetMarkers();
  SetIdentityFromExecutable(exe);
  EXPECT_EQ(AppCompanyName, L"Brantlow");
  EXPECT_EQ(AppProductName, L"Framora");
  EXPECT_EQ(ProductTitle, L"Brantlow - Framora");
  EXPECT_EQ(ShortVersion, L"1.5");
}

TEST(ExecutableVersion, AgreesWithTheVersionHeader) {
  const std::wstring exe = ProgramFolder() + L"\\framora.exe";
  const TEXEVersionData data = GetEXEVersionData(exe);
  EXPECT_EQ(data.CompanyName, L"" FRAMORA_COMPANY_NAME);
  EXPECT_EQ(data.ProductName, L"" FRAMORA_PRODUCT_NAME);
  EXPECT_EQ(data.FileDescription, L"" FRAMORA_FILE_DESCRIPTION);
  EXPECT_EQ(data.InternalName, L"" FRAMORA_INTERNAL_NAME);
  EXPECT_EQ(data.OriginalFileName, L"" FRAMORA_ORIGINAL_FILENAME);
  EXPECT_EQ(data.FileVersion, L"" FRAMORA_VERSION_TEXT);
  EXPECT_EQ(data.ProductVersion, L"" FRAMORA_VERSION_TEXT);
  EXPECT_EQ(TranslationKey(FRAMORA_VERSION_LANGUAGE, FRAMORA_VERSION_CODEPAGE),
            L"" FRAMORA_VERSION_BLOCK);
  EXPECT_EQ(GetFixedFileVersion(exe),
            (std::uint32_t{FRAMORA_VERSION_MAJOR} << 16) | FRAMORA_VERSION_MINOR);
  SetIdentityFromExecutable(exe);
  EXPECT_EQ(ShortVersion, L"" FRAMORA_SHORT_VERSION_TEXT);
  EXPECT_EQ(ProductTitle, L"" FRAMORA_COMPANY_NAME " - " FRAMORA_PRODUCT_NAME);
}

struct ReadableCase {
  const wchar_t* fixture;
  TEXEVersionData record;
  std::uint32_t fixedVersion;
  const wchar_t* title;
  const wchar_t* shortVersion;
};

TEST(VersionResource, ReadsStringsOfTheFirstTranslationAndTheFixedVersion) {
  const ReadableCase cases[] = {
      {L"english_unicode",
       {L"Acme Works", L"Fixture description", L"1.5.0.0", L"english_unicode",
        L"\u00A9 2024 Br\u00E4ntlow \u20AC", L"Acme(TM)", L"versioninfo_english_unicode.dll",
        L"Widget Studio", L"7.8", L"Only for tests", L"private 12", L"special 34"},
       0x00010005,
       L"Acme Works - Widget Studio",
       L"1.5"},
      // The second translation's table (040904B0) holds other values and is never read.
      {L"german_first",
       {L"Deutsche Firma", L"Deutsche Beschreibung", L"", L"", L"", L"", L"", L"Deutsches Produkt",
        L"2.1", L"", L"", L""},
       0x00020001,
       L"Deutsche Firma - Deutsches Produkt",
       L"2.1"},
      {L"without_private_special",
       {L"Brantlow", L"Partial", L"1.5.3.7", L"partial", L"Copyright", L"Trademarks",
        L"versioninfo_without_private_special.dll", L"Framora", L"1.5.3.7",
        L"No private or special build", L"", L""},
       0x00010005,
       L"Brantlow - Framora",
       L"1.5"},
      {L"big_version",
       {L"Big", L"", L"40000.2.0.0", L"", L"", L"", L"", L"Numbers", L"", L"", L"", L""},
       0x9C400002,
       L"Big - Numbers",
       L"40000.2"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Utf16ToUtf8(c.fixture));
    const std::wstring path = Fixture(c.fixture);
    ExpectRecord(GetEXEVersionData(path), c.record);
    EXPECT_EQ(GetFixedFileVersion(path), c.fixedVersion);
    SetMarkers();
    SetIdentityFromExecutable(path);
    EXPECT_EQ(AppCompanyName, c.record.CompanyName);
    EXPECT_EQ(AppProductName, c.record.ProductName);
    EXPECT_EQ(ProductTitle, c.title);
    EXPECT_EQ(ShortVersion, c.shortVersion);
  }
}

struct UnreadableCase {
  const char* what;
  std::wstring path;
  std::uint32_t fixedVersion;
};

TEST(VersionResource, WithoutStringsRaisesTheLastOSError) {
  const UnreadableCase cases[] = {
      {"resources but no version resource", Fixture(L"no_version"), kNoFixedVersion},
      {"no resources at all", Fixture(L"no_resources"), kNoFixedVersion},
      {"file that does not exist", ProgramFolder() + L"\\versioninfo_missing.dll", kNoFixedVersion},
      // The fixed part is fine; only the translation table is empty.
      {"empty translation table", Fixture(L"empty_translation"), 0x00030004},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    try {
      GetEXEVersionData(c.path);
      ADD_FAILURE() << "no error raised";
    } catch (const AppError& error) {
      std::cout << c.what << ": " << error.what() << '\n';
      EXPECT_EQ(error.message().rfind(L"System Error.  Code: ", 0), 0u) << error.what();
    }
    EXPECT_EQ(GetFixedFileVersion(c.path), c.fixedVersion);

    // The identity values stay as they were: nothing is assigned once the read failed.
    SetMarkers();
    EXPECT_THROW(SetIdentityFromExecutable(c.path), AppError);
    EXPECT_EQ(AppCompanyName, L"company before");
    EXPECT_EQ(AppProductName, L"product before");
    EXPECT_EQ(ProductTitle, L"title before");
    EXPECT_EQ(ShortVersion, L"version before");
  }
}

TEST(VersionResource, MissingFileGivesTheFileNotFoundMessage) {
  try {
    GetEXEVersionData(ProgramFolder() + L"\\versioninfo_missing.dll");
    ADD_FAILURE() << "no error raised";
  } catch (const AppError& error) {
    EXPECT_EQ(error.message(),
              L"System Error.  Code: 2.\r\n" + SystemErrorMessage(ERROR_FILE_NOT_FOUND));
  }
}

TEST(VersionResource, NoVersionResourceGivesShortVersionOfTheFailureValue) {
  EXPECT_EQ(FormatShortVersion(GetFixedFileVersion(Fixture(L"no_version"))), L"65535.65535");
}

// A copy of a fixture in a folder whose name is not ASCII; removed again at the end.
class NonAsciiCopy {
 public:
  NonAsciiCopy() {
    // Beside the test executable: the build folder is writable, the prefix's temp folder
    // may not exist yet.
    folder_ = ProgramFolder() + L"\\versioninfo \u00E9\u00FC \u03A9 \u65E5\u672C " +
              std::to_wstring(::GetCurrentProcessId());
    path_ = folder_ + L"\\Vid\u00E9o \u00DCbersicht.dll";
    created_ = ::CreateDirectoryW(folder_.c_str(), nullptr) != 0;
    copied_ = created_ && ::CopyFileW(Fixture(L"english_unicode").c_str(), path_.c_str(), TRUE);
    if (!copied_)
      error_ = ::GetLastError();
  }
  ~NonAsciiCopy() {
    if (copied_)
      ::DeleteFileW(path_.c_str());
    if (created_)
      ::RemoveDirectoryW(folder_.c_str());
  }
  NonAsciiCopy(const NonAsciiCopy&) = delete;
  NonAsciiCopy& operator=(const NonAsciiCopy&) = delete;

  bool ok() const { return copied_; }
  DWORD error() const { return error_; }
  const std::wstring& path() const { return path_; }

 private:
  std::wstring folder_;
  std::wstring path_;
  bool created_ = false;
  bool copied_ = false;
  DWORD error_ = 0;
};

TEST(VersionResource, ReadsAFileWhosePathIsNotAscii) {
  NonAsciiCopy copy;
  ASSERT_TRUE(copy.ok()) << "error " << copy.error() << " copying to " << Utf16ToUtf8(copy.path());
  const TEXEVersionData data = GetEXEVersionData(copy.path());
  EXPECT_EQ(data.CompanyName, L"Acme Works");
  EXPECT_EQ(data.LegalCopyright, L"\u00A9 2024 Br\u00E4ntlow \u20AC");
  EXPECT_EQ(GetFixedFileVersion(copy.path()), 0x00010005u);
}

}  // namespace
}  // namespace framora
