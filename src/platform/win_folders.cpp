// The system's folders on Windows (see os_folders.hpp).
#include <windows.h>

#include <cstdlib>
#include <string>

#include "platform/os_folders.hpp"
#include "platform/win_text.hpp"

namespace kerna::platform {

std::string ProgramFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);  // a path longer than MAX_PATH
  }
  const size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::string() : Utf8FromWide(path.substr(0, slash));
}

std::string UserSettingsBase() {
  const wchar_t* app_data = _wgetenv(L"APPDATA");
  return app_data != nullptr ? Utf8FromWide(app_data) : std::string();
}

bool FolderWritable(const std::string& folder) {
  if (folder.empty()) return false;
  const std::wstring wide = WideFromUtf8(folder);
  const DWORD attributes = GetFileAttributesW(wide.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 ||
      (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
    return false;
  }
  // Whether this user may create files there (Program Files, a CD) only a try tells.
  const std::wstring probe = wide + L"\\.write-probe-" + std::to_wstring(GetCurrentProcessId());
  const HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  CloseHandle(file);
  return true;
}

}  // namespace kerna::platform
