#include "main/settings.h"

#include <algorithm>

namespace framora {

namespace {

constexpr std::wstring_view kOn = L"ON";
constexpr std::wstring_view kOff = L"OFF";

// Only the exact stored form opposite to the default moves a switch; "on", "Off", "1" or
// an empty value leave it at its default.
bool ReadSwitch(const IniFile& ini, const SettingDefinition& definition) {
  const std::wstring value = ini.ReadString(SettingsSection, definition.Key, L"");
  const std::wstring_view opposite = definition.SwitchDefault ? kOff : kOn;
  return value == opposite ? !definition.SwitchDefault : definition.SwitchDefault;
}

std::int32_t ReadIntegerSetting(const IniFile& ini, const SettingDefinition& definition) {
  return ini.ReadInteger(SettingsSection, definition.Key, definition.IntegerDefault);
}

// The format box's entries in their order; the first whose text equals the value exactly
// is chosen, and no match leaves the first ("JPG").
ImageFormat ReadFormat(const IniFile& ini) {
  const std::wstring value =
      ini.ReadString(SettingsSection, setting::Format.Key, setting::Format.TextDefault);
  for (ImageFormat format : {ImageFormat::JPG, ImageFormat::PNG, ImageFormat::BMP}) {
    if (value == ImageFormatName(format)) return format;
  }
  return ImageFormat::JPG;
}

}  // namespace

std::int32_t ClampImageDuration(std::int64_t value) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, MinImageDuration,
                                                            MaxImageDuration));
}

std::wstring DefaultDestination(std::wstring_view desktopFolder) {
  return std::wstring(desktopFolder) + L"\\Output";
}

StartupSettings ReadStartupSettings(const IniFile& ini, std::wstring_view desktopFolder) {
  StartupSettings s;
  s.InputSeeking = ReadSwitch(ini, setting::InputSeeking);
  s.RoundImageDuration = ReadSwitch(ini, setting::RoundImageDuration);
  s.PadOutputFileswithLeadingZeros = ReadSwitch(ini, setting::PadOutputFileswithLeadingZeros);
  s.Duration = ClampImageDuration(ReadIntegerSetting(ini, setting::Duration));
  s.Destination = ini.ReadString(SettingsSection, setting::Destination.Key,
                                 DefaultDestination(desktopFolder));
  s.Format = ReadFormat(ini);
  s.JpegQuality = ReadIntegerSetting(ini, setting::JpegQuality);
  return s;
}

std::int32_t JpegQualityEntry(std::int32_t position) {
  return position >= 0 && position < JpegQualityEntryCount ? position : -1;
}

void WriteSwitchSetting(IniFile& ini, const SettingDefinition& definition, bool checked) {
  ini.WriteString(SettingsSection, definition.Key, checked ? kOn : kOff);
}

void WriteIntegerSetting(IniFile& ini, const SettingDefinition& definition, std::int32_t value) {
  ini.WriteInteger(SettingsSection, definition.Key, value);
}

void WriteTextSetting(IniFile& ini, const SettingDefinition& definition, std::wstring_view text) {
  ini.WriteString(SettingsSection, definition.Key, text);
}

void WriteFormatSetting(IniFile& ini, ImageFormat format) {
  ini.WriteString(SettingsSection, setting::Format.Key, ImageFormatName(format));
}

}  // namespace framora
