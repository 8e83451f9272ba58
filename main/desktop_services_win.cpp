#include "main/desktop_services_win.h"

#include <cderr.h>
#include <commdlg.h>
#include <shellapi.h>
#include <shobjidl.h>

#include <memory>

namespace framora {

namespace {

// Owner of one COM interface pointer.
struct ComRelease {
  void operator()(IUnknown* p) const noexcept { p->Release(); }
};
template <typename T>
using ComPtr = std::unique_ptr<T, ComRelease>;

// Parses the buffer of a multi-select file dialog: one full path, or the folder followed by
// the file names, each ended by a zero, the list by a second zero.
std::vector<std::wstring> SelectedFiles(const std::wstring& buffer) {
  std::vector<std::wstring> parts;
  for (std::size_t start = 0; start < buffer.size() && buffer[start] != L'\0';) {
    const std::size_t end = buffer.find(L'\0', start);
    parts.push_back(buffer.substr(start, end - start));
    start = end + 1;
  }
  if (parts.size() <= 1) return parts;
  std::vector<std::wstring> files;
  std::wstring folder = parts.front();
  if (folder.back() != L'\\') folder += L'\\';
  for (std::size_t i = 1; i < parts.size(); ++i) files.push_back(folder + parts[i]);
  return files;
}

}  // namespace

int DesktopServices::ShowMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption,
                                UINT flags) {
  return ::MessageBoxW(owner, text.c_str(), caption.c_str(), flags);
}

int DesktopServices::MessageDlg(HWND owner, const std::wstring& text, MsgDlgType type,
                                MsgDlgButtons buttons, const std::wstring& caption,
                                const std::vector<std::wstring>& captions) {
  return MessageDlgCaptions(text, type, buttons, caption, captions, owner);
}

std::optional<std::vector<std::wstring>> DesktopServices::ChooseFiles(
    HWND owner, const std::wstring& filter, const std::wstring& defaultExtension) {
  std::wstring filters = filter + L"||";
  for (wchar_t& c : filters) {
    if (c == L'|') c = L'\0';
  }
  // Room for many selected names; the dialog says so when it needs more.
  std::wstring buffer(32768, L'\0');
  for (;;) {
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filters.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = static_cast<DWORD>(buffer.size());
    ofn.lpstrDefExt = defaultExtension.c_str();
    ofn.Flags = OFN_ALLOWMULTISELECT | OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING;
    if (::GetOpenFileNameW(&ofn)) return SelectedFiles(buffer);
    if (::CommDlgExtendedError() != FNERR_BUFFERTOOSMALL) return std::nullopt;
    buffer.assign(buffer.size() * 4, L'\0');
  }
}

std::optional<std::wstring> DesktopServices::ChooseFolder(HWND owner, const std::wstring& title,
                                                          const std::wstring& okLabel,
                                                          const std::wstring& start) {
  IFileOpenDialog* raw = nullptr;
  if (FAILED(::CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER,
                                IID_PPV_ARGS(&raw)))) {
    return std::nullopt;
  }
  ComPtr<IFileOpenDialog> dialog(raw);
  FILEOPENDIALOGOPTIONS options = 0;
  dialog->GetOptions(&options);
  dialog->SetOptions(options | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM | FOS_PATHMUSTEXIST);
  dialog->SetTitle(title.c_str());
  dialog->SetOkButtonLabel(okLabel.c_str());
  if (!start.empty()) {
    IShellItem* folder = nullptr;
    if (SUCCEEDED(::SHCreateItemFromParsingName(start.c_str(), nullptr, IID_PPV_ARGS(&folder)))) {
      ComPtr<IShellItem> owned(folder);
      dialog->SetDefaultFolder(folder);
    }
    dialog->SetFileName(start.c_str());
  }
  if (FAILED(dialog->Show(owner))) return std::nullopt;
  IShellItem* chosen = nullptr;
  if (FAILED(dialog->GetResult(&chosen))) return std::nullopt;
  ComPtr<IShellItem> item(chosen);
  wchar_t* path = nullptr;
  if (FAILED(item->GetDisplayName(SIGDN_FILESYSPATH, &path))) return std::nullopt;
  std::wstring result(path);
  ::CoTaskMemFree(path);  // the shell allocated it for us
  return result;
}

void DesktopServices::ShellExecuteAction(HWND owner, const std::wstring& verb, const std::wstring& file,
                                   const std::wstring& parameters, int show) {
  ::ShellExecuteW(owner, verb.empty() ? nullptr : verb.c_str(), file.c_str(),
                  parameters.empty() ? nullptr : parameters.c_str(), nullptr, show);
}

void DesktopServices::ShowFileProperties(const std::wstring& path) {
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_INVOKEIDLIST;
  info.lpVerb = L"properties";
  info.lpFile = path.c_str();
  info.nShow = 0;
  ::ShellExecuteExW(&info);
}

void DesktopServices::Beep() { ::MessageBeep(MB_OK); }

void DesktopServices::Terminate() { ::PostQuitMessage(0); }

}  // namespace framora
