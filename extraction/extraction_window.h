// What the conversion run and the duration probe need from the main window. TAppForm
// implements it; the tests implement it with a recording fake, so both run without a window.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "extraction/commands.h"
#include "extraction/text_log.h"

namespace framora {

// One row of the video list.
struct VideoRow {
  std::wstring Path;     // "Video File": the path as it was added
  std::wstring Seconds;  // "Seconds": the duration probe's text
};

enum class MessageIcon { Warning, Error, Information };

class ExtractionWindow {
 public:
  virtual ~ExtractionWindow() = default;

  // The list's rows, top to bottom.
  virtual std::vector<VideoRow> VideoRows() const = 0;
  // The conversion settings as the controls show them now; Destination is left empty.
  virtual ExtractionSettings CurrentSettings() const = 0;
  // The destination box's text, unchanged.
  virtual std::wstring DestinationText() const = 0;
  // Writes the image duration control as a user's edit would: the rate label follows and the
  // setting is stored.
  virtual void SetImageDuration(std::int32_t Duration) = 0;

  // A modal message box with one OK button.
  virtual void ShowMessage(const std::wstring& Text, const std::wstring& Caption,
                           MessageIcon Icon) = 0;
  // On: the application-wide "arrow with hourglass" cursor; off: the default cursor.
  virtual void SetAppStartingCursor(bool on) = 0;
  virtual void SetConvertEnabled(bool enabled) = 0;
  // Text of the status bar's first panel.
  virtual void SetStatusText(const std::wstring& Text) = 0;
  // Handles the window messages waiting now, once.
  virtual void ProcessMessages() = 0;
  // Rewrites the status bar's count of listed videos.
  virtual void VideoSayisiDegisti() = 0;

  // The hidden log that tool runs write into.
  virtual TextLog& Log() = 0;
};

}  // namespace framora
