// A stand-in for the main window: it holds the rows and settings a test gives it and records,
// in order, everything the conversion run or the probe does to the window.
#pragma once

#include <string>
#include <vector>

#include "base/text.h"
#include "extraction/extraction_window.h"

namespace framora::test {

class FakeExtractionWindow : public ExtractionWindow {
 public:
  struct Message {
    std::wstring Text;
    std::wstring Caption;
    MessageIcon Icon;
  };

  std::vector<VideoRow> rows;
  ExtractionSettings settings;
  std::wstring destination;
  TextLog log;
  std::wstring status;
  bool convertEnabled = true;
  bool busyCursor = false;
  std::vector<Message> messages;
  // Readable trace of the calls, e.g. "cursor:busy", "status:Processing...", "message:SUCCESS".
  std::vector<std::string> events;

  std::vector<VideoRow> VideoRows() const override { return rows; }
  ExtractionSettings CurrentSettings() const override { return settings; }
  std::wstring DestinationText() const override { return destination; }
  void SetImageDuration(std::int32_t Duration) override {
    settings.Duration = Duration;
    events.push_back("duration:" + std::to_string(Duration));
  }
  void ShowMessage(const std::wstring& Text, const std::wstring& Caption,
                   MessageIcon Icon) override {
    messages.push_back({Text, Caption, Icon});
    events.push_back("message:" + Utf16ToUtf8(Caption));
  }
  void SetAppStartingCursor(bool on) override {
    busyCursor = on;
    events.push_back(on ? "cursor:busy" : "cursor:default");
  }
  void SetConvertEnabled(bool enabled) override {
    convertEnabled = enabled;
    events.push_back(enabled ? "convert:enabled" : "convert:disabled");
  }
  void SetStatusText(const std::wstring& Text) override {
    status = Text;
    events.push_back("status:" + Utf16ToUtf8(Text));
  }
  void ProcessMessages() override {
    events.push_back("process-messages(log " + std::to_string(log.Size()) + ")");
  }
  void VideoSayisiDegisti() override {
    status = std::to_wstring(rows.size()) + (rows.size() < 2 ? L" file" : L" files");
    events.push_back("count");
  }
  TextLog& Log() override { return log; }
};

}  // namespace framora::test
