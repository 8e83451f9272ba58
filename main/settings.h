// The seven settings of the main window that survive a restart: their keys, stored forms
// and defaults in one table, the start-up read and the writes of the change handlers.
// Pure logic on an IniFile; where the file lives and how it is flushed is
// main/settings_store_win.h.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "extraction/commands.h"
#include "main/settings_ini.h"

namespace framora {

inline constexpr std::wstring_view SettingsSection = L"Settings";

enum class SettingForm {
  Switch,   // "ON" or "OFF"; only the exact text opposite to the default changes it
  Integer,  // decimal text (ParseIniInteger reads it)
  Text,     // stored as it stands
};

struct SettingDefinition {
  std::wstring_view Key;
  SettingForm Form;
  bool SwitchDefault = false;      // Switch
  std::int32_t IntegerDefault = 0; // Integer
  std::wstring_view TextDefault{}; // Text; Destination's default depends on the desktop
};

// The table. All keys live in SettingsSection.
namespace setting {
inline constexpr SettingDefinition InputSeeking{
    .Key = L"InputSeeking", .Form = SettingForm::Switch, .SwitchDefault = true};
inline constexpr SettingDefinition RoundImageDuration{
    .Key = L"RoundImageDuration", .Form = SettingForm::Switch, .SwitchDefault = true};
inline constexpr SettingDefinition PadOutputFileswithLeadingZeros{
    .Key = L"PadOutputFileswithLeadingZeros", .Form = SettingForm::Switch,
    .SwitchDefault = false};
inline constexpr SettingDefinition Duration{
    .Key = L"Duration", .Form = SettingForm::Integer, .IntegerDefault = 1000};
inline constexpr SettingDefinition Destination{.Key = L"Destination", .Form = SettingForm::Text};
inline constexpr SettingDefinition Format{
    .Key = L"Format", .Form = SettingForm::Text, .TextDefault = L"JPG"};
inline constexpr SettingDefinition JpegQuality{
    .Key = L"JpegQuality", .Form = SettingForm::Integer, .IntegerDefault = 2};
}  // namespace setting

// Bounds of the image duration control; a stored Duration outside them is clamped.
inline constexpr std::int32_t MinImageDuration = 1;
inline constexpr std::int32_t MaxImageDuration = 999999999;
std::int32_t ClampImageDuration(std::int64_t value);

// Entries of the quality box: 0 = "100%" down to 19 = "5%".
inline constexpr std::int32_t JpegQualityEntryCount = 20;

// What the window shows after start-up, before its own change handlers run.
struct StartupSettings {
  bool InputSeeking = true;
  bool RoundImageDuration = true;
  bool PadOutputFileswithLeadingZeros = false;
  std::int32_t Duration = 1000;  // already clamped to the control's bounds
  std::wstring Destination;
  ImageFormat Format = ImageFormat::JPG;
  // The stored position, unchecked: a number outside 0 to 19 leaves the quality box with
  // no entry chosen (JpegQualityEntry gives -1 for it).
  std::int32_t JpegQuality = 2;

  friend bool operator==(const StartupSettings&, const StartupSettings&) = default;
};

// The desktop folder + "\Output": Destination's default.
std::wstring DefaultDestination(std::wstring_view desktopFolder);

// Reads the seven values by the table's rules.
StartupSettings ReadStartupSettings(const IniFile& ini, std::wstring_view desktopFolder);

// The quality box's entry for a stored position: the position itself within 0 to 19,
// else -1 (no entry chosen, which the command builder handles).
std::int32_t JpegQualityEntry(std::int32_t position);

// Stored forms written by the change handlers; each is followed by a flush.
void WriteSwitchSetting(IniFile& ini, const SettingDefinition& definition, bool checked);
void WriteIntegerSetting(IniFile& ini, const SettingDefinition& definition, std::int32_t value);
void WriteTextSetting(IniFile& ini, const SettingDefinition& definition, std::wstring_view text);
void WriteFormatSetting(IniFile& ini, ImageFormat format);  // the entry's text

}  // namespace framora
