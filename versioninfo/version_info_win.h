// Reading a file's version resource, and setting the identity values from the running
// executable's own one.
#pragma once

#include <cstdint>
#include <string>

#include "versioninfo/identity.h"

namespace framora {

// The strings of the file's version resource, from the string table of its first
// translation only. Raises the last OS error (AppError) when the file has no readable version
// resource or no translation table; a value the table lacks leaves its field empty.
TEXEVersionData GetEXEVersionData(const std::wstring& FileName);

// The most significant half of the file version in the resource's fixed part (major in the
// high 16 bits, minor in the low 16 bits); 0xFFFFFFFF when it cannot be read. Never throws.
std::uint32_t GetFixedFileVersion(const std::wstring& FileName) noexcept;

// Sets AppCompanyName, AppProductName, ShortVersion and ProductTitle from the version
// resource of the executable at ExePath (the caller passes ExecutablePath()). When the
// resource cannot be read the error propagates and no identity value changes.
void SetIdentityFromExecutable(const std::wstring& ExePath);

}  // namespace framora
